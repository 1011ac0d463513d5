#include "folder_build.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "archive.h"
#include "document_folder.h"
#include "document_session.h"
#include "folder_payloads.h"
#include "item_records.h"
#include "json_fields.h"
#include "json_reader.h"
#include "kind_names.h"
#include "text_escape.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

namespace fs = std::filesystem;

// One item's record at a time, in memory that is given back when the build
// ends: a large document is built holding one payload beside it.
class CRecordBuffer {
public:
    CRecordBuffer() : fd_(::memfd_create("plexion-item-record", MFD_CLOEXEC)) {
        if (fd_ < 0) {
            throw CToolFailure(kExitFileProblem, std::string("cannot make room for an item: ") +
                                                     std::strerror(errno));
        }
    }
    CRecordBuffer(const CRecordBuffer&) = delete;
    CRecordBuffer& operator=(const CRecordBuffer&) = delete;
    ~CRecordBuffer() { ::close(fd_); }

    CArchive StartWriting() {
        if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) {
            throw CToolFailure(kExitFileProblem, std::string("cannot reuse the item buffer: ") +
                                                     std::strerror(errno));
        }
        return CArchive::WriterTo(fd_);
    }

    CArchive StartReading(CArchive& written) {
        written.Flush();
        if (::lseek(fd_, 0, SEEK_SET) != 0) {
            throw CToolFailure(kExitFileProblem,
                               std::string("cannot read the item buffer: ") + std::strerror(errno));
        }
        return CArchive::ReaderOf(fd_, written.BytesWritten());
    }

private:
    int fd_;
};

std::string ReadJsonFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw CToolFailure(kExitFileProblem,
                           "cannot read \"" + path.string() + "\": " + std::strerror(errno));
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        throw CToolFailure(kExitFileProblem, "cannot read \"" + path.string() + "\"");
    }
    return text.str();
}

CJsonValue ParseJsonFile(const fs::path& path) {
    const std::string text = ReadJsonFile(path);
    try {
        return ParseJson(text);
    } catch (const CJsonSyntaxError& error) {
        throw CToolFailure(kExitFileProblem, path.string() + ":" + std::to_string(error.Line()) +
                                                 ":" + std::to_string(error.Column()) +
                                                 ": not valid JSON: " + error.what());
    }
}

std::string ItemName(int kind, std::size_t index, const CJsonValue& item) {
    std::string name = KindName(kind) + " item " + std::to_string(index);
    const CJsonValue* id = item.type == CJsonValue::Type::Object ? item.Member("id") : nullptr;
    if (id && id->type == CJsonValue::Type::String) {
        name += " (\"" + EscapeField(id->text) + "\")";
    }
    return name;
}

void AddItem(CVKT_ResourceContainer& resources, int kind, CJsonFields& fields,
             const CFolderPayloads& payloads, CRecordBuffer& buffer) {
    CArchive written = buffer.StartWriting();
    WriteItemRecord(kind, fields, payloads, written);
    CArchive record = buffer.StartReading(written);
    const int index = resources.NewItem(kind, "");
    if (index < 0) {
        throw CToolFailure(kExitFileProblem, fields.Where() + ": no memory for the item");
    }
    try {
        resources.GroupAt(kind)->GetAt(index)->Serialize(record);
    } catch (const CArchiveError& error) {
        throw CToolFailure(kExitFileProblem, fields.Where() + ": " + error.what());
    }
}

void BuildInto(CVKT_ResourceContainer& resources, const fs::path& folder) {
    const fs::path jsonPath = folder / kFolderJsonName;
    const CJsonValue document = ParseJsonFile(jsonPath);
    CJsonFields top(document, jsonPath.string(), "the document");
    resources.Clear();
    resources.SetName(top.Text("name"));
    resources.SetComments(top.Text("comments"));
    std::vector<const CJsonValue*> groups(kKindCount, nullptr);
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (top.Has(KindName(kind))) {
            groups[kind] = &top.Array(KindName(kind));
        }
    }
    top.CheckAllRead();
    const CFolderPayloads payloads(folder);
    CRecordBuffer buffer;
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (!groups[kind]) {
            continue;
        }
        const CJsonValue& items = *groups[kind];
        for (std::size_t index = 0; index < items.items.size(); ++index) {
            const CJsonValue& item = items.items[index];
            CJsonFields fields(item, jsonPath.string(), ItemName(kind, index, item));
            AddItem(resources, kind, fields, payloads, buffer);
        }
    }
}

}  // namespace

int RunBuild(const CToolOptions& options) {
    const fs::path folder(options.arguments.at(0));
    CDocumentSession session(options);
    session.Create(options.arguments.at(1), true);
    try {
        BuildInto(session.Core().Resources(), folder);
    } catch (const CArchiveError& error) {
        throw CToolFailure(kExitFileProblem,
                           std::string("cannot build the document: ") + error.what());
    }
    session.Save();
    return kExitOk;
}

}  // namespace plexion::tool
