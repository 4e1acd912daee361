#include "entity_drop_target.h"

#include "document/entity_commands.h"
#include "editor/editor.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace vorn {

EntityDropTarget::EntityDropTarget(Editor& editor, QWidget* viewport, const CXYView& view)
    : QObject(viewport), editor_(editor), view_(view)
{
    viewport->setAcceptDrops(true);
    viewport->installEventFilter(this);
}

bool EntityDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData()->hasFormat(QLatin1String(kEntityClassMimeType))) return QObject::eventFilter(watched, event);
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        const std::string name = drop->mimeData()->data(QLatin1String(kEntityClassMimeType)).toStdString();
        if (const auto box = editor_.classes().fixedBox(name)) {
            const QPoint at = drop->position().toPoint();
            PlacePointEntity(editor_.map(), editor_.classes(), name, view_.placementPoint(at.x(), at.y(), box->mins.z),
                             editor_.host());
        }
    }
    return true;
}

} // namespace vorn
