#include "resource_panel.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHash>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include <utility>

#include "edit_step.h"
#include "edit_value_dialog.h"
#include "message_box_presenter.h"
#include "panel_host.h"
#include "panel_menu_button.h"
#include "panel_splitter.h"
#include "plexion_doc.h"
#include "resource_grid.h"
#include "resource_container.h"
#include "resource_group.h"
#include "stored_text.h"

namespace plexion {

CResourcePanel::CResourcePanel(const QString& title, QWidget* parent)
    : QWidget(parent), title_(title) {}

CResourcePanel::~CResourcePanel() = default;

void CResourcePanel::SetDocument(CPlexionDoc* document, IPanelHost* host) {
    document_ = document;
    host_ = host;
}

QWidget* CResourcePanel::SplitterBar() const {
    return splitter_;
}

bool CResourcePanel::CreatePanel(QWidget* parent, const QRect& rect) {
    setParent(parent);
    setGeometry(rect);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::ClickFocus);
    created_ = true;
    if (!CreateChildren()) {
        created_ = false;
        return false;
    }
    if (KeptHidden()) {
        firstShowPending_ = true;
    } else {
        SetCursorItem(0);
        show();
    }
    return true;
}

bool CResourcePanel::CreateChildren() {
    splitter_ = new CPanelSplitter(this);
    connect(splitter_, &CPanelSplitter::moved, this, &CResourcePanel::OnSplitterMoved);
    grid_ = new CResourceGrid(this);
    grid_->installEventFilter(this);
    connect(grid_, &CResourceGrid::cursorChanged, this, &CResourcePanel::OnGridCursorChanged);
    connect(grid_, &CResourceGrid::cellEdited, this, &CResourcePanel::OnCellEdited);
    connect(grid_, &CResourceGrid::rangeSwept, this,
            [this](CResourceGrid*, QPoint previous, QPoint clicked) {
                OnRangeSwept(previous, clicked);
            });
    auto* button = new CPanelMenuButton(QStringLiteral("MENU (Ctrl Space)"), this);
    menuButton_ = button;
    grid_->AddToolTip(button, QStringLiteral("Display the contextual menu"));
    connect(button, &QAbstractButton::clicked, this, [this] { ButtonNotification(sender()); });
    focusTarget_ = grid_;
    return Refresh(true);
}

bool CResourcePanel::ShowsKind(int kind) const {
    const CVKT_ResourceGroup* group = GetGroup();
    return group != nullptr && container_ != nullptr && container_->GroupAt(kind) == group;
}

bool CResourcePanel::SetResourceContainer(const CVKT_ResourceContainer* container) {
    container_ = container;
    if (created_) {
        Refresh(true);
    }
    return true;
}

bool CResourcePanel::Refresh(bool rebuild) {
    if (!created_ || grid_ == nullptr) {
        return false;
    }
    // A panel the view keeps hidden rebuilds its list when it is shown
    // again: a refresh of all panels then costs one list, not eight.
    if (rebuild && KeptHidden()) {
        rebuildPending_ = true;
        return true;
    }
    if (rebuild) {
        RebuildGrid();
    }
    grid_->RecomputeScrollRanges();
    rememberedCursorRow_ = grid_->Sheet().CursorRow();
    Layout(true);
    repaint();
    UpdateSelectedCount();
    return true;
}

bool CResourcePanel::KeptHidden() const {
    return isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide);
}

void CResourcePanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!rebuildPending_) {
        return;
    }
    rebuildPending_ = false;
    Refresh(true);
    if (firstShowPending_) {
        firstShowPending_ = false;
        SetCursorItem(0);
    }
}

bool CResourcePanel::EditDocument(const QString& label,
                                  const std::function<bool(CVKT_ResourceContainer&)>& change) {
    if (document_ == nullptr) {
        return false;
    }
    const bool changed = document_->Edit(label, change, this);
    batchChanged_ = batchChanged_ || changed;
    return changed;
}

namespace {

// The folders last used by each kind of panel, for the whole run.
QHash<QString, QString>& FoldersByKind() {
    static QHash<QString, QString> folders;
    return folders;
}

}  // namespace

QString CResourcePanel::LastFolder() const {
    const QString remembered = FoldersByKind().value(title_);
    if (!remembered.isEmpty()) {
        return remembered;
    }
    if (document_ != nullptr && !document_->PathName().isEmpty()) {
        return QFileInfo(document_->PathName()).absolutePath();
    }
    return QDir::homePath();
}

void CResourcePanel::SetLastFolder(const QString& folder) {
    FoldersByKind().insert(title_, folder);
}

