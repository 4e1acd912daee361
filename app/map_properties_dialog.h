#pragma once

#include "entities/map_properties_form.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace vorn {

// "Map Properties": the level's name, texture archive (with "Find Wad"), CD track and world
// type, and the world's other keys.
class MapPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit MapPropertiesDialog(MapPropertiesForm form, QWidget* parent = nullptr);

    // Shows the dialog modally: what OK makes of the world, or nothing on Cancel.
    std::optional<MapPropertiesResult> run();

private:
    void findWad();
    void confirm();

    MapPropertiesForm form_;
    QLineEdit* name_;
    QLineEdit* wad_;
    QLineEdit* cdTrack_;
    QLineEdit* worldType_;
};

} // namespace vorn
