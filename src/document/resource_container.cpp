#include "resource_container.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <filesystem>
#include <new>
#include <stdexcept>

#include "file_reading.h"
#include "paths.h"
#include "text_item.h"

namespace plexion {
namespace {

std::size_t SkipBlanks(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    return i;
}

void AppendMatchingDocuments(const std::string& folder, std::vector<std::string>& list) {
    std::error_code error;
    const std::filesystem::path directory = folder.empty() ? "." : folder;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        std::string name = entry.path().filename().string();
        if (!entry.is_directory(error) && name.size() > 4 && name.ends_with(".dat")) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        list.push_back(folder + name);
    }
}

std::string FolderPartOf(const std::string& pattern) {
    const std::size_t separator = pattern.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : pattern.substr(0, separator + 1);
}

}  // namespace

CVKT_ResourceContainer::CVKT_ResourceContainer(IMessagePresenter* presenter)
    : presenter_(presenter) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        groups_[kind].SetTag(kChunkTags[kind]);
    }
    for (int kind = 0; kind < kKindCount; ++kind) {
        prototypes_.Add(CreateRegisteredKind(kind));
    }
}

CVKT_ResourceContainer::~CVKT_ResourceContainer() {
    Clear();
}

const CVKT_Resource* CVKT_ResourceContainer::FindItem(int kind, std::string_view id) const {
    const CVKT_ResourceGroup* group = GroupAt(kind);
    return group ? group->GetAt(group->Find(id)) : nullptr;
}

CVKT_Resource* CVKT_ResourceContainer::FindItem(int kind, std::string_view id) {
    CVKT_ResourceGroup* group = GroupAt(kind);
    return group ? group->GetAt(group->Find(id)) : nullptr;
}

int CVKT_ResourceContainer::ReleaseBitmapSources() {
    CVKT_ResourceGroup& bitmaps = groups_[kKindBitmaps];
    for (int i = 0; i < bitmaps.Count(); ++i) {
        bitmaps.GetAt(i)->ReleaseSourceData();
    }
    return 1;
}

int CVKT_ResourceContainer::TextAsInteger(std::string_view id, int fallback) const {
    const auto* item = GetAt<CVKT_Text>(Find<CVKT_Text>(id));
    if (!item) {
        return fallback;
    }
    const std::string& text = item->Text();
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i++] == '-';
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL + INT_MAX);
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double CVKT_ResourceContainer::TextAsReal(std::string_view id, double fallback) const {
    const auto* item = GetAt<CVKT_Text>(Find<CVKT_Text>(id));
    if (!item) {
        return fallback;
    }
    const std::string& text = item->Text();
    std::size_t i = SkipBlanks(text);
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (error == std::errc::invalid_argument) {
        return 0.0;
    }
    (void)end;
    return value;
}

std::string CVKT_ResourceContainer::TextAsText(std::string_view id,
                                               const std::string& fallback) const {
    const auto* item = GetAt<CVKT_Text>(Find<CVKT_Text>(id));
    return item ? item->Text() : fallback;
}

int CVKT_ResourceContainer::NewItem(int kind, std::string id) {
    CVKT_ResourceGroup* group = GroupAt(kind);
    if (!group) {
        return -1;
    }
    const int index = Prototype(kind).CreateAndAdd(*group);
    if (index >= 0) {
        CVKT_Resource* item = group->GetAt(index);
        item->SetID(std::move(id));
        item->SetComments({});
    }
    return index;
}

void CVKT_ResourceContainer::SwapContents(CVKT_ResourceContainer& other) {
    std::swap(name_, other.name_);
    std::swap(comments_, other.comments_);
    std::swap(lastLoadStatus_, other.lastLoadStatus_);
    for (int kind = 0; kind < kKindCount; ++kind) {
        groups_[kind].SwapItems(other.groups_[kind]);
    }
}

int CVKT_ResourceContainer::Clear() {
    for (auto& group : groups_) {
        group.RemoveAll();
    }
    return 1;
}

int CVKT_ResourceContainer::ListResourceFiles(std::vector<std::string>* list) const {
    if (!list) {
        return 0;
    }
    AppendMatchingDocuments(FolderPartOf(ResolvePath("*.dat")), *list);
    AppendMatchingDocuments(kSharedFolder, *list);
    std::erase_if(*list, [](const std::string& path) { return !IsResourceFileName(path); });
    return 1;
}

bool CVKT_ResourceContainer::IsResourceFileName(const std::string& path) {
    if (ExtensionOf(path) != "dat") {
        return false;
    }
    const int fd = OpenForReading(path);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    return regular;
}

std::string CVKT_ResourceContainer::ResolvePath(const std::string& name) const {
    return ResolveResourcePath(name);
}

CVKT_ResourceGroup* CVKT_ResourceContainer::GroupAt(int kind) {
    return kind >= 0 && kind < kKindCount ? &groups_[kind] : nullptr;
}

const CVKT_ResourceGroup* CVKT_ResourceContainer::GroupAt(int kind) const {
    return kind >= 0 && kind < kKindCount ? &groups_[kind] : nullptr;
}

const CVKT_Resource& CVKT_ResourceContainer::Prototype(int kind) const {
    return *prototypes_.GetAt(kind);
}

int CVKT_ResourceContainer::SetComments(std::string comments) {
    comments_ = std::move(comments);
    return 1;
}

int CVKT_ResourceContainer::SetName(std::string name) {
    name_ = std::move(name);
    return 1;
}

MessageAnswer CVKT_ResourceContainer::Show(const std::string& text, MessageIcon icon,
                                           MessageButtons buttons) {
    CSilentPresenter silent;
    return (presenter_ ? presenter_ : &silent)->Show(text, icon, buttons);
}

}  // namespace plexion
