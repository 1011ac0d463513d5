#pragma once

#include <memory>
#include <string>

namespace plexion {

class CArchive;
class CVKT_ResourceGroup;

// The base of every resource kind: an ID and a comments text. IDs need not be
// unique; lookups return the first match.
class CVKT_Resource {
public:
    CVKT_Resource() = default;
    CVKT_Resource(const CVKT_Resource&) = delete;
    CVKT_Resource& operator=(const CVKT_Resource&) = delete;
    virtual ~CVKT_Resource() = default;

    // Appends a new default item of the receiver's kind to `group`; the new
    // index, or -1 when it cannot be allocated.
    int CreateAndAdd(CVKT_ResourceGroup& group) const;

    // Reads or writes the common item header; kinds add their payload after
    // calling this. Reading throws CArchiveError on damaged input.
    virtual int Serialize(CArchive& archive);

    int SetComments(std::string comments);
    int SetID(std::string id);
    std::string GetID() const { return id_; }
    std::string GetComments() const { return comments_; }
    const std::string& ID() const { return id_; }
    const std::string& Comments() const { return comments_; }

    std::string Unscramble(std::string text) const;
    std::string Scramble(std::string text) const;

    // What the item's panel shows under "Specifications".
    virtual std::string Specifications() const { return {}; }
    // Drops data kept only to be written again (a bitmap's source bytes).
    virtual void ReleaseSourceData() {}
    // What the last read found wrong in the item's own data and mended by
    // keeping what the data really held, naming the item; empty when it read
    // whole. The load reports it as damage.
    virtual std::string ReadDamage() const { return {}; }

protected:
    virtual std::unique_ptr<CVKT_Resource> NewOfSameKind() const;

private:
    std::string id_;
    std::string comments_;
};

}  // namespace plexion
