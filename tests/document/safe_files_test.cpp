#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <set>
#include <thread>

#include "document_lock.h"
#include "plexion_doc_core.h"
#include "resource_container.h"
#include "safe_file_writer.h"
#include "temp_dir.h"
#include "temporary_files.h"
#include "text_item.h"

namespace plexion {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::size_t EntriesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

// Runs `body` in a child process; how the child ended (exit code, or 128 +
// the signal).
template <typename Body>
int InChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(SafeFileWriter, KeepNeverReplacesAndReplaceRespectsTheFilesPermission) {
    test::CTempDir dir;
    const std::string target = dir.File("out.bin");
    EXPECT_EQ(WriteFileSafely(target, Bytes{1, 2}, ExistingFile::Keep), "");
    EXPECT_NE(WriteFileSafely(target, Bytes{3}, ExistingFile::Keep).find("File exists"),
              std::string::npos);
    EXPECT_EQ(test::ReadFileBytes(target), (Bytes{1, 2}));

    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    const int refused = InChild([&] {
        // The superuser may write any file: the write is tried as nobody.
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return 2;
        }
        const std::string error = WriteFileSafely(target, Bytes{4});
        return error.find("Permission denied") != std::string::npos ? 0 : 1;
    });
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(test::ReadFileBytes(target), (Bytes{1, 2}));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(SafeFileWriter, AFullDiskLeavesTheOldFileAndNoTemporaryFile) {
    for (const Durability durability : {Durability::OnDisk, Durability::WrittenBack}) {
        test::CTempDir dir;
        const std::string target = dir.File("out.bin");
        test::WriteFileBytes(target, Bytes{9});
        const int ended = InChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const std::string error =
                WriteFileSafely(target, Bytes(100000, 7), ExistingFile::Replace, durability);
            return error.find("File too large") != std::string::npos ? 0 : 1;
        });
        EXPECT_EQ(ended, 0);
        EXPECT_EQ(test::ReadFileBytes(target), (Bytes{9}));
        EXPECT_EQ(EntriesIn(dir.Path()), 1u);
        EXPECT_EQ(WriteFileSafely(target, Bytes{5, 6}, ExistingFile::Replace, durability), "");
        EXPECT_EQ(test::ReadFileBytes(target), (Bytes{5, 6}));
        EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    }
}

TEST(SafeFileWriter, ATerminatedWriterRemovesItsTemporaryFile) {
    test::CTempDir dir;
    for (const int signal : {SIGTERM, SIGINT}) {
        const int ended = InChild([&] {
            InstallTemporaryFileCleanup();
            CSafeFileWriter writer;
            if (!writer.Open(dir.File("out.bin")) || !writer.Write(Bytes(10, 1))) {
                return 1;
            }
            std::raise(signal);
            return 2;
        });
        EXPECT_EQ(ended, 128 + signal);
        EXPECT_EQ(EntriesIn(dir.Path()), 0u) << signal;
    }
}

// The hidden files beside `target` that writers of it made, by name.
std::set<std::string> TemporariesOf(const test::CTempDir& dir, const std::string& target) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("." + target + ".")) {
            names.insert(name);
        }
    }
    return names;
}

