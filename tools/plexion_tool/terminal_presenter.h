#pragma once

#include <string>

#include "message_presenter.h"

namespace plexion::tool {

// Shows the core's messages on standard error, one line each, and answers
// its questions without asking: the version question is answered Yes only
// when the user said so on the command line; every other question No.
class CTerminalPresenter final : public IMessagePresenter {
public:
    explicit CTerminalPresenter(bool acceptOldVersion) : acceptOldVersion_(acceptOldVersion) {}

    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;
    // While quiet, messages are answered as usual but not printed.
    void SetQuiet(bool quiet) { quiet_ = quiet; }

private:
    bool acceptOldVersion_;
    bool quiet_ = false;
};

}  // namespace plexion::tool
