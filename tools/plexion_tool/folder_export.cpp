#include "folder_export.h"

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <system_error>

#include "document_folder.h"
#include "document_session.h"
#include "dump_command.h"
#include "file_output.h"
#include "json_writer.h"
#include "kind_names.h"
#include "payload_files.h"
#include "safe_file_writer.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

namespace fs = std::filesystem;

// Exporting again over an earlier export replaces it; any other folder with
// something in it is the user's and is refused before anything is written.
void CheckTargetFolder(const fs::path& root, const std::string& shown) {
    std::error_code error;
    const fs::file_status status = fs::status(root, error);
    if (status.type() == fs::file_type::not_found) {
        return;
    }
    if (status.type() != fs::file_type::directory) {
        throw CToolFailure(kExitFileProblem, "\"" + shown + "\" is not a folder");
    }
    const bool empty = fs::is_empty(root, error);
    if (!error && !empty && !fs::exists(root / kFolderJsonName, error)) {
        throw CToolFailure(kExitFileProblem,
                           "\"" + shown + "\" is not empty and holds no " + kFolderJsonName +
                               " of an earlier export; give a new or empty folder");
    }
}

// The payload files of items that are gone (or moved to another position)
// since the last export into this folder.
void RemoveStaleFiles(const fs::path& folder, const std::set<std::string>& written) {
    std::error_code error;
    if (fs::symlink_status(folder, error).type() != fs::file_type::directory) {
        return;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const bool isFolder = entry.symlink_status(error).type() == fs::file_type::directory;
        if (!isFolder && written.count(entry.path().filename().string()) == 0) {
            if (!fs::remove(entry.path(), error) && error) {
                throw CToolFailure(kExitFileProblem, "cannot remove \"" + entry.path().string() +
                                                         "\": " + error.message());
            }
        }
    }
    if (fs::is_empty(folder, error)) {
        fs::remove(folder, error);
    }
}

// Writes each payload file while the JSON is being made, so that only one
// payload (a sound made into a WAV file) is ever copied at a time.
class CPayloadWriter {
public:
    explicit CPayloadWriter(fs::path root) : root_(std::move(root)) {}

    CItemForm Write(int kind, int index, const CVKT_Resource& item) {
        CItemForm form;
        form.folder = true;
        if (!HasPayloadFile(kind, item)) {
            return form;
        }
        const CPayloadFile payload = PayloadFileOf(kind, item);
        const std::string name = PayloadFileName(index, item.ID(), payload.Extension());
        std::unique_ptr<COutputFolder>& folder = folders_[kind];
        if (!folder) {
            folder = std::make_unique<COutputFolder>(root_, KindName(kind));
        }
        std::string why;
        if (folder->Write(name, payload.Bytes(), ExistingFile::Replace, why) != 0) {
            throw CToolFailure(kExitFileProblem, why);
        }
        written_[kind].insert(name);
        form.file = KindName(kind) + "/" + name;
        form.fileHoldsFormat = payload.HoldsFormat();
        return form;
    }

    void RemoveStale() {
        for (const int kind : {kKindBitmaps, kKindSounds, kKindBinaryFiles}) {
            RemoveStaleFiles(root_ / KindName(kind), written_[kind]);
        }
    }

private:
    fs::path root_;
    std::map<int, std::unique_ptr<COutputFolder>> folders_;
    std::map<int, std::set<std::string>> written_;
};

}  // namespace

int RunExport(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const std::string& shown = options.arguments.at(1);
    const fs::path root(shown);
    CheckTargetFolder(root, shown);
    std::error_code error;
    fs::create_directories(root, error);
    if (error) {
        throw CToolFailure(kExitFileProblem,
                           "cannot make the folder \"" + shown + "\": " + error.message());
    }
    // document.json is written as it is made and takes its name last, once
    // every payload file is in place.
    CSafeFileWriter text;
    if (!text.Open((root / kFolderJsonName).string())) {
        throw CToolFailure(kExitFileProblem, text.Error());
    }
    const auto writeOut = [&](const std::string& piece) {
        if (!text.Write(
                std::span(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size()))) {
            throw CToolFailure(kExitFileProblem, text.Error());
        }
    };
    CPayloadWriter payloads(root);
    CJsonWriter json(CJsonWriter::Layout::Pretty);
    WriteDocumentJson(
        json, session.Resources(),
        [&](int kind, int index, const CVKT_Resource& item) {
            return payloads.Write(kind, index, item);
        },
        [&] { writeOut(json.TakeText()); });
    writeOut(json.TakeText() + "\n");
    if (!text.Commit()) {
        throw CToolFailure(kExitFileProblem, text.Error());
    }
    payloads.RemoveStale();
    return kExitOk;
}

}  // namespace plexion::tool
