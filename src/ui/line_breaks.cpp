#include "line_breaks.h"

#include <QRegularExpression>

namespace plexion {

QString ShownLineBreaks(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString LineBreakOf(const QString& text) {
    const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (at < 0 || text[at] == QLatin1Char('\n')) {
        return QStringLiteral("\n");
    }
    return at + 1 < text.size() && text[at + 1] == QLatin1Char('\n') ? QStringLiteral("\r\n")
                                                                      : QStringLiteral("\r");
}

QString WithLineBreak(const QString& shown, const QString& lineBreak) {
    if (lineBreak == QStringLiteral("\n")) {
        return shown;
    }
    QString text = shown;
    return text.replace(QLatin1Char('\n'), lineBreak);
}

}  // namespace plexion
