#include "password_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "stored_text.h"

namespace plexion {

std::optional<std::string> AskDocumentPassword(QWidget* parent, const QString& fileName) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Password Protection"));
    auto* layout = new QVBoxLayout(&dialog);
    // Several documents may ask one after another: each names its file.
    auto* file = new QLabel(QStringLiteral("\"%1\" is protected by a password.").arg(fileName),
                            &dialog);
    file->setTextFormat(Qt::PlainText);
    layout->addWidget(file);
    auto* field = new QLineEdit(&dialog);
    // The field keeps the number the document template gave it.
    field->setObjectName(QStringLiteral("1001"));
    field->setEchoMode(QLineEdit::Password);
    auto* label = new QLabel(QStringLiteral("Password:"), &dialog);
    label->setBuddy(field);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(field);
    layout->addWidget(buttons);
    field->setFocus();
    // Wide enough for the whole title in the window's frame.
    dialog.setMinimumWidth(
        std::max(dialog.sizeHint().width(),
                 dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) * 2 + 120));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return ToStored(field->text());
}

}  // namespace plexion
