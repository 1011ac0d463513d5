#include "terminal_presenter.h"

#include <cstdio>

#include "resource_container.h"
#include "text_escape.h"

namespace plexion::tool {

MessageAnswer CTerminalPresenter::Show(const std::string& text, MessageIcon,
                                       MessageButtons buttons) {
    const std::string line = FoldLines(text);
    if (buttons == MessageButtons::Ok) {
        if (!quiet_) {
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        return MessageAnswer::Ok;
    }
    const bool yes = acceptOldVersion_ && text == load_messages::kOldVersion;
    if (quiet_) {
        return yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    std::fprintf(stderr, "%s %s\n", line.c_str(),
                 yes ? "Yes" : "No (--accept-old-version answers Yes)");
    return yes ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace plexion::tool
