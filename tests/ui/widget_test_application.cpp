#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

// Widgets need a QApplication; tests run it on the offscreen platform so
// they need no display.
class CWidgetApplication : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "ui_widget_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

const auto* const kApplication = ::testing::AddGlobalTestEnvironment(new CWidgetApplication);

}  // namespace
