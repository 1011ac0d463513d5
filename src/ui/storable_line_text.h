#pragma once

#include <QtGlobal>

#include <cstdint>
#include <limits>

class QLineEdit;
class QString;

namespace plexion {

// The longest text a document stores: its length is written in 32 bits.
inline constexpr qint64 kMaxStoredTextBytes = std::numeric_limits<std::uint32_t>::max();

// The UTF-8 length of `text`, in which documents keep it.
qint64 Utf8Length(const QString& text);

// A one-line field that takes any text of at most `maxBytes` UTF-8 bytes.
// QLineEdit would cut a paste at 32,767 characters without a word; here a
// typed, pasted or dropped text that would pass the limit is refused whole
// and a message says so.
void MakeStorableLineText(QLineEdit* edit, qint64 maxBytes = kMaxStoredTextBytes);

}  // namespace plexion
