#include "animations_panel.h"

#include "bitmap_item.h"
#include "broken_reference_report.h"
#include "empty_edit_menu.h"
#include "index_list_item.h"
#include "kind_panel_items.h"
#include "stored_text.h"
#include "value_cells.h"

namespace plexion {
namespace {

constexpr const char* kNewId = "New ID";

const QStringList& TypeNames() {
    static const QStringList names = {QStringLiteral("Simple")};
    return names;
}

const QStringList& PlayModeNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int mode = 0; mode < CVKT_IndexList::kPlayModeCount; ++mode) {
            list << QString::fromStdString(CVKT_IndexList::PlayModeName(mode));
        }
        return list;
    }();
    return names;
}

}  // namespace

CAnimationsPanel::CAnimationsPanel(QWidget* parent)
    : CKindPanel(QStringLiteral("Animations"), parent), editor_(new CFrameListEditor(*this, this)) {
    using Animation = CVKT_IndexList;
    SetColumns({IndexColumn<Animation>(),
                IdColumn<Animation>(),
                {.header = "Type",
                 .fill =
                     [](CGridCell& cell, const Animation&) {
                         FillListCell(cell, &TypeNames(), 0);
                         cell.SetEditable(false);
                     }},
                {.header = "Play Mode",
                 .fill =
                     [](CGridCell& cell, const Animation& animation) {
                         FillListCell(cell, &PlayModeNames(), animation.PlayMode());
                     },
                 .store = NumberStore<Animation, std::int32_t>(
                     [](const Animation& animation) { return animation.PlayMode(); },
                     [](Animation& animation, std::int32_t mode) { animation.SetPlayMode(mode); }),
                 .taken = [this](int) { editor_->RestartPreview(); }},
                SpecificationsColumn<Animation>(),
                CommentsColumn<Animation>()});
    connect(editor_, &CFrameListEditor::framesEdited, this,
            [this](int animation) { RefreshItemCell(kSpecifications, animation + 1); });
}

bool CAnimationsPanel::AddEditCommands(QMenu* menu, int) {
    AddEmptyEditEntry(menu);
    return true;
}

bool CAnimationsPanel::InsertItems() {
    return InsertKindItem<CVKT_IndexList>(*this, kNewId);
}

void CAnimationsPanel::SelectionChanged() {
    if (editor_->AnimationIndex() != GetCursorItem()) {
        RestartPreview();
    }
}

bool CAnimationsPanel::Refresh(bool rebuild) {
    const bool refreshed = CResourcePanel::Refresh(rebuild);
    // Moves and deletions change which animation the cursor row holds;
    // other changes (bitmaps renamed, moved or deleted) show in the lists.
    if (editor_->AnimationIndex() != GetCursorItem()) {
        RestartPreview();
    } else {
        editor_->Reload();
    }
    return refreshed;
}

bool CAnimationsPanel::SetResourceContainer(const CVKT_ResourceContainer* container) {
    const bool attached = CResourcePanel::SetResourceContainer(container);
    RestartPreview();
    return attached;
}

void CAnimationsPanel::RestartPreview() {
    editor_->ShowAnimation(Container(), GetCursorItem());
}

bool CAnimationsPanel::StepTime() {
    return editor_->Step();
}

bool CAnimationsPanel::PreviewAnimates() const {
    return editor_->Animates();
}

void CAnimationsPanel::RedrawPreview() {
    editor_->PictureArea()->UpdateMovingParts();
}

void CAnimationsPanel::RedrawPreviewArea() {
    editor_->update();
}

void CAnimationsPanel::Layout(bool clamp) {
    CKindPanel::Layout(clamp);
    editor_->setGeometry(PreviewRect(rect()));
}

void CAnimationsPanel::DrawPreview(QPainter& painter, const QRect& preview) {
    editor_->PictureArea()->Paint(painter, preview);
}

int CAnimationsPanel::FindBrokenReference(QString& message) const {
    const CVKT_ResourceContainer* container = Container();
    return container ? FirstBrokenReference(FindBrokenAnimationFrames(*container), message) : -1;
}

}  // namespace plexion
