#include "texture_panel_widget.h"

#include "document/edit_commands.h"
#include "editor/editor.h"
#include "platform/host.h"
#include "texture_qimage.h"
#include "textures/texture_image.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace vorn {
namespace {

QPushButton* button(const QString& text, const QString& name)
{
    auto* push = new QPushButton(text);
    push->setObjectName(name);
    push->setAutoDefault(false);
    return push;
}

} // namespace

TexturePanelWidget::TexturePanelWidget(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    toolBar_ = new QToolBar;
    toolBar_->setObjectName(QStringLiteral("textureToolBar"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    list_ = new QComboBox;
    list_->setObjectName(QStringLiteral("textureList"));
    list_->setEditable(true);
    list_->setInsertPolicy(QComboBox::NoInsert);
    list_->setMaxVisibleItems(20);
    list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list_->setMinimumContentsLength(16);
    preview_ = new QLabel;
    preview_->setObjectName(QStringLiteral("texturePreview"));
    // A large texture is cut off rather than growing the panel.
    preview_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    preview_->setMinimumSize(64, 64);
    preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    size_ = new QLabel;
    size_->setObjectName(QStringLiteral("texSize"));
    auto* apply = button(QStringLiteral("Apply Texture"), QStringLiteral("applyTexture"));
    auto* align = button(QStringLiteral("Align Texture"), QStringLiteral("alignTexture"));

    auto* chooser = new QHBoxLayout;
    chooser->addWidget(toolBar_);
    chooser->addWidget(list_, 1);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(new QLabel(QStringLiteral("Tex Size")));
    sizeRow->addWidget(size_, 1);
    auto* side = new QVBoxLayout;
    side->addLayout(sizeRow);
    side->addWidget(apply);
    side->addWidget(align);
    side->addStretch(1);
    auto* shown = new QHBoxLayout;
    shown->addWidget(preview_, 1);
    shown->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(chooser);
    layout->addLayout(shown, 1);

    connect(list_, &QComboBox::textActivated, this, &TexturePanelWidget::chooseTexture);
    // Leaving the field without typing keeps the current texture.
    connect(list_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (list_->lineEdit()->isModified()) chooseTexture(list_->currentText());
    });
    connect(apply, &QPushButton::clicked, this, [this] { ApplyTextureToSelection(editor_.map()); });
    connect(align, &QPushButton::clicked, this,
            [this] { AlignTexturesOfSelection(editor_.map(), editor_.panel().textureSizes()); });
    refresh();
}

void TexturePanelWidget::addToolAction(QAction* action)
{
    toolBar_->addAction(action);
}

QLineEdit* TexturePanelWidget::nameField() const
{
    return list_->lineEdit();
}

void TexturePanelWidget::refresh()
{
    showList();
    const TexturePanel& textures = editor_.panel().textures();
    // A name being typed stays as typed until it is confirmed.
    if (!list_->lineEdit()->isModified()) {
        const QSignalBlocker block(list_);
        const std::optional<int> item = textures.selectedItem();
        if (item) list_->setCurrentIndex(*item);
        list_->setEditText(QString::fromStdString(item ? textures.textureList()[static_cast<size_t>(*item)]
                                                       : textures.texture()));
    }
    size_->setText(QString::fromStdString(textures.sizeText()));
    showPreview();
}

void TexturePanelWidget::chooseTexture(const QString& name)
{
    list_->lineEdit()->setModified(false);
    // Nothing chosen: the panel's texture is shown again.
    if (!name.isEmpty()) editor_.map().SetCurrentTexture(name.toStdString());
    refresh();
}

void TexturePanelWidget::showList()
{
    const std::vector<std::string>& names = editor_.panel().textures().textureList();
    if (names == shownList_) return;
    shownList_ = names;
    QStringList items;
    items.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) items << QString::fromStdString(name);
    const QSignalBlocker block(list_);
    list_->clear();
    list_->addItems(items);
}

void TexturePanelWidget::showPreview()
{
    const TexturePanel& textures = editor_.panel().textures();
    if (textures.previewRevision() == shownPreviewRevision_) return;
    shownPreviewRevision_ = textures.previewRevision();
    if (!textures.preview()) return; // nothing found yet: the picture stays as it was
    preview_->setPixmap(QPixmap::fromImage(ToQImage(ToRgba(*textures.preview(), textures.colours()))));
}

} // namespace vorn
