#include "ogg_sound_data.h"

#include <algorithm>
#include <limits>

#include "archive.h"

namespace plexion {

void COggSoundData::Clear() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    info_ = {};
}

void COggSoundData::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        if (bytes_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            throw CArchiveError(CArchiveError::Reason::Io,
                                "an Ogg Vorbis sound is larger than the format can store");
        }
        archive.WriteInt32(ByteLength());
        archive.WriteRaw(bytes_.data(), bytes_.size());
        return;
    }
    const std::int32_t length = archive.ReadInt32();
    archive.CheckClaim(length);
    bytes_.resize(static_cast<std::size_t>(std::max(0, length)));
    archive.ReadRaw(bytes_.data(), bytes_.size());
}

}  // namespace plexion
