#pragma once

#include <QRect>
#include <QWidget>

#include <atomic>

#include "document_change.h"
#include "game_clock.h"
#include "panel_host.h"
#include "panel_set.h"

namespace plexion {

class CPlexionDoc;
class CResourcePanel;

// The one view of a document: the eight resource panels, exactly one of
// them shown over the whole view, and the game clock that animates the
// shown panel's preview while the view is active. The clock sleeps while
// that preview stands still; the panels wake it when something starts.
// A step that changed the preview repaints the preview alone.
class CPlexionView : public QWidget, public IPanelHost {
    Q_OBJECT
public:
    explicit CPlexionView(CPlexionDoc* document, QWidget* parent = nullptr);
    ~CPlexionView() override;

    CPlexionDoc* Document() const { return document_; }
    CResourcePanel* Panel(int index) const;
    int CurrentPanelIndex() const { return current_.load(); }

    CResourcePanel* GetCurrentPanel() const;
    // Repaints the animated preview of the shown panel.
    void RedrawCurrentPanel();
    // Stops the clock, starts it with the document's game-step period, or
    // both.
    void SetStepTimer(bool stop, bool start);
    bool IsStepTimerRunning() const { return clock_.IsRunning(); }
    int StepTimerPeriod() const { return clock_.PeriodMs(); }
    const CGameClock& GameClock() const { return clock_; }
    void FocusCurrentPanel();
    // Every panel covers the whole view.
    QRect GetPanelRect() const;
    // Hides the shown panel and shows panel `index`; with `scrollToEnd` its
    // cursor goes to its last item. Before the initial update only the
    // index is kept.
    void ShowPanel(int index, bool scrollToEnd);
    // The shown panel's game step; runs on the clock's thread.
    bool StepCurrentPanel();

    // Gives every panel the document and creates it, then shows the
    // current one.
    void OnInitialUpdate();
    // The frame holding the view became the active document window, or
    // stopped being it.
    void OnActivateView(bool active);
    // Asks every panel in turn; the first that finds a fault is shown and
    // the others are not asked. True when all are sound.
    bool CheckIntegrity();

    void RefreshAllPanels() override;
    void ShowPanelOf(CResourcePanel* panel) override;
    int CursorItemOf(int kind) const override;
    void ShowPanelOfKind(int kind, bool lastItem) override;
    void WakeGameClock() override;

signals:
    void currentPanelChanged(int index);

private slots:
    // Every panel that shows what changed, but the one that made the
    // change, shows the document again.
    void OnDocumentChanged(const plexion::CDocumentChange& change, QObject* origin);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void DetachAllSounds();

    CPlexionDoc* document_;
    PanelSet panels_;
    std::atomic<int> current_{0};
    // Set once every panel window exists; the clock only starts after it.
    bool panelsCreated_ = false;
    CGameClock clock_;
    bool clockRanBeforeReload_ = false;
};

}  // namespace plexion
