#include <QColorDialog>
#include <QMenu>

#include "color_conversion.h"
#include "edit_value_dialog.h"
#include "grid_cell.h"

// Editing a cell: in place for yes/no cells, with the colour chooser, a
// menu of the list's entries, or the Edit Value dialog.

namespace plexion {
namespace {

// A typed space or "q" toggles, "N" or "n" means No and anything else Yes;
// Return toggles.
bool EditYesNo(bool value, const QString& typed) {
    if (typed.isEmpty() || typed == u" " || typed == u"q") {
        return !value;
    }
    return !(typed[0] == u'N' || typed[0] == u'n');
}

// The entry chosen from a menu just below the cell, or none.
std::optional<int> ChooseFromMenu(QWidget* parent, const QRect& cellRect, const QStringList& list,
                                  int current) {
    QMenu menu(parent);
    for (qsizetype index = 0; index < list.size(); ++index) {
        // Names are shown as they are: an ampersand is no shortcut mark.
        QAction* action = menu.addAction(QString(list[index]).replace(u'&', QStringLiteral("&&")));
        action->setCheckable(true);
        action->setChecked(index == current);
    }
    const QSize size = menu.sizeHint();
    const QPoint below(cellRect.center().x() - size.width() / 2, cellRect.bottom() + 1);
    const QAction* chosen = menu.exec(parent->mapToGlobal(below));
    if (chosen == nullptr) {
        return std::nullopt;
    }
    return static_cast<int>(menu.actions().indexOf(chosen));
}

}  // namespace

bool CGridCell::EditCell(QWidget* parent, const QRect& cellRect, const QString& displayText,
                         const QString& typed) {
    switch (type_) {
        case GridCellType::Empty:
            return false;
        case GridCellType::YesNo:
            return SetBool(EditYesNo(GetBool(), typed));
        case GridCellType::Color: {
            const CGridColor color = *GetColor();
            QColorDialog dialog(ToQColor(color.color), parent);
            if (dialog.exec() != QDialog::Accepted) {
                return false;
            }
            return SetColor(FromQColor(dialog.currentColor()), color.alpha);
        }
        case GridCellType::ListChoice: {
            const QStringList* list = GetList();
            if (list != nullptr && !list->isEmpty()) {
                if (const auto chosen = ChooseFromMenu(parent, cellRect, *list, GetInt())) {
                    return SetInt(*chosen);
                }
            }
            break;
        }
        default:
            break;
    }
    CEditValueOptions options;
    if (!typed.isEmpty()) {
        options.start = typed;
    }
    options.multiLine = type_ == GridCellType::MultiLineText;
    const std::optional<QString> text =
        EditValueDialog(parent, QStringLiteral("Edit Value"), displayText, options);
    return text.has_value() && SetText(*text);
}

}  // namespace plexion
