#include "build_output_pane.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace vorn {
namespace {

// Old lines go beyond this, so a long session's output cannot grow without end.
constexpr int kMaxLines = 20000;

} // namespace

BuildOutputPane::BuildOutputPane(QWidget* parent)
    : QDockWidget(QStringLiteral("Build Output"), parent), log_(new QPlainTextEdit), stop_(new QPushButton(QStringLiteral("Stop")))
{
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

QString BuildOutputPane::text() const
{
    return log_->toPlainText();
}

} // namespace vorn
