#include "resource.h"

#include <new>

#include "archive.h"
#include "resource_group.h"
#include "scramble.h"

namespace plexion {

int CVKT_Resource::CreateAndAdd(CVKT_ResourceGroup& group) const {
    try {
        return group.Add(NewOfSameKind());
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

std::unique_ptr<CVKT_Resource> CVKT_Resource::NewOfSameKind() const {
    return std::make_unique<CVKT_Resource>();
}

int CVKT_Resource::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        archive.WriteInt32(0);
        archive.WriteInt32(1);
        archive.WriteInt32(0);
        archive.WriteScrambledString(id_);
        archive.WriteScrambledString(comments_);
    } else {
        archive.Skip(12);
        SetID(archive.ReadScrambledString());
        SetComments(archive.ReadScrambledString());
    }
    return 1;
}

int CVKT_Resource::SetComments(std::string comments) {
    comments_ = std::move(comments);
    return 1;
}

int CVKT_Resource::SetID(std::string id) {
    id_ = std::move(id);
    return 1;
}

std::string CVKT_Resource::Unscramble(std::string text) const {
    return UnscrambleText(std::move(text));
}
std::string CVKT_Resource::Scramble(std::string text) const {
    return ScrambleText(std::move(text));
}

}  // namespace plexion
