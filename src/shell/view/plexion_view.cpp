#include "plexion_view.h"

#include <QResizeEvent>
#include <QScreen>

#include <chrono>
#include <cmath>

#include "plexion_doc.h"
#include "resource_container.h"
#include "resource_panel.h"
#include "sounds_panel.h"

namespace plexion {

CPlexionView::CPlexionView(CPlexionDoc* document, QWidget* parent)
    : QWidget(parent), document_(document), panels_(MakePanelSet()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    connect(&clock_, &CGameClock::redrawDue, this, &CPlexionView::RedrawCurrentPanel);
    // A document read again replaces every item: nothing may step or play
    // the old ones meanwhile, and every panel shows the new ones after.
    connect(document_, &CPlexionDoc::aboutToReload, this, [this] {
        clockRanBeforeReload_ = clock_.IsRunning();
        SetStepTimer(true, false);
        DetachAllSounds();
    });
    connect(document_, &CPlexionDoc::reloaded, this, [this] {
        RefreshAllPanels();
        SetStepTimer(false, clockRanBeforeReload_);
    });
    connect(document_, &CPlexionDoc::changed, this, &CPlexionView::OnDocumentChanged);
    ShowPanel(0, false);
}

CPlexionView::~CPlexionView() {
    // No step may run on a panel that is going away.
    SetStepTimer(true, false);
    // No voice may keep playing a sound of the closing document.
    DetachAllSounds();
    for (auto& panel : panels_) {
        panel.reset();
    }
}

void CPlexionView::DetachAllSounds() {
    for (auto& panel : panels_) {
        if (auto* sounds = dynamic_cast<CSoundsPanel*>(panel.get())) {
            sounds->DetachAllSounds();
        }
    }
}

CResourcePanel* CPlexionView::Panel(int index) const {
    return index >= 0 && index < kPanelCount ? panels_[index].get() : nullptr;
}

CResourcePanel* CPlexionView::GetCurrentPanel() const { return Panel(current_.load()); }

void CPlexionView::RedrawCurrentPanel() {
    CResourcePanel* panel = GetCurrentPanel();
    if (panel != nullptr && panel->IsCreated()) {
        panel->RedrawPreview();
    }
}

void CPlexionView::SetStepTimer(bool stop, bool start) {
    if (stop) {
        clock_.Stop();
    }
    if (start && !clock_.IsRunning() && panelsCreated_) {
        const double refreshRate = screen() != nullptr ? screen()->refreshRate() : 0.0;
        if (refreshRate > 0.0) {
            clock_.SetRedrawInterval(
                std::chrono::microseconds(std::llround(1'000'000.0 / refreshRate)));
        }
        clock_.Start(
            GameStepDelay(document_->Resources()), document_->Core().StepMutex(),
            [this] { return StepCurrentPanel(); },
            [this] { return GetCurrentPanel()->PreviewAnimates(); });
    }
    RedrawCurrentPanel();
}

void CPlexionView::FocusCurrentPanel() {
    CResourcePanel* panel = GetCurrentPanel();
    if (panel != nullptr && panel->IsCreated()) {
        panel->raise();
        panel->setFocus(Qt::OtherFocusReason);
    }
}

QRect CPlexionView::GetPanelRect() const { return rect(); }

void CPlexionView::ShowPanel(int index, bool scrollToEnd) {
    if (index < 0 || index >= kPanelCount) {
        return;
    }
    if (!panelsCreated_) {
        current_.store(index);
        emit currentPanelChanged(index);
        return;
    }
    GetCurrentPanel()->hide();
    current_.store(index);
    CResourcePanel* panel = GetCurrentPanel();
    panel->show();
    FocusCurrentPanel();
    const int count = panel->GetItemCount();
    if (scrollToEnd && count > 0) {
        panel->SetCursorItem(count - 1);
    }
    WakeGameClock();
    emit currentPanelChanged(index);
}

void CPlexionView::WakeGameClock() {
    clock_.Wake();
}

bool CPlexionView::StepCurrentPanel() {
    // The panels exist for as long as the clock can run: it starts after
    // they are created and is stopped before they are destroyed.
    return panelsCreated_ && GetCurrentPanel()->StepTime();
}

void CPlexionView::OnInitialUpdate() {
    if (panelsCreated_) {
        return;
    }
    const QRect area = GetPanelRect();
    for (auto& panel : panels_) {
        panel->SetDocument(document_, this);
        panel->SetResourceContainer(&document_->Resources());
        panel->hide();
        panel->CreatePanel(this, area);
    }
    panelsCreated_ = true;
    ShowPanel(current_.load(), false);
}

void CPlexionView::OnActivateView(bool active) {
    if (!active) {
        SetStepTimer(true, false);
        return;
    }
    FocusCurrentPanel();
    SetStepTimer(true, true);
}

bool CPlexionView::CheckIntegrity() {
    for (int index = 0; index < kPanelCount; ++index) {
        if (!panels_[index]->CheckIntegrity()) {
            ShowPanel(index, false);
            return false;
        }
    }
    return true;
}

void CPlexionView::ShowPanelOf(CResourcePanel* panel) {
    for (int index = 0; index < kPanelCount; ++index) {
        if (panels_[index].get() == panel && index != current_.load()) {
            ShowPanel(index, false);
        }
    }
}

int CPlexionView::CursorItemOf(int kind) const {
    const CVKT_ResourceGroup* group = document_->Resources().GroupAt(kind);
    for (const auto& panel : panels_) {
        if (group != nullptr && panel->GetGroup() == group) {
            return panel->GetCursorItem();
        }
    }
    return -1;
}

void CPlexionView::ShowPanelOfKind(int kind, bool lastItem) {
    const CVKT_ResourceGroup* group = document_->Resources().GroupAt(kind);
    for (int index = 0; index < kPanelCount; ++index) {
        if (group != nullptr && panels_[index]->GetGroup() == group) {
            ShowPanel(index, lastItem);
            return;
        }
    }
}

void CPlexionView::RefreshAllPanels() {
    for (auto& panel : panels_) {
        if (panel->IsCreated()) {
            panel->Refresh(true);
        }
    }
}

void CPlexionView::OnDocumentChanged(const CDocumentChange& change, QObject* origin) {
    if (change.Touches(kKindTexts) && clock_.IsRunning()) {
        const int period = GameStepDelay(document_->Resources());
        if (period != clock_.PeriodMs()) {
            clock_.SetPeriod(period);
        }
    }
    for (auto& panel : panels_) {
        if (panel.get() == origin || !panel->IsCreated()) {
            continue;
        }
        for (int kind = 0; kind < kKindCount; ++kind) {
            if (change.Touches(kind) && panel->ShowsKind(kind)) {
                panel->Refresh(true);
                break;
            }
        }
    }
}

void CPlexionView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QRect area = GetPanelRect();
    for (auto& panel : panels_) {
        if (panel->IsCreated()) {
            panel->setGeometry(area);
            panel->update();
        }
    }
}

void CPlexionView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    FocusCurrentPanel();
}

}  // namespace plexion
