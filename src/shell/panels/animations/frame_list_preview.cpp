// The frame-list editor's preview: the animation playing on the game clock,
// the playback controls, the onion skin and dragging frame offsets.
#include <QCheckBox>
#include <QPainter>
#include <QToolButton>

#include <algorithm>
#include <utility>

#include "bitmap_item.h"
#include "frame_list_editing.h"
#include "frame_list_editor.h"
#include "index_list_item.h"
#include "resource_container.h"
#include "resource_panel.h"
#include "stored_text.h"

namespace plexion {
namespace {

constexpr double kOnionSkinOpacity = 0.3;
constexpr int kOutlineAlpha = 64;
// The outline lies just outside a picture; smoothing may reach a pixel
// further.
constexpr int kOutlineRoom = 2;

}  // namespace

bool CFrameListEditor::Step() {
    if (suspended_.load() || !cursor_.IsPlaying()) {
        return false;
    }
    cursor_.Advance(1.0);
    return true;
}

bool CFrameListEditor::Animates() const {
    return !suspended_.load() && cursor_.IsPlaying();
}

void CFrameListEditor::RestartPreview() {
    cursor_.Restart();
    ShowCurrentFrameWhilePaused();
    pictureArea_->update();
    panel_.PreviewMayAnimate();
}

void CFrameListEditor::Play() {
    paused_ = false;
    if (!cursor_.IsPlaying()) {
        cursor_.Restart();
    }
    UpdateSuspended();
    panel_.PreviewMayAnimate();
    UpdatePlaybackControls();
    pictureArea_->update();
}

void CFrameListEditor::Pause() {
    paused_ = true;
    UpdateSuspended();
    UpdatePlaybackControls();
}

void CFrameListEditor::StepFrames(int by) {
    Pause();
    const CVKT_IndexList* animation = Animation();
    const int count = animation != nullptr ? animation->FrameCount() : 0;
    if (count == 0) {
        return;
    }
    const int frame = ((cursor_.GetCurrentFrame() + by) % count + count) % count;
    SelectFrames(frame, {});
    ShowCurrentFrameWhilePaused();
}

void CFrameListEditor::SetOnionSkin(bool on) {
    onionSkin_ = on;
    if (onionSkinBox_->isChecked() != on) {
        onionSkinBox_->setChecked(on);
    }
    pictureArea_->update();
}

void CFrameListEditor::ShowCurrentFrameWhilePaused() {
    const CVKT_IndexList* animation = Animation();
    const int frame = CurrentFrame();
    if (!paused_ || animation == nullptr || frame < 0 || frame >= animation->FrameCount()) {
        return;
    }
    cursor_.SetCurrentFrame(frame);
    cursor_.SetRemaining(EffectiveDelay(*animation, frame));
    pictureArea_->update();
}

void CFrameListEditor::UpdateSuspended() {
    const bool suspended = hidden_ || pressed_ || paused_;
    if (suspended_.exchange(suspended) && !suspended) {
        panel_.PreviewMayAnimate();
    }
}

void CFrameListEditor::UpdatePlaybackControls() {
    playButton_->setEnabled(paused_);
    pauseButton_->setEnabled(!paused_);
}

void CFrameListEditor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    hidden_ = false;
    UpdateSuspended();
}

void CFrameListEditor::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    hidden_ = true;
    UpdateSuspended();
}

std::vector<int> CFrameListEditor::ShownFrames() const {
    const CVKT_IndexList* animation = Animation();
    if (animation == nullptr || animation->Type() != CVKT_IndexList::kTypeBitmaps) {
        return {};
    }
    const int count = animation->FrameCount();
    const int current = cursor_.GetCurrentFrame();
    if (onionSkin_ && count > 1) {
        const int before = cursor_.GetDirection() == 1 ? current - 1 : current + 1;
        return {(before + count) % count, current};
    }
    return {current};
}

const CVKT_Bitmap* CFrameListEditor::FrameBitmap(int frame, QPointF& at) const {
    const CVKT_IndexList* animation = Animation();
    if (frame < 0 || frame >= animation->FrameCount()) {
        return nullptr;
    }
    const CAnimationFrame values = animation->Frame(frame);
    at = QPointF(values.offsetX, values.offsetY) + QPointF(DraggedBy(frame));
    return document_->GetAt<CVKT_Bitmap>(values.bitmap);
}

