#pragma once

#include <QString>

#include <string>

namespace plexion {

// Texts are stored as bytes and shown as UTF-8.
inline QString FromStored(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToStored(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// Stores an edited text into `field` unless the edit left the shown text as
// it was, so that bytes that are not UTF-8 survive an edit that changed
// nothing. Returns whether the field changed.
inline bool StoreEditedText(std::string& field, const QString& edited) {
    if (edited == FromStored(field)) {
        return false;
    }
    field = ToStored(edited);
    return true;
}

}  // namespace plexion
