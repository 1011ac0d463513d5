#pragma once

#include <QString>
#include <QStringList>

namespace plexion {

// What the editor was asked for on its command line: documents to open,
// "-p FILE" to print one, and for looking at the editor without a person
// at it, "--screenshot OUT.png" (with "--panel N", 0 to 7, to show a panel
// of the document first).
struct CCommandLineRequest {
    enum class Action { None, Open, Print };
    Action action = Action::None;
    // Absolute: a name on the command line means a file of the current
    // folder, as in every other program a shell or a file manager starts.
    QStringList files;
    QString screenshot;
    int panel = -1;
    // Set when the command line could not be understood; says why.
    QString error;
};

// `arguments` as QCoreApplication::arguments() gives them, the program
// first.
CCommandLineRequest ParseCommandLine(const QStringList& arguments);

// The --help text: the forms of the command line and one line per option.
QString CommandLineUsage();

// The --version text.
QString VersionText();

// The text "--help" or "--version" asks for when the program's arguments
// (argv, the program first) hold one of them, else an empty text. Read
// before the window system is reached, so both answer without a display.
QString InformationRequested(int argc, const char* const* argv);

}  // namespace plexion
