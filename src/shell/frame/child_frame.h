#pragma once

#include <QMdiSubWindow>

#include <memory>

namespace plexion {

class CPlexionDoc;
class CPlexionView;

// The document window: holds the document and its one view. It opens
// maximized, shows the document's title with a mark while there are unsaved
// changes, and asks before closing a changed document.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(std::unique_ptr<CPlexionDoc> document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CPlexionDoc* Document() const { return document_.get(); }
    CPlexionView* View() const { return view_; }

    // The view creates its panels; the frame shows maximized.
    void InitialUpdateFrame();
    // Closes without the question, for when it was already asked.
    void CloseWithoutQuestion();
    // Closed and waiting to be deleted.
    bool IsClosed() const { return closed_; }

signals:
    // The title or the unsaved-changes mark changed.
    void titleChanged();
    // The window closed; it is deleted soon after.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateTitle();

    std::unique_ptr<CPlexionDoc> document_;
    CPlexionView* view_ = nullptr;
    bool questionAnswered_ = false;
    bool closed_ = false;
};

}  // namespace plexion
