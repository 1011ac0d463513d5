// plexion-tool export and build of the ~200 MiB synthetic document against
// plain reads and writes of the same files, in one run. Export reads the
// document and writes the folder; its baseline reads the document's bytes and
// writes files of the folder's sizes. Build reads the folder and writes the
// document; its baseline reads the folder's files and writes the document's
// bytes. Every plain write is fsynced, as the tool's safe writes are. The tool
// runs as its own process, so its peak memory is measured too: it should be
// the document and one payload, not the document twice.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "all_kinds.h"
#include "bench_runner.h"
#include "plain_io.h"
#include "resource_container.h"
#include "synthetic_document.h"

namespace {

namespace fs = std::filesystem;

fs::path Scratch(const std::string& role) {
    return fs::temp_directory_path() /
           ("plexion_folder_bench_" + std::to_string(::getpid()) + "_" + role);
}

std::string ToolPath() {
    return (fs::read_symlink("/proc/self/exe").parent_path() / "plexion-tool").string();
}

// Runs plexion-tool for the benchmark from a small process of its own,
// started before the benchmark holds anything: a process started from the
// benchmark itself would inherit the benchmark's memory as its peak.
class CToolLauncher {
public:
    CToolLauncher() {
        int ends[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
            throw std::runtime_error("cannot make the launcher's socket");
        }
        const std::string tool = ToolPath();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ends[0]);
            Serve(ends[1], tool);
        }
        ::close(ends[1]);
        socket_ = ends[0];
    }
    CToolLauncher(const CToolLauncher&) = delete;
    CToolLauncher& operator=(const CToolLauncher&) = delete;
    ~CToolLauncher() {
        ::close(socket_);
        ::waitpid(pid_, nullptr, 0);
    }

    // Runs plexion-tool with the arguments; its peak resident memory in
    // bytes.
    std::int64_t Run(const std::vector<std::string>& arguments) {
        std::string request;
        for (const std::string& word : arguments) {
            request += word;
            request += '\0';
        }
        const auto size = static_cast<std::uint32_t>(request.size());
        std::int64_t reply[2] = {-1, 0};
        if (!SendAll(socket_, &size, sizeof size) ||
            !SendAll(socket_, request.data(), request.size()) ||
            !ReceiveAll(socket_, reply, sizeof reply) || reply[0] != 0) {
            throw std::runtime_error("plexion-tool " + arguments.at(0) + " failed");
        }
        return reply[1];
    }

private:
    static bool SendAll(int fd, const void* data, std::size_t size) {
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t n = ::write(fd, bytes, size);
            if (n <= 0) {
                return false;
            }
            bytes += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }
    static bool ReceiveAll(int fd, void* data, std::size_t size) {
        auto* bytes = static_cast<char*>(data);
        while (size > 0) {
            const ssize_t n = ::read(fd, bytes, size);
            if (n <= 0) {
                return false;
            }
            bytes += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }

    [[noreturn]] static void Serve(int socket, const std::string& tool) {
        std::uint32_t size = 0;
        while (ReceiveAll(socket, &size, sizeof size)) {
            std::string request(size, '\0');
            if (!ReceiveAll(socket, request.data(), size)) {
                break;
            }
            std::vector<std::string> words = {tool};
            for (std::size_t at = 0; at < request.size();) {
                const std::size_t end = request.find('\0', at);
                words.push_back(request.substr(at, end - at));
                at = end + 1;
            }
            std::int64_t reply[2] = {-1, 0};
            const pid_t child = ::fork();
            if (child == 0) {
                std::vector<char*> argv;
                for (std::string& word : words) {
                    argv.push_back(word.data());
                }
                argv.push_back(nullptr);
                ::execv(argv[0], argv.data());
                ::_exit(127);
            }
            int status = 0;
            struct rusage usage {};
            if (child > 0 && ::wait4(child, &status, 0, &usage) == child && WIFEXITED(status)) {
                reply[0] = WEXITSTATUS(status);
                reply[1] = static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
            }
            if (!SendAll(socket, reply, sizeof reply)) {
                break;
            }
        }
        ::_exit(0);
    }

    pid_t pid_ = -1;
    int socket_ = -1;
};

CToolLauncher* launcher = nullptr;

std::int64_t RunTool(const std::vector<std::string>& arguments) {
    return launcher->Run(arguments);
}