void MakeOld(const std::string& path) {
    const timespec times[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// What a save killed at the wrong moment leaves: its hidden file, written a
// while ago. Returns its name.
std::string KilledSave(const test::CTempDir& dir, const std::string& target) {
    const std::set<std::string> before = TemporariesOf(dir, target);
    InChild([&] {
        CSafeFileWriter writer;
        if (writer.Open(dir.File(target)) && writer.Write(Bytes(100, 1))) {
            std::raise(SIGKILL);
        }
        return 1;
    });
    std::set<std::string> left = TemporariesOf(dir, target);
    for (const std::string& name : before) {
        left.erase(name);
    }
    EXPECT_EQ(left.size(), 1u);
    const std::string name = left.empty() ? std::string() : *left.begin();
    MakeOld(dir.File(name));
    return name;
}

TEST(SafeFileWriter, OpenAndSaveRemoveOnlyTheTemporariesOfKilledSaves) {
    test::CTempDir dir;
    CPlexionDocCore document;
    document.NewDocument();
    ASSERT_TRUE(document.SaveDocument(dir.File("level.dat")));
    const std::string killed = KilledSave(dir, "level.dat");
    // A save running now, whose file was last written long ago.
    CSafeFileWriter running;
    ASSERT_TRUE(running.Open(dir.File("level.dat")));
    std::set<std::string> kept = TemporariesOf(dir, "level.dat");
    kept.erase(killed);
    MakeOld(dir.File(*kept.begin()));
    // One just made, before its writer could lock it.
    test::WriteFileBytes(dir.File(".level.dat.Ab12Cd"), Bytes{1});
    kept.insert(".level.dat.Ab12Cd");
    // Another document's and a user's own hidden files.
    test::WriteFileBytes(dir.File(".other.dat.Ab12Cd"), Bytes{1});
    test::WriteFileBytes(dir.File(".level.dat.notes"), Bytes{1});
    MakeOld(dir.File(".other.dat.Ab12Cd"));
    MakeOld(dir.File(".level.dat.notes"));
    kept.insert(".level.dat.notes");

    CPlexionDocCore reader;
    ASSERT_EQ(reader.OpenDocument(dir.File("level.dat"), nullptr),
              CPlexionDocCore::OpenOutcome::Opened);
    EXPECT_EQ(TemporariesOf(dir, "level.dat"), kept);
    EXPECT_TRUE(std::filesystem::exists(dir.File(".other.dat.Ab12Cd")));
    ASSERT_TRUE(running.Write(Bytes{2}));
    EXPECT_TRUE(running.Commit());

    const std::string killedAgain = KilledSave(dir, "level.dat");
    ASSERT_TRUE(document.SaveDocument(dir.File("level.dat")));
    EXPECT_FALSE(std::filesystem::exists(dir.File(killedAgain)));
}

TEST(SafeFileWriter, WritingInAFolderNeverFollowsALink) {
    test::CTempDir dir;
    std::filesystem::create_directory(dir.File("inside"));
    test::WriteFileBytes(dir.File("outside.bin"), Bytes{5});
    std::filesystem::create_symlink(dir.File("outside.bin"), dir.File("inside/link.bin"));
    const int folder = ::open(dir.File("inside").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    CSafeFileWriter writer;
    EXPECT_FALSE(writer.OpenIn(folder, "link.bin", ExistingFile::Replace, "inside/link.bin"));
    EXPECT_FALSE(writer.OpenIn(folder, "link.bin", ExistingFile::Keep, "inside/link.bin"));
    EXPECT_EQ(writer.ErrorNumber(), EEXIST);
    ASSERT_TRUE(writer.OpenIn(folder, "new.bin", ExistingFile::Keep, "inside/new.bin"));
    ASSERT_TRUE(writer.Write(Bytes{6}) && writer.Commit());
    ::close(folder);
    EXPECT_EQ(test::ReadFileBytes(dir.File("outside.bin")), (Bytes{5}));
    EXPECT_EQ(test::ReadFileBytes(dir.File("inside/new.bin")), (Bytes{6}));
}

TEST(DocumentLock, ASecondWriterWaitsBoundedAndFollowsAReplacedFile) {
    test::CTempDir dir;
    const std::string path = dir.File("d.dat");
    CVKT_ResourceContainer c;
    ASSERT_EQ(c.Save(path), 1);

    CDocumentLock first;
    ASSERT_EQ(first.Acquire(path), CDocumentLock::Outcome::Locked);
    CDocumentLock second;
    EXPECT_EQ(second.Acquire(path, std::chrono::milliseconds(50)), CDocumentLock::Outcome::Busy);
    EXPECT_NE(second.Error().find("being changed by another program"), std::string::npos);

    // The holder saves (a new file takes the name) and lets go while the
    // second waits: the second then holds the new file, not the old one.
    std::thread holder([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        c.New<CVKT_Text>("new");
        c.Save(path);
        first.Release();
    });
    EXPECT_EQ(second.Acquire(path), CDocumentLock::Outcome::Locked);
    holder.join();
    const int probe = ::open(path.c_str(), O_RDONLY);
    EXPECT_NE(::flock(probe, LOCK_EX | LOCK_NB), 0);
    ::close(probe);

    EXPECT_EQ(CDocumentLock().Acquire(dir.File("none.dat")), CDocumentLock::Outcome::Missing);
    ASSERT_EQ(::mkfifo(dir.File("pipe.dat").c_str(), 0600), 0);
    EXPECT_EQ(CDocumentLock().Acquire(dir.File("pipe.dat")), CDocumentLock::Outcome::Failed);
}

TEST(ContainerIo, ADocumentIsReadFromAPipeAndAFifoWithoutWriterNeverWaits) {
    test::CTempDir dir;
    CVKT_ResourceContainer c;
    c.New<CVKT_Text>("through a pipe");
    ASSERT_EQ(c.Save(dir.File("d.dat")), 1);
    const Bytes file = test::ReadFileBytes(dir.File("d.dat"));

    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::thread writer([&] {
        EXPECT_EQ(::write(ends[1], file.data(), file.size()),
                  static_cast<ssize_t>(file.size()));
        ::close(ends[1]);
    });
    CVKT_ResourceContainer piped;
    EXPECT_EQ(piped.Load("/proc/self/fd/" + std::to_string(ends[0])), 1);
    writer.join();
    ::close(ends[0]);
    EXPECT_EQ(piped.LastLoadStatus(), LoadStatus::Clean);
    EXPECT_EQ(piped.Find<CVKT_Text>("through a pipe"), 0);

    ASSERT_EQ(::mkfifo(dir.File("fifo.dat").c_str(), 0600), 0);
    CVKT_ResourceContainer lonely;
    EXPECT_EQ(lonely.Load(dir.File("fifo.dat")), 1);
    EXPECT_EQ(lonely.LastLoadStatus(), LoadStatus::WrongType);
}

}  // namespace
}  // namespace plexion
