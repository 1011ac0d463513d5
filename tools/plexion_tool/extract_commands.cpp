#include "extract_commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

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

std::filesystem::path MakeFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        throw CToolFailure(kExitFileProblem, "cannot create the folder \"" + folder.string() +
                                                 "\"" + (error ? ": " + error.message() : ""));
    }
    return folder;
}

// Writes one item under a fresh name in `names`' folder; the path written.
std::filesystem::path WriteNewFile(CUniqueNames& names, const CSafeName& name,
                                   const CItemContent& content) {
    for (;;) {
        const std::filesystem::path path = names.Next(name);
        const int error = WriteBytesToFile(path.string(), content.bytes, FileCreation::OnlyNew);
        if (error == 0) {
            return path;
        }
        if (error != EEXIST) {
            throw CToolFailure(kExitFileProblem,
                               "cannot write \"" + path.string() + "\": " + std::strerror(error));
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
    const int error = WriteBytesToFile(*output, content.bytes, FileCreation::Replace);
    if (error != 0) {
        throw CToolFailure(kExitFileProblem,
                           "cannot write \"" + *output + "\": " + std::strerror(error));
    }
    return kExitOk;
}

int RunExtractAll(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const std::filesystem::path root(options.arguments.at(1));
    const CVKT_ResourceContainer& resources = session.Resources();
    for (const int kind : kExtractAllKinds) {
        CUniqueNames names(MakeFolder(root / KindName(kind)));
        for (int index = 0; index < resources.GroupAt(kind)->Count(); ++index) {
            if (HasNoContent(resources, kind, index)) {
                continue;
            }
            const CItemContent content = ContentOf(resources, kind, index);
            const std::string& id = resources.GroupAt(kind)->GetAt(index)->ID();
            PrintLine(WriteNewFile(names, SafeNameFor(id, content.extension), content).string());
        }
    }
    return kExitOk;
}

}  // namespace plexion::tool
