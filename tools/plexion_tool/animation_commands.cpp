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
#include "file_output.h"
#include "frame_list_editing.h"
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
// makes.
constexpr double kFarthestPosition = 1 << 28;

// Where frame `frame` of the animation puts its bitmap when the animation is
// drawn at (0, 0); empty when it draws nothing. A frame too far out for any
// canvas ends the command.
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
        throw CToolFailure(kExitFileProblem, "the frames of \"" + EscapeField(animation.ID()) +
                                                 "\" cannot fit a canvas: frame " +
                                                 std::to_string(frame) + " lies too far out");
    }
    const QPoint origin(static_cast<int>(x), static_cast<int>(y));
    if (const QRegion* region = bitmap->Region()) {
        return region->boundingRect().translated(origin);
    }
    return {origin, QSize(static_cast<int>(bitmap->StorageWidth()),
                          static_cast<int>(bitmap->StorageHeight()))};
}

// Writes frame_0000.png... into the folder; when one cannot be written, the
// ones this command wrote are removed again, so that no set of frames mixes
// new ones with old ones.
void WriteFrameFiles(const std::string& folder,
                     const std::vector<std::vector<std::uint8_t>>& frames) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw CToolFailure(kExitFileProblem,
                           "cannot make the folder \"" + folder + "\": " + error.message());
    }
    std::vector<std::filesystem::path> written;
    try {
        for (std::size_t frame = 0; frame < frames.size(); ++frame) {
            char name[32];
            std::snprintf(name, sizeof name, "frame_%04zu.png", frame);
            written.push_back(std::filesystem::path(folder) / name);
            WriteOutputFile(written.back().string(), frames[frame]);
        }
    } catch (const CToolFailure&) {
        written.pop_back();
        for (const std::filesystem::path& path : written) {
            std::filesystem::remove(path, error);
        }
        throw;
    }
}

}  // namespace

int RunAddAnimation(const CToolOptions& options) {
    const std::int32_t mode = ParsePlayMode(options.Value("--mode").value_or("1"));
    const std::vector<CAnimationFrame> frames = ParseFrames(options.Value("--frames").value_or(""));
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    session.Core().Edit("Add Animation", [&](CVKT_ResourceContainer& resources) {
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

int RunSetFrames(const CToolOptions& options) {
    const auto framesText = options.Value("--frames");
    if (!framesText) {
        throw UsageError("set-frames needs --frames B:D:X:Y,...");
    }
    const std::vector<CAnimationFrame> frames = ParseFrames(*framesText);
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const int index = AnimationWithId(session.Resources(), options.arguments.at(1));
    session.Core().Edit("Set Frames", [&](CVKT_ResourceContainer& resources) {
        return frame_list::SetFrames(*resources.GetAt<CVKT_IndexList>(index), frames);
    });
    session.Save();
    return kExitOk;
}

int RunFrames(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const CVKT_ResourceContainer& resources = session.Resources();
    const CVKT_IndexList& animation =
        *resources.GetAt<CVKT_IndexList>(AnimationWithId(resources, options.arguments.at(1)));
    for (int frame = 0; frame < animation.FrameCount(); ++frame) {
        const CAnimationFrame values = animation.Frame(frame);
        PrintLine(std::to_string(frame) + " " + std::to_string(values.bitmap) + " " +
                  std::to_string(values.delay) + " " + std::to_string(values.offsetX) + " " +
                  std::to_string(values.offsetY));
    }
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
    const CVKT_ResourceContainer& resources = session.Resources();
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
    session.DecodePictures();
    const CVKT_ResourceContainer& resources = session.Resources();
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
    const std::int64_t width = std::int64_t{area.right()} - area.left() + 1;
    const std::int64_t height = std::int64_t{area.bottom()} - area.top() + 1;
    const std::string what = "the frames of \"" + EscapeField(animation.ID()) + "\"";
    if (width > kMaxRenderPixels / height) {
        throw CToolFailure(kExitFileProblem, what + " cannot fit a canvas: it would be " +
                                                 std::to_string(width) + " x " +
                                                 std::to_string(height) + " pixels");
    }
    // Every frame is drawn and encoded before any file is written, so only
    // the disk itself can fail the writing.
    CAnimationCursor cursor;
    cursor.SetDocument(&resources);
    cursor.SetAnimationIndex(index);
    std::vector<std::vector<std::uint8_t>> frames;
    for (int frame = 0; frame < animation.FrameCount(); ++frame) {
        QImage canvas = TransparentCanvas(width, height, what);
        if (!areas[static_cast<std::size_t>(frame)].isEmpty()) {
            QPainter painter(&canvas);
            cursor.SetCurrentFrame(frame);
            cursor.Draw(painter, -area.left(), -area.top());
        }
        frames.push_back(EncodePng(canvas, what));
    }
    WriteFrameFiles(*folder, frames);
    return kExitOk;
}

}  // namespace plexion::tool
