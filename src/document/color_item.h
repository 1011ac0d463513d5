#pragma once

#include <cstdint>

#include "resource.h"

namespace plexion {

// A named color: red in bits 0-7, green in 8-15, blue in 16-23. The alpha is
// the editor's own and is not stored.
class CVKT_Color : public CVKT_Resource {
public:
    static constexpr int kKind = 6;

    int Serialize(CArchive& archive) override;
    // "Alpha %d, RGB( %d, %d, %d )"
    std::string Specifications() const override;

    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t color) { color_ = color; }
    int Alpha() const { return alpha_; }
    void SetAlpha(int alpha) { alpha_ = alpha; }
    std::int32_t Value() const { return value_; }
    void SetValue(std::int32_t value) { value_ = value; }

    int Red() const { return static_cast<int>(color_ & 0xFF); }
    int Green() const { return static_cast<int>((color_ >> 8) & 0xFF); }
    int Blue() const { return static_cast<int>((color_ >> 16) & 0xFF); }
    static std::uint32_t FromRgb(int red, int green, int blue);

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    std::uint32_t color_ = 0;
    int alpha_ = 255;
    std::int32_t value_ = 0;
};

}  // namespace plexion
