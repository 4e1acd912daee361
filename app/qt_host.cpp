#include "qt_host.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>

#include <cstdio>

namespace vorn {
namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString filterText(const FileChooser& chooser)
{
    QStringList filters;
    for (const auto& [description, pattern] : chooser.filters) {
        filters << QString::fromStdString(description).section(QLatin1Char('('), 0, 0).trimmed() + QStringLiteral(" (") +
                       QString::fromStdString(pattern) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

// Shown only once reading has taken half a second.
class DialogProgress final : public Progress {
public:
    DialogProgress(QWidget* parent, const QString& title) : dialog_(title, QString(), 0, 1000, parent)
    {
        dialog_.setWindowTitle(title);
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(500);
        dialog_.setCancelButton(nullptr);
    }
    void report(size_t done, size_t total) override
    {
        if (total == 0) return;
        dialog_.setValue(static_cast<int>(done * 1000 / total));
    }

private:
    QProgressDialog dialog_;
};

} // namespace

QtHost::QtHost(QObject* parent) : QObject(parent), debugToStderr_(qEnvironmentVariableIntValue("VORN_DEBUG") == 1) {}

void QtHost::messageBox(std::string_view text)
{
    QMessageBox::information(window_, QStringLiteral("Vorn"), toQString(text));
}

SaveAnswer QtHost::askSaveChanges(std::string_view title)
{
    const auto answer = QMessageBox::question(window_, QStringLiteral("Vorn"),
                                              QStringLiteral("Save changes to %1?").arg(toQString(title)),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return SaveAnswer::Yes;
    if (answer == QMessageBox::No) return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

void QtHost::debugOutput(std::string_view text)
{
    if (debugToStderr_) std::fprintf(stderr, "%.*s", static_cast<int>(text.size()), text.data());
}

void QtHost::beep(int, int)
{
    QApplication::beep();
}

void QtHost::updateViews(int flags)
{
    emit viewsNeedUpdate(flags);
}

void QtHost::controlPanelChanged()
{
    emit panelNeedsUpdate();
}

void QtHost::statusMessage(std::string_view text)
{
    emit statusMessageShown(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtHost::setBusy(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

std::optional<std::string> QtHost::chooseFileToOpen(const FileChooser& chooser)
{
    const QString path = QFileDialog::getOpenFileName(window_, toQString(chooser.title), QString(), filterText(chooser));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtHost::chooseFileToSave(const FileChooser& chooser)
{
    QFileDialog dialog(window_, toQString(chooser.title), QString(), filterText(chooser));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(chooser.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::unique_ptr<Progress> QtHost::startProgress(std::string_view title)
{
    return std::make_unique<DialogProgress>(window_, toQString(title));
}

} // namespace vorn
