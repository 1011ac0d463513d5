#include "seed_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "archive.h"
#include "resource_container.h"

namespace plexion_fuzz {

void WriteSavedSeed(plexion::CVKT_ResourceContainer& document, const std::filesystem::path& file,
                    bool answerYes) {
    const std::filesystem::path saved = file.string() + ".saved";
    if (!document.Save(saved.string())) {
        throw std::runtime_error(document.LastSaveError());
    }
    std::vector<char> bytes;
    {
        std::ifstream in(saved, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(saved);
    WriteComposedSeed(file, answerYes, [&](plexion::CArchive& archive) {
        archive.WriteRaw(bytes.data(), bytes.size());
    });
}

void WriteComposedSeed(const std::filesystem::path& file, bool answerYes,
                       const std::function<void(plexion::CArchive&)>& compose) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("cannot create " + file.string());
    }
    try {
        plexion::CArchive archive = plexion::CArchive::WriterTo(fd);
        archive.WriteByte(answerYes ? 1 : 0);
        compose(archive);
        archive.Flush();
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

}  // namespace plexion_fuzz
