#include "problems_dock.h"

#include "document/problem_fixes.h"
#include "editor/editor.h"
#include "editor/problem_focus.h"
#include "leak_checker.h"
#include "problem_checker.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vorn {
namespace {

constexpr int kProblemRole = Qt::UserRole;      // a row: its place in the list
constexpr int kKindRole = Qt::UserRole + 1;     // a heading: its kind
constexpr const char* kNoQbspNote = "The map is not tested for leaks: no QBSP program is set in Vorn Setup.";

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ProblemsDock::ProblemsDock(Editor& editor, QMainWindow& window)
    : QDockWidget(QStringLiteral("Problems"), &window),
      editor_(editor),
      checker_(new ProblemChecker(editor, this)),
      leaks_(new LeakChecker(editor, this)),
      tree_(new QTreeWidget),
      note_(new QLabel),
      leakMark_(new QLabel(QStringLiteral("Leak"))),
      fix_(new QPushButton(QStringLiteral("&Fix"))),
      hide_(new QPushButton(QStringLiteral("&Hide Kind"))),
      unhide_(new QPushButton(QStringLiteral("&Show Hidden")))
{
    setObjectName(QStringLiteral("problemsDock"));
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    note_->setWordWrap(true);
    note_->hide();
    fix_->setToolTip(QStringLiteral("Remove the duplicate brushes and the empty brush entities, drop the values outside their choices"));
    hide_->setToolTip(QStringLiteral("Leave this kind of problem out of the list for this map"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fix_);
    buttons->addWidget(hide_);
    buttons->addWidget(unhide_);
    buttons->addStretch();
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tree_);
    layout->addWidget(note_);
    layout->addLayout(buttons);
    setWidget(content);

    leakMark_->setStyleSheet(QStringLiteral("QLabel { color: white; background: #ff0080; padding: 0 6px; font-weight: bold; }"));
    leakMark_->setToolTip(QStringLiteral("The map is open to the void: its leak's path is drawn in the views"));
    leakMark_->hide();
    window.statusBar()->addPermanentWidget(leakMark_);

    connect(checker_, &ProblemChecker::checked, this, &ProblemsDock::refresh);
    connect(checker_, &ProblemChecker::started, this, &ProblemsDock::updateButtons);
    connect(leaks_, &LeakChecker::finished, this, &ProblemsDock::refresh);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &ProblemsDock::showSelected);
    connect(fix_, &QPushButton::clicked, this, &ProblemsDock::fixSelected);
    connect(hide_, &QPushButton::clicked, this, &ProblemsDock::hideSelected);
    connect(unhide_, &QPushButton::clicked, this, &ProblemsDock::showHidden);
    checker_->checkNow();
    refresh();
}

void ProblemsDock::checkNow()
{
    show();
    raise();
    checker_->checkNow();
    mapSaved();
}

void ProblemsDock::mapSaved()
{
    leaks_->mapSaved();
    refresh();
}

void ProblemsDock::refresh()
{
    const std::set<std::string>& hidden = hiddenHere();
    listed_.clear();
    for (const Problem& problem : checker_->problems()) {
        if (!hidden.contains(std::string(ProblemId(problem.kind)))) listed_.push_back(problem);
    }
    const std::optional<Problem> leak = leaks_->leak();
    if (leak && !hidden.contains(std::string(ProblemId(ProblemKind::Leak)))) listed_.insert(listed_.begin(), *leak);

    const QSignalBlocker blocker(tree_);
    tree_->clear();
    QTreeWidgetItem* heading = nullptr;
    int inHeading = 0;
    const auto closeHeading = [&] {
        if (heading) heading->setText(0, heading->text(0) + QStringLiteral(" (%1)").arg(inHeading));
    };
    for (size_t i = 0; i < listed_.size(); ++i) {
        const Problem& problem = listed_[i];
        if (!heading || heading->data(0, kKindRole).toInt() != static_cast<int>(problem.kind)) {
            closeHeading();
            heading = new QTreeWidgetItem(tree_, {Text(ProblemTitle(problem.kind))});
            heading->setData(0, kKindRole, static_cast<int>(problem.kind));
            heading->setExpanded(true);
            inHeading = 0;
        }
        auto* row = new QTreeWidgetItem(heading, {Text(problem.message)});
        row->setData(0, kProblemRole, static_cast<int>(i));
        row->setData(0, kKindRole, static_cast<int>(problem.kind));
        ++inHeading;
    }
    closeHeading();

    // A new leak brings the panel forward: it is what the test after a save is for.
    if (leak && !leakMark_->isVisible()) {
        show();
        raise();
    }
    leakMark_->setVisible(leak.has_value());
    QString note;
    if (!leaks_->hasProgram()) {
        note = QString::fromLatin1(kNoQbspNote);
    } else if (!leaks_->failure().empty()) {
        note = QStringLiteral("The leak test failed: ") + QString::fromStdString(leaks_->failure());
    }
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
    unhide_->setEnabled(!hidden.empty());
    unhide_->setText(hidden.empty() ? QStringLiteral("&Show Hidden") : QStringLiteral("&Show Hidden (%1)").arg(hidden.size()));
    const int counted = CountProblems(listed_);
    setWindowTitle(counted == 0 ? QStringLiteral("Problems") : QStringLiteral("Problems (%1)").arg(counted));
    updateButtons();
}

std::vector<Problem> ProblemsDock::selectedProblems() const
{
    std::vector<Problem> selected;
    for (const QTreeWidgetItem* item : tree_->selectedItems()) {
        if (item->parent()) {
            selected.push_back(listed_[static_cast<size_t>(item->data(0, kProblemRole).toInt())]);
            continue;
        }
        for (int i = 0; i < item->childCount(); ++i) selected.push_back(listed_[static_cast<size_t>(item->child(i)->data(0, kProblemRole).toInt())]);
    }
    return selected;
}

void ProblemsDock::updateButtons()
{
    const std::vector<Problem> selected = selectedProblems();
    fix_->setEnabled(!checker_->behind() && std::ranges::any_of(selected, HasFix));
    hide_->setEnabled(!selected.empty());
}

void ProblemsDock::showSelected()
{
    updateButtons();
    const QList<QTreeWidgetItem*> items = tree_->selectedItems();
    if (items.size() != 1 || !items.front()->parent() || checker_->behind()) return;
    ShowProblem(editor_, selectedProblems().front(), editor_.workspace().leakPath().pointsFor(editor_.map().pathName()));
}

void ProblemsDock::fixSelected()
{
    // The rows name entities by their places when the check began: only a check of the map as it
    // is may change it.
    if (checker_->behind()) return;
    FixProblems(editor_.map(), selectedProblems());
    checker_->checkNow();
}

void ProblemsDock::hideSelected()
{
    for (const Problem& problem : selectedProblems()) hiddenHere().insert(std::string(ProblemId(problem.kind)));
    refresh();
}

void ProblemsDock::showHidden()
{
    hiddenHere().clear();
    refresh();
}

std::set<std::string>& ProblemsDock::hiddenHere()
{
    return hidden_[editor_.map().pathName()];
}

} // namespace vorn
