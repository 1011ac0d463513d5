#include "frame_list_editor.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

#include "color_conversion.h"
#include "frame_list_editing.h"
#include "frame_list_models.h"
#include "index_list_item.h"
#include "resource_container.h"
#include "resource_panel.h"

namespace plexion {
namespace {

constexpr int kListsShare = 2;
constexpr int kPreviewShare = 3;

QListView* NewList(QAbstractItemModel* model, int thumbnailSize, QWidget* parent) {
    auto* list = new QListView(parent);
    list->setModel(model);
    list->setUniformItemSizes(true);
    list->setIconSize(QSize(thumbnailSize, thumbnailSize));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    return list;
}

// A list under its caption.
QWidget* Captioned(const QString& caption, QListView* list, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* label = new QLabel(caption, box);
    label->setBuddy(list);
    layout->addWidget(label);
    layout->addWidget(list);
    return box;
}

QToolButton* NewButton(const QString& text, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    button->setStatusTip(tip);
    return button;
}

std::vector<int> Rows(const QModelIndexList& indexes) {
    std::vector<int> rows;
    for (const QModelIndex& index : indexes) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CurrentRow(const QListView& list) {
    const QModelIndex current = list.currentIndex();
    return current.isValid() ? current.row() : -1;
}

// The marked rows, ascending, or the current one when none is marked.
std::vector<int> MarkedRows(const QListView& list) {
    std::vector<int> marked = Rows(list.selectionModel()->selectedRows());
    if (marked.empty() && CurrentRow(list) >= 0) {
        marked.push_back(CurrentRow(list));
    }
    return marked;
}

}  // namespace

CFrameListEditor::CFrameListEditor(CResourcePanel& panel, QWidget* parent)
    : QWidget(parent),
      panel_(panel),
      bitmapsModel_(new CBitmapListModel(thumbnails_, this)),
      framesModel_(new CFrameListModel(thumbnails_, this)),
      bitmapsList_(NewList(bitmapsModel_, kThumbnailSize, this)),
      framesList_(NewList(framesModel_, kThumbnailSize, this)),
      pictureArea_(new CPictureArea(*this, this)),
      previousButton_(NewButton(QStringLiteral("Previous"), QStringLiteral("Previous frame"), this)),
      playButton_(NewButton(QStringLiteral("Play"), QStringLiteral("Play"), this)),
      pauseButton_(NewButton(QStringLiteral("Pause"), QStringLiteral("Pause"), this)),
      nextButton_(NewButton(QStringLiteral("Next"), QStringLiteral("Next frame"), this)),
      onionSkinBox_(new QCheckBox(QStringLiteral("&Onion Skin"), this)) {
    bitmapsList_->setDragEnabled(true);
    bitmapsList_->setDragDropMode(QAbstractItemView::DragOnly);
    bitmapsList_->setDefaultDropAction(Qt::CopyAction);
    framesList_->setAcceptDrops(true);
    framesList_->setDragDropMode(QAbstractItemView::DropOnly);
    framesList_->setDropIndicatorShown(true);
    onionSkinBox_->setToolTip(QStringLiteral("Show the frame before the current one faintly"));

    auto* lists = new QWidget(this);
    auto* listsLayout = new QHBoxLayout(lists);
    listsLayout->setContentsMargins(0, 0, 0, 0);
    listsLayout->addWidget(Captioned(QStringLiteral("&Bitmaps"), bitmapsList_, lists));
    listsLayout->addWidget(Captioned(QStringLiteral("&Frames"), framesList_, lists));

    auto* preview = new QWidget(this);
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    previewLayout->setSpacing(2);
    auto* controls = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{previousButton_, playButton_,
                                                            pauseButton_, nextButton_}) {
        controls->addWidget(control);
    }
    controls->addWidget(onionSkinBox_);
    controls->addStretch();
    previewLayout->addLayout(controls);
    previewLayout->addWidget(pictureArea_, 1);

