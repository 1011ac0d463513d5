#include "find_text_dialog.h"

#include <QCheckBox>
#include <QDialog>

#include "form_dialog.h"

namespace plexion {

bool AskFindOptions(QWidget* parent, CFindOptions& options) {
    CFindOptions chosen = options;
    CFormDialog dialog(QStringLiteral("Find Text"), parent);
    dialog.AddTitle(QStringLiteral("Find Text"));
    dialog.AddText(QStringLiteral("&Text"), chosen.text);
    dialog.AddBool(QStringLiteral("Match &Case"), chosen.matchCase);
    dialog.AddBool(QStringLiteral("Match &Whole Word Only"), chosen.wholeWord);
    dialog.AddBool(QStringLiteral("Go &Backward"), chosen.backward);
    dialog.AddTitle(QStringLiteral("Advanced"));
    dialog.AddBool(QStringLiteral("&Find in Selected Items"), chosen.inSelected);
    QCheckBox* select = dialog.AddBool(QStringLiteral("&Select Items"), chosen.selectItems);
    dialog.BeginIndent(select);
    dialog.AddBool(QStringLiteral("&Unselect Previously Selected Items"), chosen.unselectPrevious);
    dialog.EndIndent();
    QCheckBox* replace = dialog.AddBool(QStringLiteral("&Replace"), chosen.replace);
    dialog.BeginIndent(replace);
    dialog.AddText(QStringLiteral("Replacecement S&tring"), chosen.replacement);
    dialog.AddBool(QStringLiteral("Ask Before Replace"), chosen.askBeforeReplace);
    dialog.EndIndent();
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    options = chosen;
    return true;
}

}  // namespace plexion
