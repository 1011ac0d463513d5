#include "qt_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include "text_escape.h"

namespace plexion::tool {
namespace {

void PrintQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) {
        return;
    }
    static std::mutex mutex;
    static std::set<std::string> shown;
    const std::string line = FoldLines(message.toStdString());
    const std::lock_guard lock(mutex);
    if (shown.insert(line).second) {
        std::fprintf(stderr, "plexion-tool: warning: %s\n", line.c_str());
    }
}

}  // namespace

void RouteQtMessagesToToolLines() {
    qInstallMessageHandler(&PrintQtMessage);
}

}  // namespace plexion::tool
