#include "emf_decoder.h"

#include <emf2svg.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#include "decode_limits.h"
#include "metafile_structure.h"

namespace plexion {
namespace {

// libemf2svg keeps static state of its own, so one metafile is translated at
// a time.
std::mutex gEmfMutex;

constexpr double kHundredthsOfMmPerInch = 2540.0;

struct SFreeDeleter {
    void operator()(char* text) const { std::free(text); }
};

std::optional<QSize> PictureSize(const SEmfLayout& layout) {
    const SEmfRect& frame = layout.frameHundredthsOfMm;
    if (frame.right > frame.left && frame.bottom > frame.top) {
        return MetafilePixelSize((double(frame.right) - frame.left) / kHundredthsOfMmPerInch,
                                 (double(frame.bottom) - frame.top) / kHundredthsOfMmPerInch);
    }
    const SEmfRect& bounds = layout.boundsPixels;
    return MetafilePixelSize((double(bounds.right) - bounds.left + 1) / kMetafileDotsPerInch,
                             (double(bounds.bottom) - bounds.top + 1) / kMetafileDotsPerInch);
}

}  // namespace

std::optional<SMetafileSvg> ConvertEmfToSvg(std::span<const std::uint8_t> bytes,
                                            bool& tooMuchWork) {
    const std::optional<SEmfLayout> layout = CheckEmfStructure(bytes);
    tooMuchWork = layout && layout->recordCount > kMaxMetafileRecords;
    if (!layout || tooMuchWork) {
        return std::nullopt;
    }
    const std::optional<QSize> size = PictureSize(*layout);
    if (!size) {
        return std::nullopt;
    }
    // The converter takes a mutable buffer; it gets a copy of its own.
    std::vector<char> contents(bytes.begin(), bytes.end());
    static char noNamespace[] = "";
    generatorOptions options{};
    options.nameSpace = noNamespace;
    options.verbose = false;
    // Files with EMF+ records also carry plain EMF records for readers
    // without EMF+ support; those are drawn.
    options.emfplus = false;
    options.svgDelimiter = true;
    // Zero keeps the drawing at its device size; the renderer stretches it.
    options.imgWidth = 0;
    options.imgHeight = 0;

    char* text = nullptr;
    std::size_t length = 0;
    int converted = 0;
    {
        const std::lock_guard lock(gEmfMutex);
        converted = emf2svg(contents.data(), contents.size(), &text, &length, &options);
    }
    const std::unique_ptr<char, SFreeDeleter> owned(text);
    if (converted != 1 || text == nullptr || length == 0) {
        return std::nullopt;
    }
    return SMetafileSvg{QByteArray(text, static_cast<qsizetype>(length)), *size};
}

}  // namespace plexion
