#include "edit_commands.h"

#include <string>

#include "argument_values.h"
#include "binary_file_import.h"
#include "color_item.h"
#include "document_session.h"
#include "kind_names.h"
#include "path_import.h"
#include "text_item.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

// Appends an item of type T with the ID and the --comments option; its index.
template <typename T>
int AddItem(CVKT_ResourceContainer& resources, const CToolOptions& options) {
    const int index = resources.New<T>(options.arguments.at(1));
    if (T* item = resources.GetAt<T>(index)) {
        item->SetComments(options.Value("--comments").value_or(""));
    }
    return index;
}

void RequireEdit(bool done, int exitCode, const std::string& message) {
    if (!done) {
        throw CToolFailure(exitCode, message);
    }
}

std::string OutOfRange(int kind, int index) {
    return "no item at index " + std::to_string(index) + " in " + KindName(kind);
}

}  // namespace

int RunNew(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Create(options.arguments.at(0), options.Has("--force"));
    session.Core().Edit("Properties", [&options](CVKT_ResourceContainer& resources) {
        resources.SetName(options.Value("--name").value_or(CVKT_ResourceContainer::kDefaultName));
        resources.SetComments(
            options.Value("--comments").value_or(CVKT_ResourceContainer::kDefaultComments));
        return true;
    });
    session.Save();
    return kExitOk;
}

int RunAddText(const CToolOptions& options) {
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const bool added = session.Core().Edit("Add Text", [&options](CVKT_ResourceContainer& resources) {
        CVKT_Text* text = resources.GetAt<CVKT_Text>(AddItem<CVKT_Text>(resources, options));
        if (text) {
            text->SetText(options.arguments.at(2));
        }
        return text != nullptr;
    });
    RequireEdit(added, kExitFileProblem, "cannot add the text");
    session.Save();
    return kExitOk;
}

int RunAddColor(const CToolOptions& options) {
    const std::uint32_t color = ParseColor(options.arguments.at(2));
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const bool added = session.Core().Edit("Add Color", [&](CVKT_ResourceContainer& resources) {
        CVKT_Color* item = resources.GetAt<CVKT_Color>(AddItem<CVKT_Color>(resources, options));
        if (item) {
            item->SetColor(color);
            item->SetAlpha(255);
        }
        return item != nullptr;
    });
    RequireEdit(added, kExitFileProblem, "cannot add the color");
    session.Save();
    return kExitOk;
}

int RunAddFile(const CToolOptions& options) {
    return ImportPaths(options, &AddBinaryFile);
}

int RunDelete(const CToolOptions& options) {
    const int kind = ParseKind(options.arguments.at(1));
    const int index = ParseIndex(options.arguments.at(2), "INDEX");
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const bool deleted = session.Core().Edit("Delete Item", [&](CVKT_ResourceContainer& resources) {
        return resources.GroupAt(kind)->RemoveAt(index) != 0;
    });
    RequireEdit(deleted, kExitNoSuchItem, OutOfRange(kind, index));
    session.Save();
    return kExitOk;
}

int RunMove(const CToolOptions& options) {
    const int kind = ParseKind(options.arguments.at(1));
    const int from = ParseIndex(options.arguments.at(2), "FROM");
    const int to = ParseIndex(options.arguments.at(3), "TO");
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const bool moved = session.Core().Edit("Move Item", [&](CVKT_ResourceContainer& resources) {
        return resources.GroupAt(kind)->Move(from, to) != 0;
    });
    const int count = session.Resources().GroupAt(kind)->Count();
    RequireEdit(moved, kExitNoSuchItem, OutOfRange(kind, from < 0 || from >= count ? from : to));
    session.Save();
    return kExitOk;
}

}  // namespace plexion::tool
