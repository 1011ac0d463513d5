#include "command_line.h"

#include "panel_set.h"

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

bool SetFile(CCommandLineRequest& request, CCommandLineRequest::Action action,
             const QString& file) {
    if (request.action != CCommandLineRequest::Action::None) {
        request.error = QStringLiteral("only one document can be named: %1").arg(file);
        return false;
    }
    request.action = action;
    request.file = file;
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
                         SetFile(request, CCommandLineRequest::Action::Print, value);
        } else if (argument == QStringLiteral("--screenshot")) {
            understood = TakeValue(arguments, index, request.screenshot, request);
        } else if (argument == QStringLiteral("--panel")) {
            understood = TakeValue(arguments, index, value, request) && ReadPanel(value, request);
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            request.error = QStringLiteral("unknown option %1").arg(argument);
            understood = false;
        } else {
            understood = SetFile(request, CCommandLineRequest::Action::Open, argument);
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
        "usage: plexion [FILE]\n"
        "       plexion -p FILE\n"
        "       plexion --screenshot OUT.png [--panel N] [FILE]\n"
        "  FILE                  the resource document to open\n"
        "  -p FILE               print the document and end\n"
        "  --screenshot OUT.png  save a picture of the main window and end\n"
        "  --panel N             show panel N (0 to 7) of the document first\n");
}

}  // namespace plexion
