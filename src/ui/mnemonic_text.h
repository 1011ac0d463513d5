#pragma once

#include <QString>

namespace plexion {

// A label as a window title shows it: "&Value" → "Value", "A && B" → "A & B".
inline QString WithoutMnemonics(const QString& label) {
    QString text;
    text.reserve(label.size());
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label[i] == QLatin1Char('&') && i + 1 < label.size()) {
            ++i;
        }
        text += label[i];
    }
    return text;
}

}  // namespace plexion
