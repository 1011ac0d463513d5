#include "extract_commands.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "document_session.h"
#include "file_output.h"
#include "item_content.h"
#include "kind_names.h"
#include "output_names.h"
#include "standard_output.h"
#include "text_escape.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

constexpr int kExtractAllKinds[] = {kKindBinaryFiles, kKindBitmaps, kKindSounds};

// Writes one item under a fresh name in `folder`; the path written.
std::filesystem::path WriteNewFile(COutputFolder& folder, CUniqueNames& names,
                                   const CSafeName& name, const CItemContent& content) {
    for (;;) {
        const std::filesystem::path path = names.Next(name);
        std::string why;
        const int error = folder.WriteNew(path.filename().string(), content.bytes, why);
        if (error == 0) {
            return path;
        }
        if (error != EEXIST) {
            throw CToolFailure(kExitFileProblem, why);
        }
    }
}

}  // namespace

int RunExtract(const CToolOptions& options) {
    const int kind = ParseKind(options.arguments.at(1));
    if (!IsExtractableKind(kind)) {
        throw UsageError("only files, bitmaps and sounds can be extracted, not " + KindName(kind));
    }
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const std::string& id = options.arguments.at(2);
    const int index = session.Resources().GroupAt(kind)->Find(id);
    if (index < 0) {
        throw CToolFailure(kExitNoSuchItem,
                           "no item with the ID \"" + EscapeField(id) + "\" in " + KindName(kind));
    }
    const CItemContent content = ContentOf(session.Resources(), kind, index);
    const auto output = options.Value("-o");
    if (!output) {
        WriteToStandardOutput(content.bytes);
        return kExitOk;
    }
    WriteOutputFile(*output, content.bytes);
    return kExitOk;
}

// An item that cannot be written is reported and the others are still
// extracted; the command then fails naming every item it left out.
int RunExtractAll(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const std::filesystem::path root(options.arguments.at(1));
    const CVKT_ResourceContainer& resources = session.Resources();
    std::vector<std::string> failed;
    for (const int kind : kExtractAllKinds) {
        COutputFolder folder(root, KindName(kind));
        CUniqueNames names(folder.Path());
        for (int index = 0; index < resources.GroupAt(kind)->Count(); ++index) {
            if (HasNoContent(resources, kind, index)) {
                continue;
            }
            const std::string& id = resources.GroupAt(kind)->GetAt(index)->ID();
            try {
                const CItemContent content = ContentOf(resources, kind, index);
                PrintLine(
                    WriteNewFile(folder, names, SafeNameFor(id, content.extension), content)
                        .string());
            } catch (const CToolFailure& failure) {
                std::fprintf(stderr, "plexion-tool: %s\n", failure.what());
                failed.push_back(KindName(kind) + " \"" + EscapeField(id) + "\"");
            }
        }
    }
    if (!failed.empty()) {
        std::string list;
        for (const std::string& item : failed) {
            list += (list.empty() ? "" : ", ") + item;
        }
        throw CToolFailure(kExitFileProblem, std::to_string(failed.size()) +
                                                 " item(s) could not be extracted: " + list);
    }
    return kExitOk;
}

}  // namespace plexion::tool
