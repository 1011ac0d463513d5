#include "image_commands.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "argument_values.h"
#include "bitmap_item.h"
#include "document_session.h"
#include "image_import.h"
#include "path_import.h"
#include "picture_commands.h"
#include "render_output.h"
#include "text_escape.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

int BitmapWithId(const CDocumentSession& session, const std::string& id) {
    const int index = session.Resources().Find<CVKT_Bitmap>(id);
    if (index < 0) {
        throw CToolFailure(kExitNoSuchItem, "no bitmap with the ID \"" + EscapeField(id) + "\"");
    }
    return index;
}

// The bitmaps named by the arguments from `first` on, or every bitmap when
// none is named; an unknown ID ends the command before anything changes.
std::vector<int> ChosenBitmaps(const CDocumentSession& session, const CToolOptions& options,
                               std::size_t first) {
    std::vector<int> chosen;
    if (options.arguments.size() > first) {
        for (std::size_t i = first; i < options.arguments.size(); ++i) {
            chosen.push_back(BitmapWithId(session, options.arguments[i]));
        }
        return chosen;
    }
    for (int i = 0; i < session.Resources().Count<CVKT_Bitmap>(); ++i) {
        chosen.push_back(i);
    }
    return chosen;
}

// Runs a picture edit on the chosen bitmaps through the document's editing
// path and saves.
int EditBitmaps(const CToolOptions& options, std::size_t firstId, const std::string& label,
                const std::function<void(CVKT_Bitmap&)>& edit) {
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    session.DecodePictures();
    const std::vector<int> chosen = ChosenBitmaps(session, options, firstId);
    session.Core().Edit(label, [&](CVKT_ResourceContainer& resources) {
        for (const int bitmap : chosen) {
            edit(*resources.GetAt<CVKT_Bitmap>(bitmap));
        }
        return !chosen.empty();
    });
    session.Save();
    return kExitOk;
}

}  // namespace

int RunAddImage(const CToolOptions& options) {
    return ImportPaths(options, [](CVKT_ResourceContainer& resources, const std::string& path) {
        EDecodeProblem problem = EDecodeProblem::None;
        const int index = InsertImage(resources, path, &problem);
        if (problem == EDecodeProblem::TooMuchWork) {
            throw CToolFailure(kExitFileProblem,
                               "\"" + path +
                                   "\" is damaged: it asks for more drawing than a picture may "
                                   "take; nothing was added");
        }
        if (index >= 0 && problem == EDecodeProblem::NotAPicture) {
            std::fprintf(stderr,
                         "plexion-tool: warning: \"%s\" is not a picture the codecs can read; "
                         "it is kept as a 0 x 0 picture with its bytes\n",
                         path.c_str());
        }
        return index;
    });
}

int RunExportImage(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    session.DecodePictures();
    const CVKT_Bitmap& bitmap =
        *session.Resources().GetAt<CVKT_Bitmap>(BitmapWithId(session, options.arguments.at(1)));
    const auto output = options.Value("-o");
    if (!output) {
        throw UsageError("export-image needs -o OUT.png");
    }
    if (bitmap.GetKind() != CVKT_Bitmap::kKindImage || bitmap.DisplayWidth() == 0) {
        throw CToolFailure(kExitFileProblem, "the bitmap \"" + EscapeField(bitmap.ID()) +
                                                 "\" holds no picture to export");
    }
    SavePng(*bitmap.Image(), *output);
    return kExitOk;
}

int RunCrop(const CToolOptions& options) {
    return EditBitmaps(options, 1, "Crop to Alpha Channel",
                       [](CVKT_Bitmap& bitmap) { picture_commands::CropToAlphaChannel(bitmap); });
}

int RunSetAlpha(const CToolOptions& options) {
    const std::uint32_t color = ParseColor(options.arguments.at(1));
    return EditBitmaps(options, 2, "Set Alpha Channel to Color", [color](CVKT_Bitmap& bitmap) {
        picture_commands::SetAlphaChannelToColor(bitmap, color);
    });
}

int RunChangeColor(const CToolOptions& options) {
    const std::uint32_t from = ParseColor(options.arguments.at(1));
    const std::uint32_t to = ParseColor(options.arguments.at(2));
    return EditBitmaps(options, 3, "Change Color", [from, to](CVKT_Bitmap& bitmap) {
        picture_commands::ChangeColor(bitmap, from, to);
    });
}

int RunReloadImage(const CToolOptions& options) {
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const int bitmap = BitmapWithId(session, options.arguments.at(1));
    const std::string& path = options.arguments.at(2);
    const bool reloaded =
        session.Core().Edit("Reload Image Source", [&](CVKT_ResourceContainer& resources) {
            return resources.GetAt<CVKT_Bitmap>(bitmap)->ReloadSource(path);
        });
    if (!reloaded) {
        throw CToolFailure(kExitFileProblem, "cannot reload \"" + EscapeField(options.arguments.at(1)) +
                                                 "\" from \"" + path + "\"");
    }
    session.Save();
    return kExitOk;
}

}  // namespace plexion::tool
