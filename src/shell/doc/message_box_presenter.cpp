#include "message_box_presenter.h"

#include <QApplication>
#include <QMessageBox>

namespace plexion {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

MessageAnswer Answer(int button) {
    switch (button) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        default: return MessageAnswer::Ok;
    }
}

}  // namespace

QString MessageBoxTitle() {
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Plexion") : name;
}

CMessageBoxPresenter::CMessageBoxPresenter(std::function<QWidget*()> parent)
    : parent_(std::move(parent)) {}

MessageAnswer CMessageBoxPresenter::Show(const std::string& text, MessageIcon icon,
                                         MessageButtons buttons) {
    return ShowDetailed(text, std::string(), icon, buttons);
}

MessageAnswer CMessageBoxPresenter::ShowDetailed(const std::string& text,
                                                 const std::string& detail, MessageIcon icon,
                                                 MessageButtons buttons) {
    QMessageBox box(BoxIcon(icon), MessageBoxTitle(), QString::fromStdString(text),
                    BoxButtons(buttons), parent_ ? parent_() : nullptr);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(QString::fromStdString(detail));
    // Escape on a Yes/No question means No: nothing is changed.
    if (buttons == MessageButtons::YesNo) {
        box.setEscapeButton(QMessageBox::No);
    }
    return Answer(box.exec());
}

}  // namespace plexion
