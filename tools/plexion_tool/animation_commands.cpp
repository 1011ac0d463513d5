#include "animation_commands.h"

#include <QPainter>
#include <QRect>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "animation_arguments.h"
#include "animation_cursor.h"
#include "argument_values.h"
#include "bitmap_item.h"
#include "document_session.h"
#include "render_output.h"
#include "standard_output.h"
#include "text_escape.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

int AnimationWithId(const CVKT_ResourceContainer& resources, const std::string& id) {
    const int index = resources.Find<CVKT_IndexList>(id);
    if (index < 0) {
        throw CToolFailure(kExitNoSuchItem, "no animation with the ID \"" + EscapeField(id) + "\"");
    }
    return index;
}

// Positions further out than this cannot be drawn on any canvas the tool
// makes; a frame placed there (only a damaged file can do it) is left out.
constexpr double kFarthestPosition = 1 << 30;

// Where frame `frame` of the animation puts its bitmap when the animation is
// drawn at (0, 0); empty when it draws nothing.
QRect FrameArea(const CVKT_ResourceContainer& resources, const CVKT_IndexList& animation,
                int frame) {
    const CAnimationFrame values = animation.Frame(frame);
    const CVKT_Bitmap* bitmap = resources.GetAt<CVKT_Bitmap>(values.bitmap);
    if (!bitmap || animation.Type() != CVKT_IndexList::kTypeBitmaps) {
        return {};
    }
    const double x = std::trunc(values.offsetX + bitmap->OffsetX());
    const double y = std::trunc(values.offsetY + bitmap->OffsetY());
    if (!(std::abs(x) < kFarthestPosition && std::abs(y) < kFarthestPosition)) {
        return {};
    }
    const QPoint origin(static_cast<int>(x), static_cast<int>(y));
    if (const QRegion* region = bitmap->Region()) {
        return region->boundingRect().translated(origin);
    }
    return {origin, QSize(static_cast<int>(bitmap->StorageWidth()),
                          static_cast<int>(bitmap->StorageHeight()))};
}

}  // namespace

int RunAddAnimation(const CToolOptions& options) {
    const std::int32_t mode = ParsePlayMode(options.Value("--mode").value_or("1"));
    const std::vector<CAnimationFrame> frames = ParseFrames(options.Value("--frames").value_or(""));
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    session.Core().Edit([&](CVKT_ResourceContainer& resources) {
        auto* animation =
            resources.GetAt<CVKT_IndexList>(resources.New<CVKT_IndexList>(options.arguments.at(1)));
        if (!animation) {
            return false;
        }
        animation->SetPlayMode(mode);
        for (const CAnimationFrame& frame : frames) {
            animation->AddFrame(frame);
        }
        return true;
    });
    session.Save();
    return kExitOk;
}

int RunPlayAnimation(const CToolOptions& options) {
    const auto stepsText = options.Value("--steps");
    if (!stepsText) {
        throw UsageError("play-animation needs --steps N");
    }
    const int steps = ParseIndex(*stepsText, "the number of steps");
    if (steps < 0) {
        throw UsageError("the number of steps cannot be negative");
    }
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    CVKT_ResourceContainer& resources = session.Core().Resources();
    CAnimationCursor cursor;
    cursor.SetDocument(&resources);
    cursor.SetAnimationIndex(AnimationWithId(resources, options.arguments.at(1)));
    cursor.Restart();
    for (int i = 0; i < steps; ++i) {
        cursor.Advance(1.0);
        PrintLine(std::to_string(cursor.GetCurrentFrame()) + " " +
                  std::to_string(cursor.CurrentBitmapIndex()) +
                  (cursor.IsPlaying() ? "" : " stopped"));
    }
    return kExitOk;
}

int RunRenderAnimation(const CToolOptions& options) {
    const auto folder = options.Value("-o");
    if (!folder) {
        throw UsageError("render-animation needs -o DIR");
    }
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    CVKT_ResourceContainer& resources = session.Core().Resources();
    const int index = AnimationWithId(resources, options.arguments.at(1));
    const CVKT_IndexList& animation = *resources.GetAt<CVKT_IndexList>(index);
    // One canvas for every frame, large enough for all of them, so that the
    // frames stay in register when they are laid over each other.
    std::vector<QRect> areas;
    QRect area;
    for (int frame = 0; frame < animation.FrameCount(); ++frame) {
        areas.push_back(FrameArea(resources, animation, frame));
        area |= areas.back();
    }
    if (area.isEmpty()) {
        area = QRect(0, 0, 1, 1);
    }
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    if (error) {
        throw CToolFailure(kExitFileProblem,
                           "cannot make the folder \"" + *folder + "\": " + error.message());
    }
    CAnimationCursor cursor;
    cursor.SetDocument(&resources);
    cursor.SetAnimationIndex(index);
    for (int frame = 0; frame < animation.FrameCount(); ++frame) {
        QImage canvas = TransparentCanvas(std::int64_t{area.right()} - area.left() + 1,
                                          std::int64_t{area.bottom()} - area.top() + 1,
                                          "the frames of \"" + EscapeField(animation.ID()) + "\"");
        if (!areas[static_cast<std::size_t>(frame)].isEmpty()) {
            QPainter painter(&canvas);
            cursor.SetCurrentFrame(frame);
            cursor.Draw(painter, -area.left(), -area.top());
        }
        char name[32];
        std::snprintf(name, sizeof name, "frame_%04d.png", frame);
        SavePng(canvas, (std::filesystem::path(*folder) / name).string());
    }
    return kExitOk;
}

}  // namespace plexion::tool