void CResourcePanel::AsOneEdit(const QString& label, const std::function<void()>& run) {
    if (document_ == nullptr) {
        run();
        return;
    }
    document_->BeginEdit(label, this);
    try {
        run();
    } catch (...) {
        document_->EndEdit();
        throw;
    }
    document_->EndEdit();
}

QString CResourcePanel::EditCellLabel(int column) const {
    const CGridCell* header = grid_ != nullptr ? grid_->Sheet().Cell(column, 0) : nullptr;
    const QString name = header != nullptr ? header->GetText().trimmed() : QString();
    return name.isEmpty() ? QStringLiteral("Edit Cell") : QStringLiteral("Edit ") + name;
}

QString CResourcePanel::ItemName(int item) const {
    const CVKT_ResourceGroup* group = GetGroup();
    const CVKT_Resource* resource = group != nullptr ? group->GetAt(item) : nullptr;
    return resource != nullptr ? FromStored(resource->ID()) : QString();
}

QString CResourcePanel::ItemsSummary(int item, const std::vector<int>& items) const {
    constexpr size_t kNamedBeforeEllipsis = 4;
    constexpr size_t kLongList = 5;
    QString summary = item >= 0 ? ItemName(item) : QString();
    const auto append = [&summary](const QString& name) {
        if (!summary.isEmpty()) {
            summary += QStringLiteral(", ");
        }
        summary += name;
    };
    const CVKT_ResourceGroup* group = GetGroup();
    for (size_t i = 0; i < items.size(); ++i) {
        const int entry = items[i];
        if (entry != item && group != nullptr && group->GetAt(entry) != nullptr) {
            append(ItemName(entry));
        }
        if (i + 1 == kNamedBeforeEllipsis && items.size() > kLongList) {
            const int last = items.back() != item ? items.back() : items[items.size() - 2];
            summary += QStringLiteral(" . . . ") + ItemName(last);
            break;
        }
    }
    return summary;
}

bool CResourcePanel::EditValueDialog(const QString& caption, const QString& sectionTitle,
                                     QString& value, bool multiLine) {
    CEditValueOptions options;
    options.sectionTitle = sectionTitle;
    options.multiLine = multiLine;
    const std::optional<QString> edited = ::plexion::EditValueDialog(this, caption, value, options);
    if (!edited) {
        return false;
    }
    value = *edited;
    return true;
}

void CResourcePanel::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (focusTarget_ != nullptr) {
        focusTarget_->setFocus(event->reason());
    }
}

void CResourcePanel::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CResourcePanel::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    event->acceptProposedAction();
    DropFiles(paths);
}

void CResourcePanel::DropFiles(const QStringList& paths) {
    if (!acceptsFiles_) {
        QMessageBox box(QMessageBox::Warning, MessageBoxTitle(),
                        QStringLiteral("This group of resources does not accept files !"),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    AsOneEdit(QString::fromStdString(ItemsLabel("Insert", paths.size())), [&] {
        for (const QString& path : paths) {
            AddFile(path);
        }
    });
    QApplication::restoreOverrideCursor();
}

// What every kind panel may keep: a panel that takes no files, has no edit
// commands of its own, no animated preview and no references to check.

bool CResourcePanel::AddFile(const QString&) {
    return false;
}

void CResourcePanel::SelectionChanged() {}

bool CResourcePanel::ButtonNotification(QObject* sender) {
    if (sender != nullptr && sender == menuButton_) {
        ShowContextMenu();
        return true;
    }
    return false;
}

bool CResourcePanel::OnEditCommand(QMenu*, int, int) {
    return false;
}

bool CResourcePanel::AddEditCommands(QMenu*, int) {
    return true;
}

bool CResourcePanel::ApplyCell(int, int, int, int) {
    return false;
}

bool CResourcePanel::StoreEditedCell(CVKT_ResourceContainer&, int column, int row) {
    const bool earlier = std::exchange(batchChanged_, false);
    ApplyCell(column, row, column, row);
    FillCell(column, row, false);
    const bool changed = batchChanged_;
    batchChanged_ = earlier || changed;
    return changed;
}

bool CResourcePanel::DoMoveItem(int, int) {
    return false;
}

bool CResourcePanel::InsertItems() {
    return false;
}

bool CResourcePanel::DeleteItem(int) {
    return false;
}

int CResourcePanel::GetItemCount() const {
    return 0;
}

int CResourcePanel::GetColumnCount() const {
    return 0;
}

void CResourcePanel::FillItemCell(int, int) {}

int CResourcePanel::FindBrokenReference(QString&) const {
    return -1;
}

}  // namespace plexion
