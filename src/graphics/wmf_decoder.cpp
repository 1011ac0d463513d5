#include "wmf_decoder.h"

#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "metafile_structure.h"

namespace plexion {
namespace {

// libwmf keeps process-wide state (its font engine and the gd module's
// globals), so one metafile is played at a time.
std::mutex gWmfMutex;

// libwmf measures the device space it plays into in points.
constexpr double kPointsPerInch = 72.0;

struct SMemoryInput {
    const std::vector<std::uint8_t>* bytes = nullptr;
    long position = 0;
};

int ReadByte(void* context) {
    auto* input = static_cast<SMemoryInput*>(context);
    if (input->position < 0 || static_cast<std::size_t>(input->position) >= input->bytes->size()) {
        return EOF;
    }
    return (*input->bytes)[static_cast<std::size_t>(input->position++)];
}

int Seek(void* context, long position) {
    auto* input = static_cast<SMemoryInput*>(context);
    if (position < 0 || static_cast<std::size_t>(position) > input->bytes->size()) {
        return -1;
    }
    input->position = position;
    return 0;
}

long Tell(void* context) {
    return static_cast<SMemoryInput*>(context)->position;
}

// Owns a libwmf player; destroying it frees everything libwmf allocated for
// it, the SVG output buffer included.
class CWmfPlayer {
public:
    CWmfPlayer() {
        wmfAPI_Options options;
        std::memset(&options, 0, sizeof options);
        options.function = wmf_svg_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api_, flags, &options) != wmf_E_None) {
            api_ = nullptr;
        }
    }
    ~CWmfPlayer() {
        if (api_ != nullptr) {
            wmf_api_destroy(api_);
        }
    }
    CWmfPlayer(const CWmfPlayer&) = delete;
    CWmfPlayer& operator=(const CWmfPlayer&) = delete;

    wmfAPI* Api() const { return api_; }

private:
    wmfAPI* api_ = nullptr;
};

void WriteU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::optional<SMetafileSvg> Play(wmfAPI* api, const SWmfLayout& layout) {
    wmfD_Rect bbox;
    if (wmf_scan(api, 0, &bbox) != wmf_E_None) {
        return std::nullopt;
    }
    std::optional<QSize> size;
    if (layout.placeable) {
        // libwmf maps the placeable frame's top-left corner to the origin.
        const SWmfPlaceableFrame& frame = *layout.placeable;
        const double widthInches = double(frame.right - frame.left) / frame.unitsPerInch;
        const double heightInches = double(frame.bottom - frame.top) / frame.unitsPerInch;
        bbox.TL.x = 0;
        bbox.TL.y = 0;
        bbox.BR.x = static_cast<float>(widthInches * kPointsPerInch);
        bbox.BR.y = static_cast<float>(heightInches * kPointsPerInch);
        size = MetafilePixelSize(widthInches, heightInches);
    } else {
        // Without a frame the drawing's extent is the picture, at the size
        // libwmf gives it for the same resolution.
        unsigned int width = 0;
        unsigned int height = 0;
        if (wmf_display_size(api, &width, &height, kMetafileDotsPerInch, kMetafileDotsPerInch) !=
            wmf_E_None) {
            return std::nullopt;
        }
        size = MetafilePixelSize(width / kMetafileDotsPerInch, height / kMetafileDotsPerInch);
    }
    if (!size) {
        return std::nullopt;
    }
    wmf_svg_t* device = WMF_SVG_GetData(api);
    device->out = wmf_stream_create(api, nullptr);
    if (device->out == nullptr) {
        return std::nullopt;
    }
    static char description[] = "Plexion";
    device->Description = description;
    device->bbox = bbox;
    device->width = static_cast<unsigned int>(size->width());
    device->height = static_cast<unsigned int>(size->height());
    device->flags |= WMF_SVG_INLINE_IMAGES;
    const wmf_error_t played = wmf_play(api, 0, &bbox);
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, device->out, &text, &length);
    device->out = nullptr;
    if (played != wmf_E_None || text == nullptr || length == 0) {
        return std::nullopt;
    }
    return SMetafileSvg{QByteArray(text, static_cast<qsizetype>(length)), *size};
}

}  // namespace

std::optional<SMetafileSvg> ConvertWmfToSvg(std::span<const std::uint8_t> bytes) {
    const std::optional<SWmfLayout> layout = CheckWmfStructure(bytes);
    if (!layout) {
        return std::nullopt;
    }
    // libwmf sizes its record buffer from the header's claim, so it is given
    // the true largest record instead of whatever the file says.
    std::vector<std::uint8_t> patched(bytes.begin(), bytes.end());
    WriteU32(patched, layout->maxRecordFieldOffset, layout->largestRecordWords);
    SMemoryInput input{&patched, 0};

    const std::lock_guard lock(gWmfMutex);
    CWmfPlayer player;
    if (player.Api() == nullptr ||
        wmf_bbuf_input(player.Api(), ReadByte, Seek, Tell, &input) != wmf_E_None) {
        return std::nullopt;
    }
    return Play(player.Api(), *layout);
}

}  // namespace plexion
