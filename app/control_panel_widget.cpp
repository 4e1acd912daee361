#include "control_panel_widget.h"

#include "document/entity_commands.h"
#include "editor/editor.h"
#include "platform/host.h"
#include "ui/scale_steps.h"
#include "view_keys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace vorn {
namespace {

constexpr int kGridSizes[] = {256, 128, 64, 48, 32, 16, 8};

QComboBox* listOf(const QStringList& items, const QString& name)
{
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

} // namespace

ControlPanelWidget::ControlPanelWidget(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    setObjectName(QStringLiteral("controlPanel"));
    QStringList scales;
    for (const int percent : kScalePercents) scales << QString::number(percent);
    QStringList grids;
    for (const int size : kGridSizes) grids << QString::number(size);
    scale_ = listOf(scales, QStringLiteral("xyScale"));
    grid_ = listOf(grids, QStringLiteral("xyGrid"));
    snap_ = new QCheckBox(QStringLiteral("XY snap to grid"));
    snap_->setObjectName(QStringLiteral("xySnap"));
    entity_ = new QListWidget;
    entity_->setObjectName(QStringLiteral("currentEntity"));
    entity_->setSortingEnabled(true);
    xPos_ = new QLabel;
    xPos_->setObjectName(QStringLiteral("xPos"));
    yPos_ = new QLabel;
    yPos_->setObjectName(QStringLiteral("yPos"));

    auto* settings = new QFormLayout;
    settings->addRow(QStringLiteral("XY Scale"), scale_);
    settings->addRow(QStringLiteral("XY Grid"), grid_);
    settings->addRow(snap_);
    settings->addRow(QStringLiteral("X Pos"), xPos_);
    settings->addRow(QStringLiteral("Y Pos"), yPos_);

    auto* entityGroup = new QGroupBox(QStringLiteral("Current Entity"));
    auto* entityLayout = new QVBoxLayout(entityGroup);
    entityLayout->setContentsMargins(4, 4, 4, 4);
    entityLayout->addWidget(entity_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(settings);
    layout->addWidget(entityGroup, 1);

    connect(scale_, &QComboBox::activated, this, &ControlPanelWidget::chooseScale);
    connect(grid_, &QComboBox::activated, this, &ControlPanelWidget::chooseGrid);
    connect(snap_, &QCheckBox::toggled, this, [this](bool on) { editor_.xyView().setSnapToGrid(on); });
    connect(entity_, &QListWidget::itemDoubleClicked, this, [this] { ShowEntityProperties(editor_); });
    refresh();
}

void ControlPanelWidget::refresh()
{
    const CXYView& xy = editor_.xyView();
    const CQView& panel = editor_.panel();
    const int scaleIndex = scale_->findText(QString::number(static_cast<int>(xy.scale() * 100)));
    if (scaleIndex >= 0) scale_->setCurrentIndex(scaleIndex);
    const int gridIndex = grid_->findText(QString::number(xy.gridSize()));
    if (gridIndex >= 0) grid_->setCurrentIndex(gridIndex);
    const QSignalBlocker blockSnap(snap_);
    snap_->setChecked(xy.snapToGrid());
    xPos_->setNum(panel.posX());
    yPos_->setNum(panel.posY());

    QStringList rows;
    for (const std::string& row : panel.entityRows()) rows << QString::fromStdString(row);
    QStringList shown;
    for (int i = 0; i < entity_->count(); ++i) shown << entity_->item(i)->text();
    rows.sort();
    if (rows != shown) {
        entity_->clear();
        entity_->addItems(rows);
    }
}

void ControlPanelWidget::chooseScale(int index)
{
    CXYView& xy = editor_.xyView();
    xy.zoomAbout(scale_->itemText(index).toFloat() * 0.01f, {xy.clientWidth() / 2, xy.clientHeight() / 2});
    editor_.updateViews(ViewFlags::All);
}

void ControlPanelWidget::chooseGrid(int index)
{
    editor_.xyView().setGridSize(grid_->itemText(index).toInt());
    editor_.updateViews(ViewFlags::XY);
}

bool ControlPanelWidget::event(QEvent* event)
{
    if (QKeyEvent* tab = tabPress(event)) {
        keyPressEvent(tab);
        return true;
    }
    return QWidget::event(event);
}

void ControlPanelWidget::keyPressEvent(QKeyEvent* event)
{
    // The panel's keys act as they do in the map views, then go on as usual.
    if (const auto key = viewKeyFor(*event); key && HandleCommonKey(editor_, *key)) {
        editor_.updateViews(ViewFlags::Editing);
    }
    QWidget::keyPressEvent(event);
}

} // namespace vorn
