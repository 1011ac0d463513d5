#include "folder_build.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string_view>
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

// document.json mapped rather than read: a long text is paged in as the
// build goes and never copied.
class CMappedText {
public:
    explicit CMappedText(const fs::path& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            const int why = errno;
            if (fd >= 0) {
                ::close(fd);
            }
            throw CToolFailure(kExitFileProblem,
                               "cannot read \"" + path.string() + "\": " +
                                   (why != 0 ? std::strerror(why) : "it is not a regular file"));
        }
        size_ = static_cast<std::size_t>(info.st_size);
        if (size_ > 0) {
            data_ = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
        }
        const int why = errno;
        ::close(fd);
        if (data_ == MAP_FAILED) {
            throw CToolFailure(kExitFileProblem,
                               "cannot read \"" + path.string() + "\": " + std::strerror(why));
        }
    }
    CMappedText(const CMappedText&) = delete;
    CMappedText& operator=(const CMappedText&) = delete;
    ~CMappedText() {
        if (data_ && data_ != MAP_FAILED) {
            ::munmap(data_, size_);
        }
    }

    // The pages before `offset` are not needed again: the system may take
    // them back, so a long text does not stay in memory as it is read.
    void Release(std::size_t offset) {
        const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        const std::size_t end = offset / page * page;
        if (data_ && end > released_) {
            ::madvise(static_cast<char*>(data_) + released_, end - released_, MADV_DONTNEED);
            released_ = end;
        }
    }

    std::string_view Text() const {
        return data_ ? std::string_view(static_cast<const char*>(data_), size_)
                     : std::string_view();
    }

private:
    void* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t released_ = 0;
};

int KindNamed(std::string_view name) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (KindName(kind) == name) {
            return kind;
        }
    }
    return -1;
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

// A document text: the member's value alone, read as items' texts are.
std::string DocumentText(const std::string& key, CJsonValue value, const std::string& file) {
    CJsonValue holder;
    holder.type = CJsonValue::Type::Object;
    holder.line = value.line;
    holder.column = value.column;
    holder.members.emplace_back(key, std::move(value));
    return CJsonFields(holder, file, "the document").Text(key);
}

// The items of one group, read and added one at a time: a long document.json
// is never held as one tree.
void AddGroup(CVKT_ResourceContainer& resources, int kind, CJsonStream& stream, CMappedText& text,
              const std::string& file, const CFolderPayloads& payloads, CRecordBuffer& buffer) {
    const int line = stream.Line();
    const int column = stream.Column();
    try {
        stream.EnterArray();
    } catch (const CJsonSyntaxError&) {
        FailAt(file, line, column, "\"" + KindName(kind) + "\" must be an array of items");
    }
    for (std::size_t index = 0; stream.NextElement(); ++index) {
        const CJsonValue item = stream.Value();
        CJsonFields fields(item, file, ItemName(kind, index, item));
        AddItem(resources, kind, fields, payloads, buffer);
        text.Release(stream.Position());
    }
}

void ReadDocument(CVKT_ResourceContainer& resources, CJsonStream& stream, CMappedText& text,
                  const std::string& file, const CFolderPayloads& payloads) {
    CRecordBuffer buffer;
    std::set<std::string> seen;
    std::string key;
    const int line = stream.Line();
    const int column = stream.Column();
    stream.EnterObject();
    while (stream.NextMember(key)) {
        const int valueLine = stream.Line();
        const int valueColumn = stream.Column();
        if (!seen.insert(key).second) {
            FailAt(file, valueLine, valueColumn, "the member \"" + key + "\" is given twice");
        }
        const int kind = KindNamed(key);
        if (key == "name") {
            resources.SetName(DocumentText(key, stream.Value(), file));
        } else if (key == "comments") {
            resources.SetComments(DocumentText(key, stream.Value(), file));
        } else if (kind >= 0) {
            AddGroup(resources, kind, stream, text, file, payloads, buffer);
        } else {
            FailAt(file, valueLine, valueColumn, "the document: unknown member \"" + key + "\"");
        }
    }
    stream.End();
    for (const char* needed : {"name", "comments"}) {
        if (seen.count(needed) == 0) {
            FailAt(file, line, column,
                   std::string("the document: the member \"") + needed + "\" is missing");
        }
    }
}

void BuildInto(CVKT_ResourceContainer& resources, const fs::path& folder) {
    const fs::path jsonPath = folder / kFolderJsonName;
    const std::string file = jsonPath.string();
    CMappedText text(jsonPath);
    resources.Clear();
    CJsonStream stream(text.Text());
    try {
        ReadDocument(resources, stream, text, file, CFolderPayloads(folder));
    } catch (const CJsonSyntaxError& error) {
        FailAt(file, error.Line(), error.Column(), std::string("not valid JSON: ") + error.what());
    }
}

}  // namespace

int RunBuild(const CToolOptions& options) {
    const fs::path folder(options.arguments.at(0));
    CDocumentSession session(options);
    session.Create(options.arguments.at(1), true);
    try {
        session.Core().Edit("Build", [&folder](CVKT_ResourceContainer& resources) {
            BuildInto(resources, folder);
            return true;
        });
    } catch (const CArchiveError& error) {
        throw CToolFailure(kExitFileProblem,
                           std::string("cannot build the document: ") + error.what());
    }
    session.Save();
    return kExitOk;
}

}  // namespace plexion::tool
