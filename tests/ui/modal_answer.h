#pragma once

#include <QWidget>

#include <functional>

namespace plexion::test {

// Stands in for the user: once a modal window that `answer` accepts is
// shown, `answer` deals with it (returning true); windows it does not want
// (returning false) are left alone. The event loop is polled, so call this
// before the code that opens the window.
void AnswerModalWidget(std::function<bool(QWidget*)> answer);

template <typename T>
void AnswerModal(std::function<void(T*)> answer) {
    AnswerModalWidget([answer = std::move(answer)](QWidget* widget) {
        T* window = qobject_cast<T*>(widget);
        if (window == nullptr) {
            return false;
        }
        answer(window);
        return true;
    });
}

}  // namespace plexion::test
