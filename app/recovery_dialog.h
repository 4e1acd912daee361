#pragma once

#include "map/map_file.h"
#include "platform/recovery_files.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace vorn {

class Autosave;
class CQMap;
class Editor;

// "Recover Unsaved Work": the recovery files left by editors that stopped without saving, each
// with its map name and time. Open takes the chosen one, Discard deletes it, Later keeps them all.
// The list is "recoveries", the buttons "open", "discard" and "later".
class RecoveryDialog final : public QDialog {
    Q_OBJECT
public:
    RecoveryDialog(QWidget* parent, std::vector<RecoveryCandidate> offers);

    // The file the user chose to open, if any.
    const std::optional<std::string>& chosen() const { return chosen_; }

private:
    void openSelected();
    void discardSelected();
    void refreshButtons();

    std::vector<RecoveryCandidate> offers_;
    std::optional<std::string> chosen_;
    QListWidget* list_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* discard_ = nullptr;
};

// The recovery files in the folder that no running editor holds.
std::vector<RecoveryCandidate> FindRecoveries(const QString& folder);

// Replaces the map by a recovered text: modified, and without a file name until it is saved.
MapReadResult RestoreRecoveredMap(Editor& editor, std::string_view text);

// Offers the recoveries left in the autosave folder; an opened one becomes the autosave's own
// file, so that a second crash still keeps it.
void OfferRecoveries(QWidget* parent, Editor& editor, Autosave& autosave);

} // namespace vorn
