#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

namespace plexion {

// Lines of text kept shaped for drawing, so a text redrawn on every game
// step with a number or two changed costs the shaping of those lines only.
// A few dozen lines are kept; past that the kept ones are dropped.
class CShapedLines {
public:
    // `line` shaped in `font` for an untransformed painter.
    QStaticText Line(const QString& line, const QFont& font);

private:
    QFont font_;
    QHash<QString, QStaticText> lines_;
};

}  // namespace plexion
