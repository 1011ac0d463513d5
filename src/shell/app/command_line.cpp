#include "command_line.h"

#include <QDir>

#include "panel_set.h"
#include "plexion_version.h"

namespace plexion {

namespace {

bool TakeValue(const QStringList& arguments, qsizetype& index, QString& value,
               CCommandLineRequest& request) {
    if (index + 1 >= arguments.size()) {
        request.error = QStringLiteral("%1 needs a value").arg(arguments[index]);
        return false;
    }
    value = arguments[++index];
    return true;
}

bool AddFile(CCommandLineRequest& request, CCommandLineRequest::Action action,
             const QString& file) {
    using Action = CCommandLineRequest::Action;
    const bool several = request.action != Action::None;
    if (several && (action == Action::Print || request.action == Action::Print)) {
        request.error = QStringLiteral("-p prints one document only: %1").arg(file);
        return false;
    }
    request.action = action;
    request.files.append(QDir::cleanPath(QDir::current().absoluteFilePath(file)));
    return true;
}

bool ReadPanel(const QString& text, CCommandLineRequest& request) {
    bool number = false;
    const int panel = text.toInt(&number);
    if (!number || panel < 0 || panel >= kPanelCount) {
        request.error = QStringLiteral("--panel takes 0 to %1, not %2").arg(kPanelCount - 1).arg(text);
        return false;
    }
    request.panel = panel;
    return true;
}

}  // namespace

CCommandLineRequest ParseCommandLine(const QStringList& arguments) {
    CCommandLineRequest request;
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        QString value;
        bool understood = true;
        if (argument == QStringLiteral("-p")) {
            understood = TakeValue(arguments, index, value, request) &&
                         AddFile(request, CCommandLineRequest::Action::Print, value);
        } else if (argument == QStringLiteral("--screenshot")) {
            understood = TakeValue(arguments, index, request.screenshot, request);
        } else if (argument == QStringLiteral("--panel")) {
            understood = TakeValue(arguments, index, value, request) && ReadPanel(value, request);
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            request.error = QStringLiteral("unknown option %1").arg(argument);
            understood = false;
        } else {
            understood = AddFile(request, CCommandLineRequest::Action::Open, argument);
        }
        if (!understood) {
            return request;
        }
    }
    if (request.action == CCommandLineRequest::Action::Print && !request.screenshot.isEmpty()) {
        request.error = QStringLiteral("-p and --screenshot do not go together");
    }
    return request;
}

QString CommandLineUsage() {
    return QStringLiteral(
        "Usage: plexion [FILE]...\n"
        "  or:  plexion -p FILE\n"
        "  or:  plexion --screenshot OUT.png [--panel N] [FILE]\n"
        "Edit the resource documents (.dat) of 2D games.\n"
        "\n"
        "  FILE                  a resource document to open (several open side by side)\n"
        "  -p FILE               print the document on the default printer and end\n"
        "  --screenshot OUT.png  save a picture of the main window and end\n"
        "  --panel N             with --screenshot: show panel N (0 to 7) first\n"
        "  --help                print this text and end\n"
        "  --version             print the version and end\n");
}

QString VersionText() {
    return QStringLiteral("plexion (Plexion) " PLEXION_VERSION "\n");
}

QString InformationRequested(int argc, const char* const* argv) {
    for (int index = 1; index < argc; ++index) {
        const QLatin1String argument(argv[index]);
        if (argument == QLatin1String("--help")) {
            return CommandLineUsage();
        }
        if (argument == QLatin1String("--version")) {
            return VersionText();
        }
    }
    return {};
}

}  // namespace plexion