    splitter_ = new QSplitter(Qt::Vertical, this);
    QSplitter* splitter = splitter_;
    splitter->addWidget(lists);
    splitter->addWidget(preview);
    splitter->setStretchFactor(0, kListsShare);
    splitter->setStretchFactor(1, kPreviewShare);
    splitter->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    for (QListView* list : {bitmapsList_, framesList_}) {
        list->installEventFilter(this);
        connect(list, &QListView::customContextMenuRequested, this,
                [this, list](QPoint at) { ShowContextMenu(list, at); });
    }
    connect(framesModel_, &CFrameListModel::bitmapsDropped, this,
            [this](int at, const std::vector<int>& bitmaps) {
                // After the drop has finished: the model is reset by the edit.
                QMetaObject::invokeMethod(
                    this, [this, at, bitmaps] { InsertBitmaps(at, bitmaps); },
                    Qt::QueuedConnection);
            });
    connect(framesList_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ShowCurrentFrameWhilePaused(); });
    connect(previousButton_, &QToolButton::clicked, this, [this] { StepFrames(-1); });
    connect(nextButton_, &QToolButton::clicked, this, [this] { StepFrames(1); });
    connect(playButton_, &QToolButton::clicked, this, &CFrameListEditor::Play);
    connect(pauseButton_, &QToolButton::clicked, this, &CFrameListEditor::Pause);
    connect(onionSkinBox_, &QCheckBox::toggled, this, &CFrameListEditor::SetOnionSkin);
    connect(pictureArea_, &CPictureArea::dragStarted, this, &CFrameListEditor::StartPress);
    connect(pictureArea_, &CPictureArea::dragged, this, &CFrameListEditor::DragOffsets);
    connect(pictureArea_, &CPictureArea::dragFinished, this, [this] { EndOffsetDrag(false); });
    connect(pictureArea_, &CPictureArea::dragCancelled, this, [this] { EndOffsetDrag(true); });
    UpdatePlaybackControls();
}

const CVKT_IndexList* CFrameListEditor::Animation() const {
    return document_ != nullptr ? document_->GetAt<CVKT_IndexList>(cursor_.GetAnimationIndex())
                                : nullptr;
}

void CFrameListEditor::ShowAnimation(const CVKT_ResourceContainer* document, int index) {
    const bool another = document != document_ || index != cursor_.GetAnimationIndex();
    document_ = document;
    cursor_.Stop();
    // The cursor only reads the document.
    cursor_.SetDocument(const_cast<CVKT_ResourceContainer*>(document));
    cursor_.SetAnimationIndex(index);
    Reload();
    if (another) {
        SelectFrames(Animation() != nullptr && Animation()->FrameCount() > 0 ? 0 : -1, {});
    }
    RestartPreview();
}

void CFrameListEditor::Reload() {
    const int currentBitmap = CurrentBitmap();
    const std::vector<int> markedBitmaps = MarkedBitmaps();
    const int currentFrame = CurrentFrame();
    const std::vector<int> markedFrames = Rows(framesList_->selectionModel()->selectedRows());
    thumbnails_.SetDocument(document_);
    bitmapsModel_->SetDocument(document_);
    framesModel_->SetAnimation(document_, cursor_.GetAnimationIndex());
    const int bitmaps = bitmapsModel_->rowCount();
    if (bitmaps > 0) {
        const QModelIndex current = bitmapsModel_->index(std::clamp(currentBitmap, 0, bitmaps - 1));
        bitmapsList_->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        for (const int row : markedBitmaps) {
            bitmapsList_->selectionModel()->select(bitmapsModel_->index(row),
                                                   QItemSelectionModel::Select);
        }
    }
    SelectFrames(currentFrame, markedFrames);
    const CVKT_IndexList* animation = Animation();
    // Edits may leave the preview past the last frame, or give frames to an
    // animation that had too few to play.
    if (animation != nullptr &&
        (cursor_.GetCurrentFrame() >= animation->FrameCount() || !cursor_.IsPlaying())) {
        RestartPreview();
    }
    pictureArea_->update();
}

