#pragma once

#include <QString>
#include <QStringList>

namespace plexion {

// What the editor was asked for on its command line: a document to open,
// "-p FILE" to print one, and for looking at the editor without a person
// at it, "--screenshot OUT.png" (with "--panel N", 0 to 7, to show a panel
// of the document first).
struct CCommandLineRequest {
    enum class Action { None, Open, Print };
    Action action = Action::None;
    QString file;
    QString screenshot;
    int panel = -1;
    // Set when the command line could not be understood; says why.
    QString error;
};

// `arguments` as QCoreApplication::arguments() gives them, the program
// first.
CCommandLineRequest ParseCommandLine(const QStringList& arguments);

// One line per option, for the message after an error.
QString CommandLineUsage();

}  // namespace plexion