void CFrameListEditor::DrawFrame(QPainter& painter, const CPixelLines& lines,
                                 const CPicturePlacement& placement, const QRect& area, int frame,
                                 double opacity) {
    QPointF at;
    const CVKT_Bitmap* bitmap = FrameBitmap(frame, at);
    if (bitmap == nullptr) {
        return;
    }
    // Only the opacity is put back: a saved painter state costs more than a
    // frame's own pixels.
    const qreal opacityBefore = painter.opacity();
    painter.setOpacity(opacity);
    DrawPicture(painter, placement, *bitmap, at, area);
    painter.setOpacity(opacityBefore);
    if (opacity == 1.0) {
        DrawPictureOutline(
            lines, PictureRect(placement, *bitmap, at),
            TranslucentInterfaceColor(InterfaceColor::DialogSpottedFace, kOutlineAlpha));
    }
}

void CFrameListEditor::DrawPictures(QPainter& painter, const CPixelLines& lines,
                                    const CPicturePlacement& placement, const QRect& area) {
    const std::vector<int> frames = ShownFrames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const bool behind = i + 1 < frames.size();
        DrawFrame(painter, lines, placement, area, frames[i], behind ? kOnionSkinOpacity : 1.0);
    }
}

QRegion CFrameListEditor::MovingParts(const CPicturePlacement& placement, const QRect&) const {
    QRegion parts;
    for (const int frame : ShownFrames()) {
        QPointF at;
        if (const CVKT_Bitmap* bitmap = FrameBitmap(frame, at)) {
            parts += PictureRect(placement, *bitmap, at)
                         .adjusted(-kOutlineRoom, -kOutlineRoom, kOutlineRoom, kOutlineRoom);
        }
    }
    return parts;
}

QString CFrameListEditor::Description() const {
    const CVKT_IndexList* animation = Animation();
    if (animation == nullptr) {
        return {};
    }
    return FromStored(animation->ID()) + QLatin1Char('\n') +
           QString::asprintf("%s\n%d/%d\n%.2f", pictureArea_->FrameRateText().toUtf8().constData(),
                             cursor_.GetCurrentFrame(), animation->FrameCount(),
                             cursor_.GetRemaining());
}

QPoint CFrameListEditor::DraggedBy(int frame) const {
    const bool dragged =
        std::find(draggedFrames_.begin(), draggedFrames_.end(), frame) != draggedFrames_.end();
    return dragged ? draggedBy_ : QPoint();
}

void CFrameListEditor::StartPress() {
    pressed_ = true;
    UpdateSuspended();
}

void CFrameListEditor::DragOffsets(QPoint delta, Qt::KeyboardModifiers modifiers) {
    const CVKT_IndexList* animation = Animation();
    if (animation == nullptr) {
        return;
    }
    if (draggedFrames_.empty()) {
        // The keys held when the drag first moves say what it moves.
        const int current = CurrentFrame();
        if (modifiers & Qt::ControlModifier) {
            draggedFrames_ = frame_list::AllFrames(*animation);
        } else if ((modifiers & Qt::ShiftModifier) && current >= 0) {
            draggedFrames_ = {current};
            // The frame being moved is the one shown.
            cursor_.SetCurrentFrame(current);
            cursor_.SetRemaining(EffectiveDelay(*animation, current));
        } else {
            return;
        }
    }
    draggedBy_ += delta;
    pictureArea_->update();
}

void CFrameListEditor::EndOffsetDrag(bool cancelled) {
    const std::vector<int> frames = std::exchange(draggedFrames_, {});
    const QPoint by = std::exchange(draggedBy_, {});
    pressed_ = false;
    UpdateSuspended();
    if (!cancelled && !frames.empty() && !by.isNull()) {
        if (EditFrames(QStringLiteral("Move Frame Offsets"), [&](CVKT_IndexList& list) {
                return frame_list::MoveOffsets(list, frames, by.x(), by.y());
            })) {
            Reload();
        }
    }
    pictureArea_->update();
}

}  // namespace plexion
