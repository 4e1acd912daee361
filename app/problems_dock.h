#pragma once

#include "document/map_problems.h"

#include <QDockWidget>

#include <map>
#include <set>
#include <string>
#include <vector>

class QLabel;
class QMainWindow;
class QPushButton;
class QTreeWidget;

namespace vorn {

class Editor;
class LeakChecker;
class ProblemChecker;

// The "Problems" dock: what the background checks found, grouped by kind with their counts.
// Selecting a row selects what it is about and centres the views on it; Fix applies the obvious
// fixes of the selected rows as one undoable step; Hide leaves a kind out for this map. A leak
// also shows as a mark in the status bar, and brings the panel forward when it is found.
class ProblemsDock final : public QDockWidget {
    Q_OBJECT
public:
    ProblemsDock(Editor& editor, QMainWindow& window);

    // Checks the map now and tests the saved file for leaks (F8).
    void checkNow();
    // The map was saved: its file is tested for leaks.
    void mapSaved();
    // The problems listed, hidden kinds left out, in the order shown.
    const std::vector<Problem>& listed() const { return listed_; }
    QTreeWidget* tree() const { return tree_; }
    QLabel* leakMark() const { return leakMark_; }

private:
    void refresh();
    void updateButtons();
    // The one row the user selected: what it is about is selected in the map and shown.
    void showSelected();
    void fixSelected();
    void hideSelected();
    void showHidden();
    // The listed problems the selected rows stand for, a kind's heading for all of its rows.
    std::vector<Problem> selectedProblems() const;
    std::set<std::string>& hiddenHere();

    Editor& editor_;
    ProblemChecker* checker_;
    LeakChecker* leaks_;
    QTreeWidget* tree_;
    QLabel* note_;
    QLabel* leakMark_;
    QPushButton* fix_;
    QPushButton* hide_;
    QPushButton* unhide_;
    std::vector<Problem> listed_;
    // The kinds hidden for each map file, by its path.
    std::map<std::string, std::set<std::string>> hidden_;
};

} // namespace vorn