void CFrameListEditor::SelectFrames(int current, const std::vector<int>& marked) {
    QItemSelectionModel* selection = framesList_->selectionModel();
    const int frames = framesModel_->rowCount();
    selection->clearSelection();
    if (frames == 0) {
        selection->clearCurrentIndex();
        return;
    }
    const QModelIndex index = framesModel_->index(std::clamp(current, 0, frames - 1));
    // Without marks the current frame is the one marked, so it shows.
    selection->setCurrentIndex(index, marked.empty() ? QItemSelectionModel::Select
                                                     : QItemSelectionModel::NoUpdate);
    for (const int row : marked) {
        if (row >= 0 && row < frames) {
            selection->select(framesModel_->index(row), QItemSelectionModel::Select);
        }
    }
    framesList_->scrollTo(index);
}

int CFrameListEditor::CurrentFrame() const {
    return CurrentRow(*framesList_);
}

std::vector<int> CFrameListEditor::MarkedFrames() const {
    return MarkedRows(*framesList_);
}

int CFrameListEditor::CurrentBitmap() const {
    return CurrentRow(*bitmapsList_);
}

std::vector<int> CFrameListEditor::MarkedBitmaps() const {
    return MarkedRows(*bitmapsList_);
}

bool CFrameListEditor::EditFrames(const QString& name,
                                  const std::function<bool(CVKT_IndexList&)>& change) {
    const int animation = cursor_.GetAnimationIndex();
    const bool changed = panel_.EditDocument(name, [&](CVKT_ResourceContainer& resources) {
        CVKT_IndexList* list = resources.GetAt<CVKT_IndexList>(animation);
        return list != nullptr && change(*list);
    });
    if (changed) {
        emit framesEdited(animation);
    }
    return changed;
}

bool CFrameListEditor::CanRun(FrameListCommand command, bool fromBitmapsList) const {
    const CVKT_IndexList* animation = Animation();
    if (animation == nullptr) {
        return false;
    }
    const std::vector<int> marked = MarkedFrames();
    const int count = animation->FrameCount();
    switch (command) {
        case FrameListCommand::AddToList: return fromBitmapsList && CurrentBitmap() >= 0;
        case FrameListCommand::MoveUp: return !marked.empty() && marked.front() > 0;
        case FrameListCommand::MoveDown: return !marked.empty() && marked.back() < count - 1;
        case FrameListCommand::ReverseAll: return count > 1;
        case FrameListCommand::RemoveFromList:
            return !fromBitmapsList && !marked.empty();
        case FrameListCommand::IncrementDelay:
        case FrameListCommand::DecrementDelay: return !marked.empty();
        case FrameListCommand::IncrementAllDelays:
        case FrameListCommand::DecrementAllDelays: return count > 0;
    }
    return false;
}

bool CFrameListEditor::Run(FrameListCommand command, bool fromBitmapsList) {
    if (!CanRun(command, fromBitmapsList)) {
        return false;
    }
    const QString name = FrameListCommandName(command);
    const int count = Animation()->FrameCount();
    std::vector<int> marked = MarkedFrames();
    int current = CurrentFrame();
    bool changed = false;
    switch (command) {
        case FrameListCommand::AddToList:
            return InsertBitmaps(count, MarkedBitmaps());
        case FrameListCommand::MoveUp:
        case FrameListCommand::MoveDown: {
            const int by = command == FrameListCommand::MoveUp ? -1 : 1;
            const bool carriesCurrent = std::find(marked.begin(), marked.end(), current) !=
                                        marked.end();
            bool moved = false;
            changed = EditFrames(name, [&](CVKT_IndexList& list) {
                moved = marked.front() + by >= 0 && marked.back() + by < list.FrameCount();
                return frame_list::MoveFrames(list, marked, by);
            });
            // Marks follow the frames even when equal frames swapped.
            if (moved && carriesCurrent) {
                current += by;
            }
            break;
        }
        case FrameListCommand::ReverseAll:
            changed = EditFrames(name, [](CVKT_IndexList& list) {
                return frame_list::ReverseAll(list);
            });
            current = count - 1 - current;
            for (int& frame : marked) {
                frame = count - 1 - frame;
            }
            break;
        case FrameListCommand::RemoveFromList:
            changed = EditFrames(name, [&](CVKT_IndexList& list) {
                return frame_list::RemoveFrames(list, marked);
            });
            current = marked.front();
            marked = {};
            break;
        case FrameListCommand::IncrementDelay:
        case FrameListCommand::DecrementDelay:
        case FrameListCommand::IncrementAllDelays:
        case FrameListCommand::DecrementAllDelays: {
            const bool all = command == FrameListCommand::IncrementAllDelays ||
                             command == FrameListCommand::DecrementAllDelays;
            const bool up = command == FrameListCommand::IncrementDelay ||
                            command == FrameListCommand::IncrementAllDelays;
            changed = EditFrames(name, [&](CVKT_IndexList& list) {
                const std::vector<int> frames = all ? frame_list::AllFrames(list) : marked;
                return up ? frame_list::IncrementDelays(list, frames)
                          : frame_list::DecrementDelays(list, frames);
            });
            break;
        }
    }
    if (marked.size() == 1) {
        marked = {};
    }
    Reload();
    SelectFrames(current, marked);
    return changed;
}

