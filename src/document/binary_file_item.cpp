#include "binary_file_item.h"

#include <limits>

#include "archive.h"
#include "scramble.h"

namespace plexion {

std::unique_ptr<CVKT_Resource> CVKT_BinaryFile::NewOfSameKind() const {
    return std::make_unique<CVKT_BinaryFile>();
}

int CVKT_BinaryFile::Serialize(CArchive& archive) {
    if (!CVKT_Resource::Serialize(archive)) {
        return 0;
    }
    if (archive.IsStoring()) {
        if (data_.Size() > std::numeric_limits<std::int32_t>::max()) {
            throw CArchiveError(CArchiveError::Reason::Io,
                                "binary file \"" + ID() + "\" is larger than the format can store");
        }
        archive.WriteInt32(0);
        archive.WriteInt32(1);
        archive.WriteInt32(plain_);
        archive.WriteScrambledString(sourceFilename_);
        archive.WriteInt32(static_cast<std::int32_t>(data_.Size()));
        const auto size = static_cast<std::size_t>(data_.Size());
        if (plain_ != 0) {
            data_.Serialize(archive);
        } else if (size > 0) {
            // Scrambled on the way out, so the bytes in memory never change.
            archive.WriteTransformed(data_.Data(), size, &ScrambleBlock);
        }
        return 1;
    }
    archive.Skip(8);
    plain_ = archive.ReadInt32();
    sourceFilename_ = archive.ReadScrambledString();
    const std::int32_t size = archive.ReadInt32();
    if (size < 0) {
        throw CArchiveError(CArchiveError::Reason::Oversized, "a binary file has a negative size");
    }
    archive.CheckClaim(size);
    if (!data_.SetSize(size)) {
        throw CArchiveError(CArchiveError::Reason::Oversized, "a binary file cannot be allocated");
    }
    data_.Serialize(archive);
    if (plain_ == 0) {
        data_.Unscramble();
    }
    return 1;
}

std::string CVKT_BinaryFile::Specifications() const {
    return std::to_string(data_.Size()) + " Bytes";
}

}  // namespace plexion
