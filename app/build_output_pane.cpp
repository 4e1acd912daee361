#include "build_output_pane.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace vorn {
namespace {

// Old lines go beyond this, so a long session's output cannot grow without end.
constexpr int kMaxLines = 20000;
constexpr int kShowDelayMs = 20;
constexpr qsizetype kMaxShownAtOnce = 32 * 1024;

} // namespace

BuildOutputPane::BuildOutputPane(QWidget* parent)
    : QDockWidget(QStringLiteral("Build Output"), parent), log_(new QPlainTextEdit), showTimer_(new QTimer(this)),
      stop_(new QPushButton(QStringLiteral("Stop")))
{
    showTimer_->setSingleShot(true);
    showTimer_->setInterval(kShowDelayMs);
    connect(showTimer_, &QTimer::timeout, this, &BuildOutputPane::showPending);
    setObjectName(QStringLiteral("buildOutput"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    log_->setObjectName(QStringLiteral("buildLog"));
    log_->setReadOnly(true);
    log_->setMaximumBlockCount(kMaxLines);
    log_->setLineWrapMode(QPlainTextEdit::NoWrap);
    log_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    log_->setFocusPolicy(Qt::ClickFocus);
    stop_->setObjectName(QStringLiteral("buildStop"));
    stop_->setEnabled(false);
    connect(stop_, &QPushButton::clicked, this, &BuildOutputPane::stopClicked);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(stop_);
    buttons->addStretch();
    auto* body = new QWidget;
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(log_, 1);
    layout->addLayout(buttons);
    setWidget(body);
}

void BuildOutputPane::append(const QString& text)
{
    pending_ += text;
    if (!showTimer_->isActive()) showTimer_->start();
}

void BuildOutputPane::showPending()
{
    // Lines beyond the pane's limit would be dropped right after they were laid out.
    qsizetype cut = pending_.size();
    for (int lines = 0; lines <= kMaxLines && cut > 0; ++lines) cut = pending_.lastIndexOf(QLatin1Char('\n'), cut - 1);
    if (cut > 0) pending_ = pending_.mid(cut);

    // A part at a time, ending at a line end where there is one, so the window never waits long.
    qsizetype take = pending_.size();
    if (take > kMaxShownAtOnce) {
        const qsizetype lineEnd = pending_.lastIndexOf(QLatin1Char('\n'), kMaxShownAtOnce);
        take = lineEnd > 0 ? lineEnd + 1 : kMaxShownAtOnce;
    }
    const QString text = pending_.left(take);
    pending_.remove(0, take);
    if (!pending_.isEmpty()) showTimer_->start(0);

    QScrollBar* bar = log_->verticalScrollBar();
    const bool following = bar->value() == bar->maximum();
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    const QStringList pieces = text.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        cursor.insertText(pieces[i]);
    }
    if (following) bar->setValue(bar->maximum());
}

void BuildOutputPane::setRunning(bool running)
{
    stop_->setEnabled(running);
}

void BuildOutputPane::scrollToEnd()
{
    while (!pending_.isEmpty()) showPending();
    QScrollBar* bar = log_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

QString BuildOutputPane::text()
{
    while (!pending_.isEmpty()) showPending();
    return log_->toPlainText();
}

} // namespace vorn
