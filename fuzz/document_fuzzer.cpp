// Loads arbitrary bytes as a document. The first byte chooses the answer to
// the old-version question (bit 0 set: Yes), so both sides of it are reached.
// Every cleanly read document must also survive saving: what is saved reads
// back cleanly, and saving that again gives the same bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "all_kinds.h"
#include "message_presenter.h"
#include "resource_container.h"

namespace {

using plexion::CVKT_ResourceContainer;
using plexion::LoadStatus;

class CYesPresenter final : public plexion::IMessagePresenter {
public:
    plexion::MessageAnswer Show(const std::string&, plexion::MessageIcon,
                                plexion::MessageButtons buttons) override {
        return buttons == plexion::MessageButtons::Ok ? plexion::MessageAnswer::Ok
                                                      : plexion::MessageAnswer::Yes;
    }
};

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "document_fuzzer: %s\n", what);
    std::abort();
}

// One file per process: parallel fuzzing jobs never share it. TMPDIR lets
// the runner put it on a memory file system, where the save's fsync is cheap.
const std::string& ScratchPath() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("plexion_fuzz_" + std::to_string(::getpid()) + ".dat"))
                                        .string();
    return path;
}

std::vector<char> SaveAndReadBack(CVKT_ResourceContainer& container) {
    if (!container.Save(ScratchPath())) {
        Fail(("saving failed: " + container.LastSaveError()).c_str());
    }
    std::ifstream file(ScratchPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void CheckSaveIsFixedPoint(CVKT_ResourceContainer& loaded) {
    const std::vector<char> first = SaveAndReadBack(loaded);
    CVKT_ResourceContainer reloaded;
    reloaded.Load(ScratchPath());
    if (reloaded.LastLoadStatus() != LoadStatus::Clean) {
        Fail("a saved document does not read back cleanly");
    }
    if (SaveAndReadBack(reloaded) != first) {
        Fail("saving a reloaded document changed its bytes");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    plexion::RegisterAllResourceKinds();
    std::atexit([] { std::remove(ScratchPath().c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    CYesPresenter yes;
    CVKT_ResourceContainer container((data[0] & 1) != 0 ? &yes : nullptr);
    container.LoadFromBytes(std::span<const std::uint8_t>(data + 1, size - 1));
    // A mended document holds all its file held, so it saves whole too.
    const LoadStatus status = container.LastLoadStatus();
    if (status == LoadStatus::Clean || status == LoadStatus::Mended) {
        CheckSaveIsFixedPoint(container);
    }
    return 0;
}
