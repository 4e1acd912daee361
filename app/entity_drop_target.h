#pragma once

#include <QObject>

class QWidget;

namespace vorn {

class CXYView;
class Editor;

// What a dragged entity class travels as: its name.
inline constexpr char kEntityClassMimeType[] = "application/x-vorn-entity-class";

// Lets a 2D view take point classes dragged from the entity browser: a class dropped there is
// placed as a new entity at the drop point (see PlacePointEntity).
class EntityDropTarget final : public QObject {
    Q_OBJECT
public:
    // `viewport` shows `view`.
    EntityDropTarget(Editor& editor, QWidget* viewport, const CXYView& view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Editor& editor_;
    const CXYView& view_;
};

} // namespace vorn
