#pragma once

#include <QString>

#include <algorithm>
#include <string>
#include <string_view>

namespace plexion {

// Texts are stored as bytes and shown as UTF-8.
inline QString FromStored(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Whether all of a text is ASCII. Without a way out in the middle, the
// compiler looks at many units at once, which is faster for the texts a
// sheet holds than stopping early.
inline bool IsAscii(QStringView text) {
    char16_t any = 0;
    for (const QChar c : text) {
        any |= c.unicode();
    }
    return any < 0x80;
}

inline bool IsAscii(std::string_view bytes) {
    unsigned char any = 0;
    for (const char byte : bytes) {
        any |= static_cast<unsigned char>(byte);
    }
    return any < 0x80;
}

// Writes the bytes `text` is stored as into `bytes`, in the room it has.
inline void AssignStored(std::string& bytes, QStringView text) {
    if (!IsAscii(text)) {
        const QByteArray utf8 = text.toUtf8();
        bytes.assign(utf8.constData(), static_cast<size_t>(utf8.size()));
        return;
    }
    // ASCII is its own UTF-8: narrowed straight into the bytes, without a
    // second copy through a byte array.
    bytes.resize(static_cast<size_t>(text.size()));
    std::transform(text.begin(), text.end(), bytes.begin(),
                   [](QChar c) { return static_cast<char>(c.unicode()); });
}

inline std::string ToStored(const QString& text) {
    std::string bytes;
    AssignStored(bytes, text);
    return bytes;
}

// The bytes `text` is stored as, in room of the calling thread that the
// next call writes over: storing the texts of a replace over a whole large
// sheet needs no new string for each.
inline std::string_view StoredView(QStringView text) {
    thread_local std::string bytes;
    AssignStored(bytes, text);
    return bytes;
}

// Whether `bytes` show as `text`. ASCII bytes show as themselves, unit for
// unit, so they are compared without being decoded; other bytes are
// decoded only from the first one past ASCII on.
inline bool ShownAs(const std::string& bytes, QStringView text) {
    if (IsAscii(bytes)) {
        return text == QLatin1String(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
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
    AssignStored(field, edited);
    return true;
}

}  // namespace plexion
