#pragma once

#include <QString>

#include <functional>

#include "message_presenter.h"

class QWidget;

namespace plexion {

// Shows the document core's messages and questions in message boxes, over
// the window `parent` gives at the time of the message.
class CMessageBoxPresenter final : public IMessagePresenter {
public:
    explicit CMessageBoxPresenter(std::function<QWidget*()> parent);
    MessageAnswer Show(const std::string& text, MessageIcon icon,
                       MessageButtons buttons) override;
    MessageAnswer ShowDetailed(const std::string& text, const std::string& detail,
                               MessageIcon icon, MessageButtons buttons) override;

private:
    std::function<QWidget*()> parent_;
};

// The title every message box of the editor carries.
QString MessageBoxTitle();

}  // namespace plexion