struct CFolderFile {
    fs::path relative;
    std::uint64_t size;
};

// The document saved once, and its folder exported once: the sizes the
// baselines write and read.
struct CShared {
    CShared() {
        plexion::CVKT_ResourceContainer document;
        plexion_bench::FillSyntheticDocument(document);
        if (!document.Save(dat.string())) {
            throw std::runtime_error(document.LastSaveError());
        }
        datBytes = fs::file_size(dat);
        RunTool({"export", dat.string(), folder.string()});
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) {
                files.push_back({fs::relative(entry.path(), folder), entry.file_size()});
                folderBytes += entry.file_size();
                largestFile = std::max(largestFile, entry.file_size());
            }
        }
    }
    ~CShared() {
        std::error_code ignored;
        fs::remove(dat, ignored);
        fs::remove_all(folder, ignored);
    }

    fs::path dat = Scratch("document.dat");
    fs::path folder = Scratch("folder");
    std::uint64_t datBytes = 0;
    std::uint64_t folderBytes = 0;
    std::uint64_t largestFile = 0;
    std::vector<CFolderFile> files;
};

CShared& Shared() {
    static CShared shared;
    return shared;
}

void Finish(benchmark::State& state, std::int64_t peakBytes = 0) {
    const CShared& shared = Shared();
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * (shared.datBytes + shared.folderBytes)));
    state.counters["document_MiB"] = static_cast<double>(shared.datBytes) / (1024.0 * 1024.0);
    state.counters["folder_MiB"] = static_cast<double>(shared.folderBytes) / (1024.0 * 1024.0);
    if (peakBytes > 0) {
        state.counters["peak_MiB"] = static_cast<double>(peakBytes) / (1024.0 * 1024.0);
    }
}

void BM_Export(benchmark::State& state) {
    CShared& shared = Shared();
    const fs::path target = Scratch("export");
    std::int64_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(target);
        state.ResumeTiming();
        peak = std::max(peak, RunTool({"export", shared.dat.string(), target.string()}));
    }
    fs::remove_all(target);
    Finish(state, peak);
}

void BM_PlainExport(benchmark::State& state) {
    CShared& shared = Shared();
    const fs::path target = Scratch("plain_export");
    // Any bytes will do for the files; the document's own are at hand.
    std::vector<std::uint8_t> content(shared.largestFile);
    plexion_bench::PlainRead(shared.dat.string(), content.data(), content.size());
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(target);
        state.ResumeTiming();
        auto document = std::make_unique_for_overwrite<std::uint8_t[]>(shared.datBytes);
        benchmark::DoNotOptimize(
            plexion_bench::PlainRead(shared.dat.string(), document.get(), shared.datBytes));
        for (const CFolderFile& file : shared.files) {
            fs::create_directories((target / file.relative).parent_path());
            plexion_bench::PlainWrite((target / file.relative).string(), content.data(), file.size);
        }
    }
    fs::remove_all(target);
    Finish(state);
}

void BM_Build(benchmark::State& state) {
    CShared& shared = Shared();
    const fs::path target = Scratch("built.dat");
    std::int64_t peak = 0;
    for (auto _ : state) {
        peak = std::max(peak, RunTool({"build", shared.folder.string(), target.string()}));
    }
    fs::remove(target);
    Finish(state, peak);
}

void BM_PlainBuild(benchmark::State& state) {
    CShared& shared = Shared();
    const fs::path target = Scratch("plain_built.dat");
    std::vector<std::uint8_t> document(shared.datBytes);
    plexion_bench::PlainRead(shared.dat.string(), document.data(), document.size());
    for (auto _ : state) {
        for (const CFolderFile& file : shared.files) {
            auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(file.size);
            benchmark::DoNotOptimize(plexion_bench::PlainRead(
                (shared.folder / file.relative).string(), bytes.get(), file.size));
        }
        plexion_bench::PlainWrite(target.string(), document.data(), document.size());
    }
    fs::remove(target);
    Finish(state);
}

constexpr int kIterations = 3;

BENCHMARK(BM_PlainExport)->Iterations(kIterations)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Export)->Iterations(kIterations)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainBuild)->Iterations(kIterations)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Build)->Iterations(kIterations)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    CToolLauncher toolLauncher;
    launcher = &toolLauncher;
    plexion::RegisterAllResourceKinds();
    return plexion::RunBenchmarks(argc, argv);
}
