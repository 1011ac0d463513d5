#include "recovery_question.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "message_box_presenter.h"

namespace plexion {

RecoveryAnswer AskToRecover(QWidget* parent, const QString& document, const QDateTime& written) {
    QMessageBox box(QMessageBox::Question, MessageBoxTitle(),
                    QStringLiteral("Recover unsaved changes to %1 from %2?")
                        .arg(document, QLocale().toString(written, QLocale::ShortFormat)),
                    QMessageBox::NoButton, parent);
    QPushButton* recover = box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QStringLiteral("&Later"), QMessageBox::RejectRole);
    box.setDefaultButton(recover);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == recover) {
        return RecoveryAnswer::Recover;
    }
    return box.clickedButton() == discard ? RecoveryAnswer::Discard : RecoveryAnswer::Later;
}

}  // namespace plexion
