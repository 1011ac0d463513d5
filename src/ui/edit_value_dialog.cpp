#include "edit_value_dialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "form_dialog.h"
#include "line_breaks.h"

namespace plexion {

std::optional<QString> EditValueDialog(QWidget* parent, const QString& caption,
                                       const QString& previous, const CEditValueOptions& options) {
    QString value = options.start.value_or(previous);
    CFormDialog dialog(caption, parent);
    dialog.AddTitle(options.sectionTitle);
    // The field takes the keys at once: an edit begun with a typed
    // character goes on typing after it, one begun with Return replaces the
    // whole value.
    const bool typing = options.start.has_value();
    if (options.multiLine) {
        QPlainTextEdit* field = dialog.AddMultiLineText(QStringLiteral("&Value"), value);
        field->setFocus();
        field->moveCursor(QTextCursor::End);
        if (!typing) {
            field->selectAll();
        }
    } else {
        QLineEdit* field = dialog.AddText(QStringLiteral("&Value"), value);
        field->setFocus();
        // Showing a dialog selects the whole text of its focused line; the
        // cursor goes after the typed character once the dialog is up.
        if (typing) {
            QTimer::singleShot(0, field, [field] { field->end(false); });
        }
    }
    // A long previous value scrolls in its own box: the value field keeps
    // most of the dialog.
    dialog.AddScrollingInformation(QStringLiteral("Previous Value:\n") + previous);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    // A text begun by typing replaces the previous one but keeps its line
    // break.
    if (typing && options.multiLine) {
        return WithLineBreak(value, LineBreakOf(previous));
    }
    return value;
}

}  // namespace plexion
