#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "all_kinds.h"

namespace {

// Panels and windows need a QApplication and whole documents; tests run on
// the offscreen platform so they need no display.
class CShellApplication : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        plexion::RegisterAllResourceKinds();
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[20] = "plexion_shell_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

const auto* const kApplication = ::testing::AddGlobalTestEnvironment(new CShellApplication);

}  // namespace
