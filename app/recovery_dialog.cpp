#include "recovery_dialog.h"

#include "autosave.h"
#include "editor/editor.h"
#include "platform/file_reading.h"
#include "platform/host.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLockFile>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn {
namespace {

// Enough of a file for its header's first line.
std::string firstBytes(const QString& path)
{
    constexpr size_t kHeaderBytes = 4096;
    return ReadFileStart(path.toStdString(), kHeaderBytes).bytes.value_or(std::string());
}

// Whether a running editor holds the file; a lock left by one that is gone is taken over and removed.
bool heldByLiveEditor(const QString& path)
{
    QLockFile probe(path + QStringLiteral(".lock"));
    probe.setStaleLockTime(0);
    return !probe.tryLock(0);
}

QString offerText(const RecoveryCandidate& offer)
{
    const QDateTime when = QDateTime::fromSecsSinceEpoch(offer.modifiedSeconds);
    return QStringLiteral("%1 \u2014 %2").arg(QString::fromStdString(offer.mapName), when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}

} // namespace

RecoveryDialog::RecoveryDialog(QWidget* parent, std::vector<RecoveryCandidate> offers)
    : QDialog(parent), offers_(std::move(offers))
{
    setWindowTitle(QStringLiteral("Recover Unsaved Work"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("These maps had unsaved changes when Vorn stopped:")));
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("recoveries"));
    for (const RecoveryCandidate& offer : offers_) list_->addItem(offerText(offer));
    list_->setCurrentRow(0);
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox;
    open_ = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
    open_->setObjectName(QStringLiteral("open"));
    discard_ = buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
    discard_->setObjectName(QStringLiteral("discard"));
    QPushButton* later = buttons->addButton(QStringLiteral("&Later"), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("later"));
    connect(open_, &QPushButton::clicked, this, &RecoveryDialog::openSelected);
    connect(discard_, &QPushButton::clicked, this, &RecoveryDialog::discardSelected);
    connect(later, &QPushButton::clicked, this, &RecoveryDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &RecoveryDialog::openSelected);
    connect(list_, &QListWidget::currentRowChanged, this, &RecoveryDialog::refreshButtons);
    layout->addWidget(buttons);
    refreshButtons();
}

void RecoveryDialog::openSelected()
{
    const int row = list_->currentRow();
    if (row < 0) return;
    chosen_ = offers_[static_cast<size_t>(row)].path;
    accept();
}

void RecoveryDialog::discardSelected()
{
    const int row = list_->currentRow();
    if (row < 0) return;
    const QString path = QString::fromStdString(offers_[static_cast<size_t>(row)].path);
    if (QFile::exists(path) && !QFile::remove(path)) return; // still listed: it is still there
    offers_.erase(offers_.begin() + row);
    delete list_->takeItem(row);
    if (offers_.empty()) reject();
}

void RecoveryDialog::refreshButtons()
{
    const bool any = list_->currentRow() >= 0;
    open_->setEnabled(any);
    discard_->setEnabled(any);
}

std::vector<RecoveryCandidate> FindRecoveries(const QString& folder)
{
    std::vector<RecoveryCandidate> found;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        if (!IsRecoveryFileName(file.fileName().toStdString())) continue;
        const QString path = file.absoluteFilePath();
        found.push_back({path.toStdString(), RecoveredMapName(firstBytes(path)),
                         file.lastModified().toSecsSinceEpoch(), heldByLiveEditor(path)});
    }
    return RecoveriesToOffer(std::move(found));
}

MapReadResult RestoreRecoveredMap(Editor& editor, std::string_view text)
{
    const MapReadResult read = editor.readMapText(text);
    // No file holds what was recovered.
    editor.map().markUnsaved();
    return read;
}

void OfferRecoveries(QWidget* parent, Editor& editor, Autosave& autosave)
{
    std::vector<RecoveryCandidate> offers = FindRecoveries(autosave.folder());
    if (offers.empty()) return;
    RecoveryDialog dialog(parent, std::move(offers));
    dialog.exec();
    if (!dialog.chosen()) return;
    const FileContents contents = ReadWholeFile(*dialog.chosen());
    if (!contents.bytes) {
        editor.host().messageBox("Could not read " + *dialog.chosen() + ": " + contents.error);
        return;
    }
    const MapReadResult read = RestoreRecoveredMap(editor, *contents.bytes);
    if (read.damaged) {
        editor.host().messageBox("The recovery file is damaged after line " + std::to_string(read.stoppedAtLine) +
                                 ": only " + std::to_string(read.entitiesRead) + " entities were read.");
    }
    if (!autosave.adopt(QString::fromStdString(*dialog.chosen()))) {
        editor.host().messageBox("Another running Vorn now keeps " + *dialog.chosen() +
                                 "; this map gets a recovery file of its own.");
    }
}

} // namespace vorn
