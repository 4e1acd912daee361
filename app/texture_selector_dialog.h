#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QSortFilterProxyModel;

namespace vorn {

class TextureArchives;
class TextureThumbnailModel;
struct TextureColours;

// "Texture Selector": the archives' textures as a grid of thumbnails with names, narrowed by a
// filter as you type, with a real-size preview and its "%ix%i" size. Opens with `current`
// selected when the archives have it (ignoring case); OK, Enter or a double-click chooses.
class TextureSelectorDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPreviewSide = 256;

    TextureSelectorDialog(QWidget* parent, const TextureArchives& archives, const TextureColours& colours,
                          const QString& current);
    ~TextureSelectorDialog() override;

    // The texture shown last; nothing when none was.
    std::optional<std::string> selectedName() const;
    const TextureThumbnailModel& model() const { return *model_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTexture(const QModelIndex& index);
    void filterChanged(const QString& text);

    const TextureArchives& archives_;
    const TextureColours& colours_;
    TextureThumbnailModel* model_;
    QSortFilterProxyModel* filtered_;
    QLineEdit* filter_;
    QListView* list_;
    QLabel* preview_;
    QLabel* size_;
    std::optional<std::string> shown_;
};

} // namespace vorn
