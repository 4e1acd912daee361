#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QSize>

#include <optional>
#include <string>
#include <vector>

namespace vorn {

class TextureArchives;
struct TextureColours;

// The textures of the archives as a list of names with thumbnails. A thumbnail is made the
// first time a view asks for it, so opening a large archive only reads what is on screen.
class TextureThumbnailModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kThumbnailSide = 64;
    // Room for a thumbnail with the longest texture name (15 characters) beneath it.
    static constexpr QSize kItemSize{kThumbnailSide + 60, kThumbnailSide + 20};

    // The names are shown sorted, ignoring case.
    TextureThumbnailModel(const TextureArchives& archives, const TextureColours& colours, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The row of the first name equal to `name` ignoring case.
    std::optional<int> rowOf(const QString& name) const;
    // How many thumbnails have been made so far.
    int thumbnailsMade() const { return thumbnailsMade_; }

private:
    QIcon thumbnail(int row) const;

    const TextureArchives& archives_;
    const TextureColours& colours_;
    std::vector<QString> names_;
    mutable std::vector<std::optional<QIcon>> thumbnails_;
    mutable int thumbnailsMade_ = 0;
};

} // namespace vorn
