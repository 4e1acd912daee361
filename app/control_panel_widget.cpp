#include "control_panel_widget.h"

#include "document/entity_commands.h"
#include "editor/editor.h"
#include "platform/host.h"
#include "texture_panel_widget.h"
#include "ui/scale_steps.h"
#include "ui/typed_view_settings.h"
#include "view_keys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace vorn {
namespace {

constexpr int kGridSizes[] = {8192, 4096, 2048, 1024, 512, 256, 128, 64, 48, 32, 16, 8, 4, 2, 1};

// A drop-down list whose edit field also takes a typed value.
QComboBox* listOf(const QStringList& items, const QString& name)
{
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
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
    textures_ = new TexturePanelWidget(editor_);

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

    parts_ = new QHBoxLayout(this);
    parts_->setContentsMargins(4, 4, 4, 4);
    parts_->addLayout(settings);
    parts_->addWidget(entityGroup, 1);
    parts_->addWidget(textures_);

    connect(scale_, &QComboBox::textActivated, this, &ControlPanelWidget::applyScale);
    connect(grid_, &QComboBox::textActivated, this, &ControlPanelWidget::applyGrid);
    connect(scale_->lineEdit(), &QLineEdit::editingFinished, this, [this] { applyScale(scale_->currentText()); });
    connect(grid_->lineEdit(), &QLineEdit::editingFinished, this, [this] { applyGrid(grid_->currentText()); });
    connect(snap_, &QCheckBox::toggled, this, [this](bool on) { editor_.workspace().setSnapToGrid(on); });
    connect(entity_, &QListWidget::itemDoubleClicked, this,
            [this] { ShowEntityProperties(editor_.map(), editor_.dialogs(), editor_.classes(), editor_.host()); });
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    refresh();
}

void ControlPanelWidget::setStacked(bool stacked)
{
    parts_->setDirection(stacked ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
}

void ControlPanelWidget::addToolAction(QAction* action)
{
    textures_->addToolAction(action);
}

void ControlPanelWidget::refresh()
{
    const CXYView& xy = editor_.xyView();
    const Workspace& workspace = editor_.workspace();
    const CQView& panel = editor_.panel();
    // A typed value that is not in the list shows in the edit field.
    const QString scale = QString::number(static_cast<int>(xy.scale() * 100));
    if (!scale_->lineEdit()->hasFocus() && scale_->currentText() != scale) scale_->setEditText(scale);
    const QString grid = QString::number(workspace.gridSize());
    if (!grid_->lineEdit()->hasFocus() && grid_->currentText() != grid) grid_->setEditText(grid);
    const QSignalBlocker blockSnap(snap_);
    snap_->setChecked(workspace.snapToGrid());
    xPos_->setNum(xy.mousePosition().x);
    yPos_->setNum(xy.mousePosition().y);

    QStringList rows;
    for (const std::string& row : panel.entityRows()) rows << QString::fromStdString(row);
    QStringList shown;
    for (int i = 0; i < entity_->count(); ++i) shown << entity_->item(i)->text();
    rows.sort();
    if (rows != shown) {
        entity_->clear();
        entity_->addItems(rows);
    }
    textures_->refresh();
}

void ControlPanelWidget::applyScale(const QString& text)
{
    CXYView& xy = editor_.xyView();
    const std::optional<float> percent = ParseScalePercent(text.toStdString());
    if (!percent) {
        scale_->setEditText(QString::number(static_cast<int>(xy.scale() * 100)));
        editor_.host().messageBox(kScaleRefusal);
        return;
    }
    // Divided rather than multiplied by 0.01, so that 60 % reads back as 60.
    const float scale = *percent / 100.0f;
    if (scale == xy.scale()) return;
    xy.zoomAbout(scale, {xy.clientWidth() / 2, xy.clientHeight() / 2});
    editor_.host().updateViews(ViewFlags::All);
}

void ControlPanelWidget::applyGrid(const QString& text)
{
    Workspace& workspace = editor_.workspace();
    const std::optional<int> size = ParseGridSize(text.toStdString());
    if (!size) {
        grid_->setEditText(QString::number(workspace.gridSize()));
        editor_.host().messageBox(kGridRefusal);
        return;
    }
    if (*size == workspace.gridSize()) return;
    workspace.setGridSize(*size);
    editor_.host().updateViews(ViewFlags::XY);
}

bool ControlPanelWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto key = viewKeyFor(*static_cast<QKeyEvent*>(event));
    // Texture names are typed with letters, minus and slash and edited with Delete.
    if (key && watched == textures_->nameField() && *key != ViewKey::Tab && *key != ViewKey::Escape) {
        return QWidget::eventFilter(watched, event);
    }
    // Enter outside clipper mode is not an editing key: it confirms a typed value.
    if (!key || !HandleCommonKey(editor_.workspace(), *key)) return QWidget::eventFilter(watched, event);
    return true;
}

} // namespace vorn
