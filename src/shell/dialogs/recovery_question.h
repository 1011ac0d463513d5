#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

namespace plexion {

enum class RecoveryAnswer { Recover, Discard, Later };

// "Recover unsaved changes to <document> from <when>?" with Recover,
// Discard and Later; Escape and closing the box answer Later, which keeps
// the copy for the next start.
RecoveryAnswer AskToRecover(QWidget* parent, const QString& document, const QDateTime& written);

}  // namespace plexion
