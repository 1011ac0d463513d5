#include "edit_value_dialog.h"

#include "form_dialog.h"

namespace plexion {

std::optional<QString> EditValueDialog(QWidget* parent, const QString& caption,
                                       const QString& previous, const CEditValueOptions& options) {
    QString value = options.start.value_or(previous);
    CFormDialog dialog(caption, parent);
    dialog.AddTitle(options.sectionTitle);
    if (options.multiLine) {
        dialog.AddMultiLineText(QStringLiteral("&Value"), value);
    } else {
        dialog.AddText(QStringLiteral("&Value"), value);
    }
    dialog.AddInformation(QStringLiteral("Previous Value:\n") + previous);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return value;
}

}  // namespace plexion
