#pragma once

#include <cstdint>
#include <string>

#include "byte_buffer.h"
#include "resource.h"

namespace plexion {

// An arbitrary file carried inside the document, with the path it came from.
class CVKT_BinaryFile : public CVKT_Resource {
public:
    static constexpr int kKind = 7;

    int Serialize(CArchive& archive) override;
    // "%d Bytes"
    std::string Specifications() const override;

    CVKT_ByteBuffer& Data() { return data_; }
    const CVKT_ByteBuffer& Data() const { return data_; }
    // 0: stored block-scrambled; any other value: stored as it is.
    std::int32_t PlainFlag() const { return plain_; }
    void SetPlainFlag(std::int32_t plain) { plain_ = plain; }
    const std::string& SourceFilename() const { return sourceFilename_; }
    void SetSourceFilename(std::string path) { sourceFilename_ = std::move(path); }

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    CVKT_ByteBuffer data_;
    std::int32_t plain_ = 0;
    std::string sourceFilename_;
};

}  // namespace plexion
