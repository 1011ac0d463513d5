#include "video_commands.h"

#include <cstdio>

#include "argument_values.h"
#include "compression_choice.h"
#include "tool_failure.h"
#include "video_conversions.h"

namespace plexion::tool {
namespace {

constexpr int kMaxFramesPerSecond = 1000;
constexpr int kMaxFrameSide = 16384;

int IntOption(const CToolOptions& options, const char* name, int fallback, int lowest,
              int highest) {
    const std::optional<std::string> text = options.Value(name);
    if (!text) {
        return fallback;
    }
    const int value = ParseSaturatingInt(*text, name);
    if (value < lowest || value > highest) {
        throw UsageError(std::string(name) + " must be from " + std::to_string(lowest) + " to " +
                         std::to_string(highest));
    }
    return value;
}

SCompressionOptions CompressionFrom(const CToolOptions& options) {
    SCompressionOptions chosen;
    chosen.codec = options.Value("--codec").value_or(chosen.codec);
    const std::optional<SOfferedCodec> codec = FindOfferedCodec(chosen.codec);
    if (!codec) {
        throw UsageError("no codec \"" + chosen.codec + "\" (see plexion-tool codecs)");
    }
    if (options.Has("--quality") && !codec->hasQuality) {
        throw UsageError("the codec \"" + chosen.codec + "\" takes no --quality");
    }
    chosen.quality = IntOption(options, "--quality", 0, 1, 31);
    chosen.keyFrameInterval = IntOption(options, "--key-frames", 0, 1, 100000);
    return chosen;
}

// Progress lines go to standard error as they would to the status bar;
// every message box becomes a line, and any of them fails the command.
struct CTerminalHooks {
    bool failed = false;
    SConversionHooks Hooks() {
        return {[](const std::string& status) {
                    std::fputs(status.c_str(), stderr);
                    if (status.empty() || status.back() != '\n') {
                        std::fputc('\n', stderr);
                    }
                },
                [this](const std::string& message) {
                    failed = true;
                    std::fprintf(stderr, "plexion-tool: %s\n", message.c_str());
                },
                [] { return false; }};
    }
};

int ExitCodeOf(EConversionEnd end, const CTerminalHooks& terminal) {
    return end == EConversionEnd::Done && !terminal.failed ? kExitOk : kExitFileProblem;
}

}  // namespace

int RunImagesToAvi(const CToolOptions& options) {
    SImagesToAviRequest request;
    request.destination = options.arguments.at(0);
    request.sources.assign(options.arguments.begin() + 1, options.arguments.end());
    request.framesPerSecond =
        IntOption(options, "--fps", request.framesPerSecond, INT32_MIN, kMaxFramesPerSecond);
    request.width = IntOption(options, "--width", request.width, 1, kMaxFrameSide);
    request.height = IntOption(options, "--height", request.height, 1, kMaxFrameSide);
    const SCompressionOptions compression = CompressionFrom(options);
    CTerminalHooks terminal;
    const EConversionEnd end = ImagesToAvi(
        request, [&compression] { return std::optional(compression); }, terminal.Hooks());
    return ExitCodeOf(end, terminal);
}

int RunAviToImages(const CToolOptions& options) {
    SAviToImagesRequest request;
    request.source = options.arguments.at(0);
    request.destination = options.arguments.at(1);
    request.extractAlpha = !options.Has("--no-alpha");
    CTerminalHooks terminal;
    const EConversionEnd end = AviToImages(request, terminal.Hooks());
    return ExitCodeOf(end, terminal);
}

int RunCodecs(const CToolOptions&) {
    for (const SOfferedCodec& codec : OfferedCodecs()) {
        std::printf("%s\t%s%s\n", codec.name.c_str(), codec.description.c_str(),
                    codec.hasQuality ? " (--quality 1 to 31)" : "");
    }
    return kExitOk;
}

}  // namespace plexion::tool
