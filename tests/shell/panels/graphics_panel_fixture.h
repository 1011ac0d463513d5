#pragma once

#include <QAbstractButton>
#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QStringList>

#include <memory>
#include <string>

#include "bitmap_item.h"
#include "modal_answer.h"
#include "panel_host.h"
#include "panel_user.h"
#include "simple_panel_fixture.h"

namespace plexion::test {

// Counts the refresh-all-panels requests a panel makes (panels leave the
// other panels to the document's announcements, so none should).
class CCountingHost : public IPanelHost {
public:
    void RefreshAllPanels() override { ++refreshes; }
    void ShowPanelOf(CResourcePanel*) override { ++broughtToFront; }
    int CursorItemOf(int) const override { return -1; }
    void ShowPanelOfKind(int kind, bool lastItem) override {
        shownKind = kind;
        shownAtLastItem = lastItem;
    }
    void WakeGameClock() override {}
    int refreshes = 0;
    int broughtToFront = 0;
    int shownKind = -1;
    bool shownAtLastItem = false;
};

// A graphic panel of kind P over a document of its own, in a view that
// counts the changes the document announces to the other panels.
template <typename P>
class CGraphicsPanelTest : public CSimplePanelTest<P> {
protected:
    void SetUp() override {
        CSimplePanelTest<P>::SetUp();
        this->Panel().SetDocument(&this->document_, &host_);
        QObject::connect(&this->document_, &CPlexionDoc::changed,
                         [this] { ++announcements_; });
    }

    // The changes announced so far, once the event loop has run.
    int Refreshes() {
        QCoreApplication::processEvents();
        return announcements_;
    }

    // A picture of `width` by `height` pixels of one colour.
    int AddPicture(const std::string& id, int width, int height, QRgb color = qRgb(200, 0, 0)) {
        const int index = this->Resources().template New<CVKT_Bitmap>(id);
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(color);
        this->Resources().template GetAt<CVKT_Bitmap>(index)->TakeImage(image);
        return index;
    }
    CVKT_Bitmap& Picture(int index) {
        return *this->Resources().template GetAt<CVKT_Bitmap>(index);
    }

    // Marks the items as the Select column would.
    void Mark(std::initializer_list<int> items) {
        for (int item : items) {
            EXPECT_TRUE(this->Panel().SetMarked(item, false, true, false));
        }
    }

    // Answers the next message box with `button`, remembering its text.
    void AnswerMessage(QMessageBox::StandardButton button = QMessageBox::Ok) {
        AnswerModal<QMessageBox>([this, button](QMessageBox* box) {
            messages_ << box->text();
            QAbstractButton* answer = box->button(button);
            EXPECT_NE(answer, nullptr) << box->text().toStdString();
            if (answer != nullptr) {
                answer->click();
            } else {
                box->reject();
            }
        });
    }

    // The entries of the panel's "Edi&t" submenu.
    QList<QAction*> EditEntries() {
        QMenu* edit = EditSubmenu(this->Panel(), menuOwner_);
        return edit != nullptr ? edit->actions() : QList<QAction*>();
    }

    CCountingHost host_;
    int announcements_ = 0;
    QStringList messages_;
    std::unique_ptr<QMenu> menuOwner_;
};

}  // namespace plexion::test
