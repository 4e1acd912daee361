#include "texture_selector_dialog.h"

#include "texture_qimage.h"
#include "texture_thumbnail_model.h"
#include "textures/texture_archives.h"
#include "textures/texture_image.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>
#include <QSortFilterProxyModel>

#include <algorithm>

namespace vorn {

TextureSelectorDialog::TextureSelectorDialog(QWidget* parent, const TextureArchives& archives,
                                             const TextureColours& colours, const QString& current)
    : QDialog(parent),
      archives_(archives),
      colours_(colours),
      model_(new TextureThumbnailModel(archives, colours, this)),
      filtered_(new QSortFilterProxyModel(this)),
      filter_(new QLineEdit(this)),
      list_(new QListView(this)),
      preview_(new QLabel(this)),
      size_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Texture Selector"));
    filtered_->setSourceModel(model_);
    filtered_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    filter_->setObjectName(QStringLiteral("filter"));
    filter_->setPlaceholderText(QStringLiteral("Filter"));
    filter_->setClearButtonEnabled(true);
    filter_->installEventFilter(this);

    list_->setObjectName(QStringLiteral("textures"));
    list_->setModel(filtered_);
    list_->setViewMode(QListView::IconMode);
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setUniformItemSizes(true); // lays out without asking every item for its thumbnail
    list_->setIconSize({TextureThumbnailModel::kThumbnailSide, TextureThumbnailModel::kThumbnailSide});
    const QSize cell = TextureThumbnailModel::kItemSize + QSize(4, 4);
    list_->setGridSize(cell);
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumSize(4 * cell.width() + 24, 360);

    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(kPreviewSide, kPreviewSide);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    size_->setObjectName(QStringLiteral("size"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* side = new QGridLayout;
    side->addWidget(preview_, 0, 0, 1, 2);
    side->addWidget(new QLabel(QStringLiteral("Size"), this), 1, 0);
    side->addWidget(size_, 1, 1);
    side->setRowStretch(2, 1);
    auto* grid = new QGridLayout(this);
    grid->addWidget(filter_, 0, 0);
    grid->addWidget(list_, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    connect(filter_, &QLineEdit::textChanged, this, &TextureSelectorDialog::filterChanged);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { showTexture(index); });
    connect(list_, &QListView::doubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    if (const auto row = model_->rowOf(current)) {
        const QModelIndex index = filtered_->mapFromSource(model_->index(*row));
        list_->setCurrentIndex(index);
        list_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    filter_->setFocus();
}

TextureSelectorDialog::~TextureSelectorDialog() = default;

std::optional<std::string> TextureSelectorDialog::selectedName() const
{
    return shown_;
}

void TextureSelectorDialog::showTexture(const QModelIndex& index)
{
    if (!index.isValid()) {
        shown_.reset();
        size_->clear();
        preview_->clear();
        return;
    }
    const std::string name = index.data(Qt::DisplayRole).toString().toStdString();
    const CQTexture texture = archives_.readTexture(name);
    shown_ = name;
    size_->setText(QStringLiteral("%1x%2").arg(texture.width()).arg(texture.height()));
    QImage image = ToQImage(ToRgba(texture, colours_));
    if (image.width() > kPreviewSide || image.height() > kPreviewSide) {
        image = image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    preview_->setPixmap(QPixmap::fromImage(image));
}

// Narrowing keeps the chosen texture when it still shows, else moves to the first that does.
void TextureSelectorDialog::filterChanged(const QString& text)
{
    const QModelIndex chosen = filtered_->mapToSource(list_->currentIndex());
    filtered_->setFilterFixedString(text);
    QModelIndex current = filtered_->mapFromSource(chosen);
    if (!current.isValid()) current = filtered_->index(0, 0);
    if (!current.isValid()) return;
    list_->setCurrentIndex(current);
    list_->scrollTo(current);
}

// Up and Down in the filter field step through the list and the page keys page it, so typing
// and choosing need no change of focus.
bool TextureSelectorDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != filter_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int row = list_->currentIndex().row() + (key == Qt::Key_Down ? 1 : -1);
        const QModelIndex next = filtered_->index(std::clamp(row, 0, filtered_->rowCount() - 1), 0);
        if (next.isValid()) list_->setCurrentIndex(next);
        return true;
    }
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        QApplication::sendEvent(list_, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vorn
