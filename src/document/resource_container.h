#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kind_registry.h"
#include "message_presenter.h"
#include "resource_group.h"
#include "safe_file_writer.h"

namespace plexion {

class CArchive;

// How the last load ended. Every status but NotFound leaves what was read
// before the problem in the container.
enum class LoadStatus {
    Clean,              // read to the end of the file
    NotFound,           // no file could be opened; nothing was shown
    WrongType,          // "Wrong file type !"
    OldVersionRefused,  // the version question was answered No
    UnknownChunk,       // "Error: an unknown data type has been found, file broken."
    Damaged,            // ends inside a record or claims more than it holds
    Mended,             // read to the end, but an item's data disagreed with
                        // itself and was kept as far as it holds
};

// The document's data: its name and comments and the eight groups in kind
// order, with one prototype item per kind.
class CVKT_ResourceContainer {
public:
    static constexpr const char* kDefaultName = "No Name";
    static constexpr const char* kDefaultComments = "No Comments";
    static constexpr std::array<const char*, kKindCount> kChunkTags = {
        "VKRTXT", "VKRBMPG", "VKRWVMR", "VKRIXLS", "VKRTRAJ", "VKRMAP", "VKRCOL", "VKRFIL"};

    // Messages and questions of loading go to `presenter` (silent when null).
    explicit CVKT_ResourceContainer(IMessagePresenter* presenter = nullptr);
    CVKT_ResourceContainer(const CVKT_ResourceContainer&) = delete;
    CVKT_ResourceContainer& operator=(const CVKT_ResourceContainer&) = delete;
    ~CVKT_ResourceContainer();

    void SetPresenter(IMessagePresenter* presenter) { presenter_ = presenter; }

    const CVKT_Resource* FindItem(int kind, std::string_view id) const;
    CVKT_Resource* FindItem(int kind, std::string_view id);
    int ReleaseBitmapSources();

    int TextAsInteger(std::string_view id, int fallback) const;
    double TextAsReal(std::string_view id, double fallback) const;
    std::string TextAsText(std::string_view id, const std::string& fallback) const;

    // The per-kind operations, T being the kind's item class.
    template <typename T>
    int Count() const {
        return groups_[T::kKind].Count();
    }
    template <typename T>
    int New(std::string id) {
        return NewItem(T::kKind, std::move(id));
    }
    template <typename T>
    int Move(int from, int to) {
        return groups_[T::kKind].Move(from, to);
    }
    template <typename T>
    int Find(std::string_view id) const {
        return groups_[T::kKind].Find(id);
    }
    template <typename T>
    const T* GetAt(int index) const {
        return static_cast<const T*>(groups_[T::kKind].GetAt(index));
    }
    // For changing, inside an edit: the item's state is kept first.
    template <typename T>
    T* GetAt(int index) {
        return static_cast<T*>(groups_[T::kKind].GetAt(index));
    }
    template <typename T>
    int Delete(int index) {
        return groups_[T::kKind].RemoveAt(index);
    }

    // New by kind number: a default item with the given ID and empty comments
    // at the end of the group; its index, or -1.
    int NewItem(int kind, std::string id);

    int Clear();
    // Exchanges everything read from a file (name, comments, items, how the
    // load ended) with `other`: a document read again replaces its content
    // at once, or not at all.
    void SwapContents(CVKT_ResourceContainer& other);
    int ListResourceFiles(std::vector<std::string>* list) const;
    static bool IsResourceFileName(const std::string& path);
    std::string ResolvePath(const std::string& name) const;

    int Load(const std::string& path);
    int LoadFromBytes(std::span<const std::uint8_t> bytes);
    LoadStatus LastLoadStatus() const { return lastLoadStatus_; }
    // Replaces the file only once the new one is complete; 0 leaves it as it
    // was. With ExistingFile::Keep a file that already exists is never replaced.
    int Save(const std::string& path, ExistingFile existing = ExistingFile::Replace) const;
    const std::string& LastSaveError() const { return lastSaveError_; }
    // The stored document before its chunks; each non-empty group follows as
    // the chunk separator string and its chunk.
    void WriteHeader(CArchive& archive) const;

    CVKT_ResourceGroup* GroupAt(int kind);
    const CVKT_ResourceGroup* GroupAt(int kind) const;
    const CVKT_Resource& Prototype(int kind) const;

    int SetComments(std::string comments);
    int SetName(std::string name);
    std::string GetName() const { return name_; }
    std::string GetComments() const { return comments_; }

private:
    void ReadFrom(CArchive& archive);
    bool ReadHeader(CArchive& archive);
    void ReadChunks(CArchive& archive);
    void ReportMendedItems();
    void WriteTo(CArchive& archive) const;
    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons);

    std::string comments_ = kDefaultComments;
    std::string name_ = kDefaultName;
    CVKT_ResourceGroup prototypes_;
    std::array<CVKT_ResourceGroup, kKindCount> groups_;
    IMessagePresenter* presenter_;
    LoadStatus lastLoadStatus_ = LoadStatus::Clean;
    mutable std::string lastSaveError_;
};

// The messages of loading, exactly as the user sees them.
namespace load_messages {
inline constexpr const char* kWrongType = "Wrong file type !";
inline constexpr const char* kOldVersion =
    "Older or wrong file version !\n\nDo you still want to load this file ?";
inline constexpr const char* kUnknownChunk =
    "Error: an unknown data type has been found, file broken.";
inline constexpr const char* kTruncated = "Error: the file ends inside a record, file broken.";
inline constexpr const char* kOversized =
    "Error: a record claims more data than the file holds, file broken.";
}  // namespace load_messages

}  // namespace plexion
