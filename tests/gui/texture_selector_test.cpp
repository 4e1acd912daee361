#include "editor/editor.h"
#include "document/edit_commands.h"
#include "modal_answers.h"
#include "platform/null_host.h"
#include "qt_dialogs.h"
#include "texture_selector_dialog.h"
#include "texture_thumbnail_model.h"
#include "textures/texture_archives.h"
#include "textures/texture_colours.h"
#include "textures/wad_writer.h"
#include "map_edits.h"
#include "sample_map.h"

#include <QLabel>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>

using namespace vorn;
using namespace vorn::test;

namespace {

std::vector<uint8_t> solid(uint32_t width, uint32_t height) { return std::vector<uint8_t>(size_t{width} * height, 40); }

bool writeArchive(const QString& path, const WadWriter& writer) { return WriteFile(path, QByteArray::fromStdString(writer.bytes())); }

QStringList shownNames(const QDialog& dialog)
{
    const auto* list = dialog.findChild<QListView*>("textures");
    QStringList names;
    for (int row = 0; row < list->model()->rowCount(); ++row) names << list->model()->index(row, 0).data().toString();
    return names;
}

QString text(const QDialog& dialog, const char* name) { return dialog.findChild<QLabel*>(name)->text(); }

} // namespace

class TextureSelectorTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        WadWriter writer;
        writer.addTexture("wall_brick", 64, 32, solid(64, 32));
        writer.addTexture("Metal_Plate", 32, 32, solid(32, 32));
        writer.addTexture("door_metal", 16, 64, solid(16, 64));
        writer.addTexture("floor_stone", 64, 64, solid(64, 64));
        QVERIFY(writeArchive(folder_.filePath("test.wad"), writer));
        folders_ = {folder_.path().toStdString()};
        archives_.load("test.wad", folders_);
        colours_ = FindTextureColours(archives_, folders_);
    }

    void opensSortedWithTheCurrentTexturePreselectedIgnoringCaseAndFilters()
    {
        TextureSelectorDialog dialog(nullptr, archives_, colours_, "WALL_BRICK");
        QCOMPARE(dialog.windowTitle(), "Texture Selector");
        QCOMPARE(shownNames(dialog), (QStringList{"door_metal", "floor_stone", "Metal_Plate", "wall_brick"}));
        QCOMPARE(text(dialog, "size"), "64x32");
        QCOMPARE(dialog.findChild<QLabel*>("preview")->pixmap().size(), QSize(64, 32));
        QCOMPARE(dialog.selectedName(), std::optional<std::string>("wall_brick"));

        TextureSelectorDialog unknown(nullptr, archives_, colours_, "*NONE*");
        QCOMPARE(unknown.selectedName(), std::nullopt);
        QCOMPARE(text(unknown, "size"), "");

        // The filter narrows by a part of the name, ignoring case; the keys choose.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(dialog.findChild<QLineEdit*>("filter"), "METAL");
        QCOMPARE(shownNames(dialog), (QStringList{"door_metal", "Metal_Plate"}));
        // The chosen texture was filtered out: the first one left is shown.
        QCOMPARE(dialog.selectedName(), std::optional<std::string>("door_metal"));
        QCOMPARE(text(dialog, "size"), "16x64");
        QTest::keyClick(dialog.findChild<QLineEdit*>("filter"), Qt::Key_Down);
        QCOMPARE(dialog.selectedName(), std::optional<std::string>("Metal_Plate"));
        QTest::keyClick(dialog.findChild<QLineEdit*>("filter"), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // Whatever the filter passes through, the preview, the size and the answer are those of the
    // highlighted texture; a filter that leaves nothing chooses nothing.
    void thePreviewFollowsTheHighlightedTextureThroughEveryFilter()
    {
        TextureSelectorDialog dialog(nullptr, archives_, colours_, "wall_brick");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* filter = dialog.findChild<QLineEdit*>("filter");
        auto* list = dialog.findChild<QListView*>("textures");
        const auto highlighted = [&] { return list->currentIndex().data().toString().toStdString(); };
        for (const QString typed : {"zz", "", "o", "oo", "r_", "l_s", "", "m", "me", "met", "meta"}) {
            filter->clear();
            QTest::keyClicks(filter, typed);
            if (shownNames(dialog).isEmpty()) {
                QCOMPARE(dialog.selectedName(), std::nullopt);
                QCOMPARE(text(dialog, "size"), "");
                QVERIFY(dialog.findChild<QLabel*>("preview")->pixmap().isNull());
            } else {
                QCOMPARE(dialog.selectedName(), std::optional<std::string>(highlighted()));
            }
        }
        QCOMPARE(dialog.selectedName(), std::optional<std::string>("door_metal"));
        QCOMPARE(text(dialog, "size"), "16x64");
    }

    void thumbnailsAreMadeOnlyForWhatIsOnScreen()
    {
        WadWriter writer;
        for (int i = 0; i < 1000; ++i) writer.addTexture("tex" + std::to_string(i), 64, 64, solid(64, 64));
        QVERIFY(writeArchive(folder_.filePath("big.wad"), writer));
        TextureArchives archives;
        archives.load("big.wad", folders_);
        TextureSelectorDialog dialog(nullptr, archives, colours_, "tex500");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QApplication::processEvents();
        QCOMPARE(dialog.model().rowCount(), 1000);
        QVERIFY(dialog.model().thumbnailsMade() > 0);
        QVERIFY(dialog.model().thumbnailsMade() < 100);
    }

    // Choose Texture: pick a texture with the filter, apply it to the selected brush, save.
    void aChosenTextureReachesTheSavedMap()
    {
        NullHost host;
        QtDialogs dialogs;
        Preferences prefs;
        prefs.wad = "test.wad";
        Editor editor(host, dialogs, prefs);
        dialogs.setTextureFolders([&] { return editor.panel().textureFolders(); });
        editor.map().NewMap();
        QVERIFY(editor.saveMap(folder_.filePath("room.map").toStdString())); // gives the map its folder
        AddBox(editor.map(), {0, 0, 0}, {64, 64, 64});
        const auto choose = [&] { ChooseTexture(editor.map(), dialogs, editor.prefs().wad); };

        whileModal([&] { choose(); return 0; }, [](QDialog& d) {
            QTest::keyClicks(d.findChild<QLineEdit*>("filter"), "plate");
            auto* list = d.findChild<QListView*>("textures");
            list->doItemsLayout();
            const QPoint first = list->visualRect(list->model()->index(0, 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
        });
        QCOMPARE(editor.map().currentTexture(), "Metal_Plate");
        QVERIFY(editor.saveMap(folder_.filePath("room.map").toStdString()));
        QCOMPARE(FileBytes(folder_.filePath("room.map")).count(" Metal_Plate "), 6);

        // Cancel changes nothing.
        whileModal([&] { choose(); return 0; }, [](QDialog& d) { d.reject(); });
        QCOMPARE(editor.map().currentTexture(), "Metal_Plate");
    }

private:
    QTemporaryDir folder_;
    std::vector<std::string> folders_;
    TextureArchives archives_;
    TextureColours colours_;
};

QTEST_MAIN(TextureSelectorTest)
#include "texture_selector_test.moc"
