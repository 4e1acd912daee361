#pragma once

#include "ui/view_state.h"

#include <QObject>

#include <functional>

class QWidget;

namespace vorn {

class Editor;

// What a dragged entity class travels as: its name.
inline constexpr char kEntityClassMimeType[] = "application/x-vorn-entity-class";

// Lets a 2D view take point classes dragged from the entity browser: a class dropped there is
// placed as a new entity at the drop point (see PlacePointEntity).
class EntityDropTarget final : public QObject {
    Q_OBJECT
public:
    // `mapPointAt` turns a pixel of `viewport` into the map point under it.
    EntityDropTarget(Editor& editor, QWidget* viewport, std::function<MapPoint(QPoint)> mapPointAt);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Editor& editor_;
    std::function<MapPoint(QPoint)> mapPointAt_;
};

} // namespace vorn
