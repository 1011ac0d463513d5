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

// Whether `bytes` show as `text`. ASCII bytes show as themselves and are
// compared without being decoded first.
inline bool ShownAs(const std::string& bytes, const QString& text) {
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
    if (ascii) {
        return text == QLatin1StringView(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return text == FromStored(bytes);
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