bool CFrameListEditor::InsertBitmaps(int at, const std::vector<int>& bitmaps) {
    std::vector<int> inserted;
    const bool changed =
        document_ != nullptr &&
        EditFrames(FrameListCommandName(FrameListCommand::AddToList), [&](CVKT_IndexList& list) {
            inserted = frame_list::InsertFrames(*document_, list, at, bitmaps);
            return !inserted.empty();
        });
    if (changed) {
        Reload();
        SelectFrames(inserted.back(), inserted.size() > 1 ? inserted : std::vector<int>{});
    }
    return changed;
}

QMenu* CFrameListEditor::BuildMenu(bool forBitmapsList) {
    auto menu = std::make_unique<QMenu>(this);
    const auto add = [&](FrameListCommand command) {
        AddMenuEntry(*menu, FrameListCommandEntry(command), CanRun(command, forBitmapsList));
    };
    add(forBitmapsList ? FrameListCommand::AddToList : FrameListCommand::RemoveFromList);
    menu->addSeparator();
    add(FrameListCommand::MoveUp);
    add(FrameListCommand::MoveDown);
    add(FrameListCommand::ReverseAll);
    menu->addSeparator();
    add(FrameListCommand::IncrementDelay);
    add(FrameListCommand::DecrementDelay);
    add(FrameListCommand::IncrementAllDelays);
    add(FrameListCommand::DecrementAllDelays);
    return menu.release();
}

void CFrameListEditor::ShowContextMenu(QListView* list, QPoint at) {
    const bool forBitmapsList = list == bitmapsList_;
    std::unique_ptr<QMenu> menu(BuildMenu(forBitmapsList));
    const QAction* chosen = menu->exec(list->viewport()->mapToGlobal(at));
    if (chosen != nullptr) {
        Run(static_cast<FrameListCommand>(chosen->data().toInt()), forBitmapsList);
    }
}

void CFrameListEditor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The first real height is shared out whatever the lists would like;
    // after that the user's splitter stays where it was put.
    if (!splitterPlaced_ && height() > 0) {
        splitterPlaced_ = true;
        const int lists = height() * kListsShare / (kListsShare + kPreviewShare);
        splitter_->setSizes({lists, height() - lists});
    }
}

void CFrameListEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), InterfaceQColor(InterfaceColor::DialogFace));
}

bool CFrameListEditor::eventFilter(QObject* watched, QEvent* event) {
    const bool list = watched == bitmapsList_ || watched == framesList_;
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!list || !key) {
        return QWidget::eventFilter(watched, event);
    }
    const auto& press = static_cast<QKeyEvent&>(*event);
    // Ctrl+Space opens the panel's menu from every part of the panel, as
    // its MENU button says, rather than toggling a list row.
    if (press.key() == Qt::Key_Space &&
        (press.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) ==
            Qt::ControlModifier) {
        event->accept();
        if (event->type() == QEvent::KeyPress) {
            panel_.ShowContextMenu();
        }
        return true;
    }
    const bool fromBitmapsList = watched == bitmapsList_;
    const auto command = FrameListKeyCommand(press.key(), press.modifiers(), fromBitmapsList);
    if (!command) {
        return QWidget::eventFilter(watched, event);
    }
    // The editor's keys come before the window's shortcuts and the list's
    // own use of them.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        Run(*command, fromBitmapsList);
    }
    return true;
}

}  // namespace plexion
