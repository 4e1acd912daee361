// The main window's panes and the two layouts that arrange them.
#include "main_frame.h"

#include "camera_view.h"
#include "control_panel_widget.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "xy_view_widget.h"
#include "z_view_widget.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QSplitter>

namespace vorn {
namespace {

constexpr const char* kFourViews = "four";
constexpr const char* kClassic = "classic";

QWidget* cameraPlaceholder()
{
    auto* pane = new QLabel(QStringLiteral("The 3D camera view needs an OpenGL display."));
    pane->setObjectName(QStringLiteral("cameraView"));
    pane->setAlignment(Qt::AlignCenter);
    pane->setWordWrap(true);
    pane->setFocusPolicy(Qt::ClickFocus);
    pane->setAutoFillBackground(true);
    pane->setBackgroundRole(QPalette::Dark);
    return pane;
}

QSplitter* splitterOf(Qt::Orientation orientation, std::initializer_list<QWidget*> panes)
{
    auto* splitter = new QSplitter(orientation);
    splitter->setChildrenCollapsible(false);
    for (QWidget* pane : panes) splitter->addWidget(pane);
    return splitter;
}

// Two panes split at a stored size of the first, or in the middle when none is stored. With a
// stored size the second pane takes what the window gains or loses, so the first keeps it.
void splitAt(QSplitter* splitter, int firstSize)
{
    if (firstSize > 0) {
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({firstSize, 1000});
    } else {
        splitter->setSizes({1000, 1000});
    }
}

} // namespace

void CMainFrame::buildPanes()
{
    cameraPane_ = CMy3DCameraView::platformCanDraw() ? new CMy3DCameraView(editor_) : cameraPlaceholder();
    controlPanel_ = new ControlPanelWidget(editor_);
    for (int i = 0; i < Editor::kViews2D; ++i) {
        viewPanes_[static_cast<size_t>(i)] = new XYViewWidget(editor_, editor_.view2D(i));
    }
    zPane_ = new ZViewWidget(editor_);
    connect(viewPanes_[0], &XYViewWidget::scaleChanged, controlPanel_, &ControlPanelWidget::refresh);

    auto* layouts = new QActionGroup(this);
    for (const char* key : {"view.layoutFour", "view.layoutClassic"}) layouts->addAction((*actions_)[QString::fromLatin1(key)]);
    connect((*actions_)[QStringLiteral("view.layoutFour")], &QAction::triggered, this, [this] { showLayout(kFourViews); });
    connect((*actions_)[QStringLiteral("view.layoutClassic")], &QAction::triggered, this, [this] { showLayout(kClassic); });
    showLayout(editor_.prefs().layout);
}

bool CMainFrame::fourViews() const
{
    return editor_.prefs().layout != kClassic;
}

void CMainFrame::showLayout(const std::string& name)
{
    if (rows_) {
        storePaneSizes();
        // The panes outlive the splitters that held them.
        for (QWidget* pane : std::initializer_list<QWidget*>{cameraPane_, controlPanel_, viewPanes_[0], viewPanes_[1],
                                                             viewPanes_[2], zPane_}) {
            pane->setParent(this);
            pane->hide();
        }
        delete takeCentralWidget();
    }
    Preferences& prefs = editor_.prefs();
    prefs.layout = name == kClassic ? kClassic : kFourViews;
    if (fourViews()) {
        topRow_ = splitterOf(Qt::Horizontal, {cameraPane_, viewPanes_[0]});
        bottomRow_ = splitterOf(Qt::Horizontal, {viewPanes_[1], viewPanes_[2]});
        rows_ = splitterOf(Qt::Vertical, {topRow_, bottomRow_});
        beside_ = splitterOf(Qt::Horizontal, {rows_, controlPanel_});
        beside_->setStretchFactor(0, 1);
        setCentralWidget(beside_);
    } else {
        topRow_ = splitterOf(Qt::Horizontal, {cameraPane_, controlPanel_});
        topRow_->setStretchFactor(1, 1);
        bottomRow_ = splitterOf(Qt::Horizontal, {viewPanes_[0], zPane_});
        bottomRow_->setStretchFactor(0, 1);
        rows_ = splitterOf(Qt::Vertical, {topRow_, bottomRow_});
        rows_->setStretchFactor(1, 1);
        beside_ = nullptr;
        setCentralWidget(rows_);
    }
    controlPanel_->setStacked(fourViews());
    centralWidget()->show();
    for (QWidget* pane : std::initializer_list<QWidget*>{cameraPane_, controlPanel_, viewPanes_[0]}) pane->show();
    viewPanes_[1]->setVisible(fourViews());
    viewPanes_[2]->setVisible(fourViews());
    zPane_->setVisible(!fourViews());
    if (fourViews()) {
        beside_->setSizes({1000, controlPanel_->sizeHint().width()});
        splitAt(rows_, prefs.fourCamera.height);
        splitAt(topRow_, prefs.fourCamera.width);
        splitAt(bottomRow_, prefs.fourFrontWidth);
    } else {
        // Sizes first set in full, then the stored ones: a pane never restores collapsed. The top
        // row's height is the camera pane's, once the window has stored its layout.
        rows_->setSizes({kTopRowHeight, 1000});
        if (prefs.mainWindow.isStored()) rows_->setSizes({std::max(prefs.camPane.height, 1), 1000});
        topRow_->setSizes({std::max(prefs.camPane.width, 1), std::max(prefs.controlPane.width, 1) + 1000});
        bottomRow_->setSizes({std::max(prefs.xyPane.width, 1) + 1000, std::max(prefs.zPane.width, 1)});
    }
    for (QSplitter* splitter : {beside_, rows_, topRow_, bottomRow_}) {
        if (splitter) connect(splitter, &QSplitter::splitterMoved, this, &CMainFrame::settingsMayHaveChanged);
    }
    (*actions_)[fourViews() ? QStringLiteral("view.layoutFour") : QStringLiteral("view.layoutClassic")]->setChecked(true);
    settingsMayHaveChanged();
}

void CMainFrame::storePaneSizes()
{
    // Panes not yet shown have no size of their own.
    if (!isVisible()) return;
    Preferences& prefs = editor_.prefs();
    if (fourViews()) {
        prefs.fourCamera = {cameraPane_->width(), cameraPane_->height()};
        prefs.fourFrontWidth = viewPanes_[1]->width();
        return;
    }
    prefs.camPane = {cameraPane_->width(), cameraPane_->height()};
    prefs.controlPane = {controlPanel_->width(), controlPanel_->height()};
    prefs.xyPane = {viewPanes_[0]->viewport()->width(), viewPanes_[0]->viewport()->height()};
    prefs.zPane = {zPane_->width(), zPane_->height()};
}

} // namespace vorn
