#pragma once

#include <QString>

#include <algorithm>
#include <string>

namespace plexion {

// Texts are stored as bytes and shown as UTF-8.
inline QString FromStored(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToStored(const QString& text) {
    // ASCII is its own UTF-8: narrowed straight into the bytes, without a
    // second copy through a byte array.
    std::string ascii(static_cast<size_t>(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit >= 0x80) {
            const QByteArray bytes = text.toUtf8();
            return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
        }
        ascii[static_cast<size_t>(i)] = static_cast<char>(unit);
    }
    return ascii;
}

// Whether `bytes` show as `text`. ASCII bytes show as themselves, unit for
// unit, so they are compared in one pass without being decoded; the bytes
// are decoded only from the first one past ASCII on.
inline bool ShownAs(const std::string& bytes, QStringView text) {
    const auto count = static_cast<qsizetype>(bytes.size());
    for (qsizetype i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
        if (byte >= 0x80) {
            return text.sliced(std::min(i, text.size())) ==
                   QString::fromUtf8(bytes.data() + i, count - i);
        }
        if (i == text.size() || text[i].unicode() != byte) {
            return false;
        }
    }
    return text.size() == count;
}

// Stores an edited text into `field` unless the edit left the shown text as
// it was, so that bytes that are not UTF-8 survive an edit that changed
// nothing. Returns whether the field changed.
inline bool StoreEditedText(std::string& field, const QString& edited) {
    if (ShownAs(field, edited)) {
        return false;
    }
    field = ToStored(edited);
    return true;
}

}  // namespace plexion
