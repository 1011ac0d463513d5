#include "modal_answer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

namespace plexion::test {

void AnswerModalWidget(std::function<bool(QWidget*)> answer) {
    // A bound on the polls rather than on time: a window that never opens
    // fails the test instead of hanging it.
    constexpr int kMaxPolls = 4000;
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, polls, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool answered = modal != nullptr && modal->isVisible() && answer(modal);
        if (answered || ++*polls > kMaxPolls) {
            if (!answered) {
                ADD_FAILURE() << "the expected modal window did not open";
            }
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

}  // namespace plexion::test
