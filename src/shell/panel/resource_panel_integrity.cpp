#include "resource_panel.h"

#include <QMessageBox>

#include <string_view>
#include <unordered_map>

#include "message_box_presenter.h"
#include "panel_host.h"
#include "resource_group.h"
#include "stored_text.h"

namespace plexion {
namespace {

// The first item whose ID an earlier item already has, and that earlier
// item; -1 for both when every ID is unique.
std::pair<int, int> FirstDuplicateId(const CVKT_ResourceGroup& group) {
    std::unordered_map<std::string_view, int> firstWithId;
    for (int item = 0; item < group.Count(); ++item) {
        const auto [seen, added] = firstWithId.emplace(group.GetAt(item)->ID(), item);
        if (!added) {
            return {seen->second, item};
        }
    }
    return {-1, -1};
}

}  // namespace

bool CResourcePanel::CheckIntegrity() {
    const CVKT_ResourceGroup* group = GetGroup();
    if (group == nullptr) {
        return true;
    }
    QString message;
    int offending = -1;
    const auto [first, duplicate] = FirstDuplicateId(*group);
    if (first >= 0) {
        offending = first;
        // Items are numbered from 1, as the grid's row numbers show them.
        message = QStringLiteral("Duplicate ID \"%1\" (items %2 and %3).")
                      .arg(FromStored(group->GetAt(first)->ID()))
                      .arg(first + 1)
                      .arg(duplicate + 1);
    } else {
        offending = FindBrokenReference(message);
    }
    if (offending < 0) {
        return true;
    }
    if (host_ != nullptr) {
        host_->ShowPanelOf(this);
    }
    SetCursorItem(offending);
    QMessageBox box(QMessageBox::Warning, MessageBoxTitle(),
                    title_ + QStringLiteral(": ") + message, QMessageBox::Ok, this);
    box.exec();
    return false;
}

}  // namespace plexion
