#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <memory>
#include <string>

#include "audio_device.h"
#include "audio_system.h"
#include "main_frame.h"
#include "recent_files.h"
#include "temp_dir.h"

class QAction;
class QMenu;

namespace plexion::test {

// A main frame shown and active on the offscreen screen, with its own
// settings store, a silent audio device and a folder for documents.
class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a resource document holding one text `greeting` and returns
    // its path.
    QString MakeDocument(const std::string& name) const;
    // The visible entries of `menu`: their labels, "-" for separators.
    static QStringList MenuLabels(const QMenu* menu);
    // The titles of the visible menus of the menu bar.
    QStringList MenuBarTitles() const;
    QMenu* MenuNamed(const QString& title) const;
    QAction* Action(int id) const { return frame_->Action(id); }
    // Runs the event loop until deferred deletions and queued calls are done.
    static void Settle();

    CTempDir folder_;
    CNullAudioDevice device_;
    std::unique_ptr<CAudioSystem> audio_;
    std::unique_ptr<CRecentFiles> recent_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace plexion::test
