#include "wmf_decoder.h"

#include "wmf_library.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

#include "decode_limits.h"
#include "metafile_structure.h"
#include "metafile_svg.h"
#include "wmf_painter.h"
#include "wmf_player_input.h"

namespace plexion {
namespace {

// libwmf keeps process-wide state, so one metafile is played at a time.
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

// Owns a libwmf player that paints with Qt. It is created through libwmf's
// light interface: text is measured and drawn by Qt, so libwmf's font engine
// and its font files are not involved. Destroying the player frees
// everything libwmf allocated for it.
class CWmfPlayer {
public:
    CWmfPlayer() {
        wmfAPI_Options options;
        std::memset(&options, 0, sizeof options);
        options.function = InstallWmfPainter;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_lite_create(&api_, flags, &options) != wmf_E_None) {
            api_ = nullptr;
        }
    }
    ~CWmfPlayer() {
        if (api_ != nullptr) {
            wmf_lite_destroy(api_);
        }
    }
    CWmfPlayer(const CWmfPlayer&) = delete;
    CWmfPlayer& operator=(const CWmfPlayer&) = delete;

    wmfAPI* Api() const { return api_; }

private:
    wmfAPI* api_ = nullptr;
};

SDecodedPicture Play(wmfAPI* api, const SWmfLayout& layout) {
    SWmfDevice device;
    AttachWmfDevice(api, &device);
    wmfD_Rect bbox;
    if (wmf_scan(api, 0, &bbox) != wmf_E_None) {
        return SDecodedPicture::Failed(EDecodeProblem::NotAPicture);
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
            return SDecodedPicture::Failed(EDecodeProblem::NotAPicture);
        }
        size = MetafilePixelSize(width / kMetafileDotsPerInch, height / kMetafileDotsPerInch);
    }
    if (!size) {
        return SDecodedPicture::Failed(EDecodeProblem::NotAPicture);
    }
    device.canvas.emplace(bbox, *size);
    if (!device.canvas->IsValid() || wmf_play(api, 0, &bbox) != wmf_E_None) {
        return SDecodedPicture::Failed(EDecodeProblem::NotAPicture);
    }
    if (device.canvas->OverBudget()) {
        return SDecodedPicture::Failed(EDecodeProblem::TooMuchWork);
    }
    return SDecodedPicture::Of(device.canvas->TakeImage());
}

}  // namespace

SDecodedPicture DecodeWmf(std::span<const std::uint8_t> bytes) {
    const std::optional<SWmfLayout> layout = CheckWmfStructure(bytes);
    if (!layout) {
        return SDecodedPicture::Failed(EDecodeProblem::NotAPicture);
    }
    if (layout->recordCount > kMaxMetafileRecords) {
        return SDecodedPicture::Failed(EDecodeProblem::TooMuchWork);
    }
    const std::vector<std::uint8_t> prepared = PrepareWmfForPlayer(bytes, *layout);
    SMemoryInput input{&prepared, 0};

    const std::lock_guard lock(gWmfMutex);
    CWmfPlayer player;
    if (player.Api() == nullptr ||
        wmf_bbuf_input(player.Api(), ReadByte, Seek, Tell, &input) != wmf_E_None) {
        return SDecodedPicture::Failed(EDecodeProblem::NotAPicture);
    }
    return Play(player.Api(), *layout);
}

}  // namespace plexion
