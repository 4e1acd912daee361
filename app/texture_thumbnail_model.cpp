#include "texture_thumbnail_model.h"

#include "texture_qimage.h"
#include "textures/texture_archives.h"
#include "textures/texture_image.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace vorn {

TextureThumbnailModel::TextureThumbnailModel(const TextureArchives& archives, const TextureColours& colours,
                                             QObject* parent)
    : QAbstractListModel(parent), archives_(archives), colours_(colours)
{
    for (const std::string& name : archives.textureNames()) names_.push_back(QString::fromStdString(name));
    std::stable_sort(names_.begin(), names_.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    thumbnails_.resize(names_.size());
}

int TextureThumbnailModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant TextureThumbnailModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const QString& name = names_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return name;
    case Qt::DecorationRole: return thumbnail(index.row());
    case Qt::SizeHintRole: return kItemSize;
    default: return {};
    }
}

std::optional<int> TextureThumbnailModel::rowOf(const QString& name) const
{
    const auto found = std::ranges::find_if(names_, [&](const QString& n) { return n.compare(name, Qt::CaseInsensitive) == 0; });
    if (found == names_.end()) return std::nullopt;
    return static_cast<int>(found - names_.begin());
}

// The texture scaled to fit the thumbnail square, centred on a transparent background. The
// highlighted thumbnail keeps its true colours: the view marks it by its name alone.
QIcon TextureThumbnailModel::thumbnail(int row) const
{
    std::optional<QIcon>& cached = thumbnails_[static_cast<size_t>(row)];
    if (cached) return *cached;
    const QImage picture = ToQImage(ToRgba(archives_.readTexture(names_[static_cast<size_t>(row)].toStdString()), colours_));
    QImage square(kThumbnailSide, kThumbnailSide, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    if (!picture.isNull()) {
        const QImage scaled = picture.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio,
                                             picture.width() > kThumbnailSide || picture.height() > kThumbnailSide
                                                 ? Qt::SmoothTransformation
                                                 : Qt::FastTransformation);
        QPainter painter(&square);
        painter.drawImage((kThumbnailSide - scaled.width()) / 2, (kThumbnailSide - scaled.height()) / 2, scaled);
    }
    const QPixmap pixmap = QPixmap::fromImage(square);
    cached.emplace(pixmap);
    cached->addPixmap(pixmap, QIcon::Selected);
    ++thumbnailsMade_;
    return *cached;
}

} // namespace vorn
