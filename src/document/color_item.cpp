#include "color_item.h"

#include <cstdio>

#include "archive.h"
#include "scramble.h"

namespace plexion {

std::unique_ptr<CVKT_Resource> CVKT_Color::NewOfSameKind() const {
    return std::make_unique<CVKT_Color>();
}

std::uint32_t CVKT_Color::FromRgb(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red & 0xFF) | static_cast<std::uint32_t>(green & 0xFF) << 8 |
           static_cast<std::uint32_t>(blue & 0xFF) << 16;
}

int CVKT_Color::Serialize(CArchive& archive) {
    if (!CVKT_Resource::Serialize(archive)) {
        return 0;
    }
    if (archive.IsStoring()) {
        archive.WriteInt32(0);
        archive.WriteInt32(1);
        archive.WriteInt32(value_);
        archive.WriteUInt32(MaskColor(color_));
    } else {
        archive.Skip(8);
        value_ = archive.ReadInt32();
        color_ = MaskColor(archive.ReadUInt32());
        alpha_ = 255;
    }
    return 1;
}

std::string CVKT_Color::Specifications() const {
    char text[64];
    std::snprintf(text, sizeof text, "Alpha %d, RGB( %d, %d, %d )", alpha_ & 0xFF, Red(), Green(),
                  Blue());
    return text;
}

}  // namespace plexion
