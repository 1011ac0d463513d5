#include "archive_bytes.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace plexion::test {

std::vector<std::uint8_t> ArchiveBytes(const std::function<void(CArchive&)>& write) {
    std::FILE* file = std::tmpfile();
    if (!file) {
        throw std::runtime_error("no temporary file");
    }
    const int fd = ::fileno(file);
    {
        CArchive archive = CArchive::WriterTo(fd);
        write(archive);
        archive.Flush();
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(::lseek(fd, 0, SEEK_END)));
    ::pread(fd, bytes.data(), bytes.size(), 0);
    std::fclose(file);
    return bytes;
}

void WriteDocumentHeader(CArchive& archive, const std::string& name, const std::string& comments,
                         std::int32_t version) {
    archive.WriteString("VKR_RES");
    archive.WriteInt32(0);
    archive.WriteInt32(version);
    if (version == 3) {
        archive.WriteInt32(3);
        archive.WriteScrambledString(name);
        archive.WriteScrambledString(comments);
    }
}

void WriteChunkHeader(CArchive& archive, const std::string& tag, std::int32_t count) {
    archive.WriteString("");
    archive.WriteScrambledString(tag);
    archive.WriteInt32(0);
    archive.WriteInt32(1);
    archive.WriteInt32(0);
    archive.WriteInt32(count);
}

void WriteItemHeader(CArchive& archive, const std::string& id, const std::string& comments) {
    archive.WriteInt32(0);
    archive.WriteInt32(1);
    archive.WriteInt32(0);
    archive.WriteScrambledString(id);
    archive.WriteScrambledString(comments);
}

}  // namespace plexion::test
