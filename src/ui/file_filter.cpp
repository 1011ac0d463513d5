#include "file_filter.h"

#include <QRegularExpression>
#include <QStringList>

namespace plexion {
namespace {

// "Name (*.a;*.b)" → "Name"; a label without patterns stays as it is.
QString LabelWithoutPatterns(const QString& label) {
    static const QRegularExpression patterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    return label.trimmed().remove(patterns);
}

// The patterns in a label's last parentheses, or nothing.
QString PatternsOfLabel(const QString& label) {
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch match = patterns.match(label);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString QtPatterns(const QString& patterns) {
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    QStringList result;
    for (const QString& pattern : patterns.split(separators, Qt::SkipEmptyParts)) {
        result << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
    }
    return result.join(QLatin1Char(' '));
}

}  // namespace

QString QtFileFilter(const QString& filter) {
    static const QRegularExpression separators(QStringLiteral("[\\n|]"));
    QStringList parts = filter.split(separators);
    while (!parts.isEmpty() && parts.last().trimmed().isEmpty()) {
        parts.removeLast();
    }
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString& label = parts[i];
        const QString patterns =
            QtPatterns(i + 1 < parts.size() ? parts[i + 1] : PatternsOfLabel(label));
        if (patterns.isEmpty()) {
            continue;
        }
        const QString name = LabelWithoutPatterns(label);
        entries << (name.isEmpty() ? QStringLiteral("(%1)").arg(patterns)
                                   : QStringLiteral("%1 (%2)").arg(name, patterns));
    }
    return entries.join(QStringLiteral(";;"));
}

}  // namespace plexion
