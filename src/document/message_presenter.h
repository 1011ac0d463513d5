#pragma once

#include <string>

namespace plexion {

enum class MessageIcon { None, Error, Warning, Question, Information };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// How the core shows a message or asks a question. The core never prints:
// the tool answers on the terminal, the editor with message boxes.
class IMessagePresenter {
public:
    virtual ~IMessagePresenter() = default;
    virtual MessageAnswer Show(const std::string& text, MessageIcon icon,
                               MessageButtons buttons) = 0;
    // The same with the system's reason for it as a detail below the text;
    // a presenter with no place for details shows the text alone.
    virtual MessageAnswer ShowDetailed(const std::string& text, const std::string& detail,
                                       MessageIcon icon, MessageButtons buttons) {
        static_cast<void>(detail);
        return Show(text, icon, buttons);
    }
};

// Shows nothing; answers OK, or No to every question, which is the cautious
// answer for each question the core asks.
class CSilentPresenter final : public IMessagePresenter {
public:
    MessageAnswer Show(const std::string&, MessageIcon, MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
};

}  // namespace plexion
