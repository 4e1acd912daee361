#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

namespace vorn::test {

// Calls `answer` with the next modal window (dialog or message box) once it shows.
inline void whenModalShows(std::function<void(QWidget*)> answer, int attempts = 300)
{
    QTimer::singleShot(10, [answer = std::move(answer), attempts]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answer(modal);
        } else if (attempts > 0) {
            whenModalShows(std::move(answer), attempts - 1);
        }
    });
}

// Answers the next message box with the button, keeping its text.
inline void answerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr)
{
    whenModalShows([button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        if (text) *text = box->text();
        box->button(button)->click();
    });
}

// Rejects every modal window that shows while it lives.
class ModalRejecter {
public:
    ModalRejecter()
    {
        timer_.setInterval(15);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
        });
        timer_.start();
    }

private:
    QTimer timer_;
};

} // namespace vorn::test
