#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vorn::test {

// Runs act(), which may block in a window, and calls answer() with the first window find() gives meanwhile (with
// `every`, with each). Returns whether one showed; nothing stays pending after the call.
inline bool answerWhile(const std::function<QWidget*()>& find, const std::function<void(QWidget*)>& answer,
                        const std::function<void()>& act, bool every = false)
{
    bool shown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* window = find();
        if (!window) return;
        shown = true;
        if (!every) poll.stop();
        answer(window);
    });
    poll.start(5);
    act();
    return shown;
}

inline QWidget* modalDialog() { return qobject_cast<QDialog*>(QApplication::activeModalWidget()); }

// Calls open(), which blocks in a modal dialog, while drive() acts on that dialog. A dialog that drive() leaves
// open is a failure and is cancelled, so the run cannot hang.
template <typename Open>
auto whileModal(Open open, const std::function<void(QDialog&)>& drive)
{
    decltype(open()) result{};
    const auto answer = [&](QWidget* dialog) {
        drive(*static_cast<QDialog*>(dialog));
        if (!dialog->isVisible()) return;
        dialog->close();
        QTest::qFail("the dialog was left open", __FILE__, __LINE__);
    };
    if (!answerWhile(modalDialog, answer, [&] { result = open(); })) QTest::qFail("no dialog opened", __FILE__, __LINE__);
    return result;
}

// Runs act() and answers the message box it shows with `button`; returns "title: text" of the box, empty if none.
inline QString messageAfter(const std::function<void()>& act, QMessageBox::StandardButton button = QMessageBox::Ok)
{
    QString shown;
    const auto answer = [&](QWidget* window) {
        auto* box = static_cast<QMessageBox*>(window);
        shown = box->windowTitle() + ": " + box->text();
        box->button(button)->click();
    };
    answerWhile([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }, answer, act);
    return shown;
}

inline QAbstractButton* button(QWidget& window, const QString& text)
{
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) if (b->text() == text) return b;
    return nullptr;
}
inline QLineEdit* field(QWidget& window, const QString& name) { return window.findChild<QLineEdit*>(name); }
inline void fill(QWidget& window, std::initializer_list<std::pair<const char*, const char*>> texts)
{
    for (const auto& [name, text] : texts) field(window, name)->setText(text);
}
// Fills the named fields and presses OK: returns "title: text" of the message refusing them, empty when none.
inline QString submit(QWidget& dialog, std::initializer_list<std::pair<const char*, const char*>> texts = {})
{
    fill(dialog, texts);
    return messageAfter([&] { button(dialog, "OK")->click(); });
}

} // namespace vorn::test
