#include "xy_view_widget.h"

#include "document/brush_commands.h"
#include "document/entity_commands.h"
#include "editor/editor.h"
#include "platform/host.h"
#include "qpainter_canvas.h"
#include "ui/scale_steps.h"
#include "view_keys.h"

#include <QMouseEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace vorn {

XYViewWidget::XYViewWidget(Editor& editor, CXYView& view, QWidget* parent)
    : QAbstractScrollArea(parent), editor_(editor), view_(view)
{
    setObjectName(QStringLiteral("xyView"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    // The menu opens on a right click's release (below), never on the press.
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
}

void XYViewWidget::refresh()
{
    syncScrollBars();
    viewport()->update();
}

void XYViewWidget::syncScrollBars()
{
    syncing_ = true;
    horizontalScrollBar()->setRange(0, std::max(0, view_.scrollWidth() - view_.clientWidth()));
    verticalScrollBar()->setRange(0, std::max(0, view_.scrollHeight() - view_.clientHeight()));
    horizontalScrollBar()->setPageStep(view_.clientWidth());
    verticalScrollBar()->setPageStep(view_.clientHeight());
    horizontalScrollBar()->setValue(view_.scrollX());
    verticalScrollBar()->setValue(view_.scrollY());
    syncing_ = false;
}

bool XYViewWidget::event(QEvent* event)
{
    if (QKeyEvent* tab = tabPress(event)) {
        keyPressEvent(tab);
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void XYViewWidget::paintEvent(QPaintEvent*)
{
    const QSize size = viewport()->size();
    if (frame_.size() != size) frame_ = QImage(size, QImage::Format_RGB32);
    frame_.fill(viewport()->palette().color(QPalette::Base));
    {
        QPainter painter(&frame_);
        painter.setFont(font());
        painter.translate(-view_.scrollX(), -view_.scrollY());
        QPainterCanvas canvas(painter, &frame_);
        view_.paint(canvas);
        painter.resetTransform();
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(QPoint(6, 4), size), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromLatin1(OrientationLabel(view_.orientation())));
    }
    QPainter(viewport()).drawImage(0, 0, frame_);
}

void XYViewWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // The map point in the middle stays in the middle.
    const MapPoint centre = view_.centre();
    view_.setClientSize(viewport()->width(), viewport()->height());
    view_.centreOn(centre.x, centre.y);
    syncScrollBars();
}

void XYViewWidget::scrollContentsBy(int, int)
{
    if (syncing_) return;
    view_.scrollTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update();
}

void XYViewWidget::endLostPress(const QMouseEvent& event)
{
    if (pressWasLost(event, Qt::LeftButton, view_.leftButtonHeld())) view_.leftButtonUp(mouseInputFor(event));
}

void XYViewWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    endLostPress(*event);
    if (event->button() == Qt::LeftButton) view_.leftButtonDown(mouseInputFor(*event));
    if (event->button() == Qt::RightButton) view_.rightButtonDown(mouseInputFor(*event));
}

void XYViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    endLostPress(*event);
    view_.mouseMove(mouseInputFor(*event));
}

void XYViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    endLostPress(*event);
    if (event->button() == Qt::LeftButton) view_.leftButtonUp(mouseInputFor(*event));
    if (event->button() == Qt::RightButton && view_.rightButtonUp()) {
        showContextMenu(event->position().toPoint(), event->globalPosition().toPoint());
    }
}

void XYViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) view_.doubleClick(mouseInputFor(*event));
}

void XYViewWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
        view_.setOrientation(NextOrientation(view_.orientation()));
        refresh();
        return;
    }
    const auto key = viewKeyFor(*event, xyViewKeys());
    if (!key || !view_.keyDown(*key)) QAbstractScrollArea::keyPressEvent(event);
}

void XYViewWidget::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    // From above the wheel scrolls, as it always has, and zooms with Ctrl; from the front and the
    // side it zooms.
    if ((event->modifiers() & Qt::ControlModifier) || view_.orientation() != ViewOrientation::Top) {
        if (steps != 0) zoomStep(steps, event->position().toPoint());
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void XYViewWidget::zoomStep(int steps, QPoint at)
{
    const float scale = NextScaleStep(view_.scale(), steps);
    if (scale == view_.scale()) return;
    view_.zoomAbout(scale, {at.x(), at.y()});
    editor_.host().updateViews(ViewFlags::All);
    emit scaleChanged();
}

void XYViewWidget::showContextMenu(QPoint at, QPoint globalAt)
{
    view_.contextMenuAt(at.x(), at.y());
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("xyContextMenu"));
    CQMap& map = editor_.map();
    Dialogs& dialogs = editor_.dialogs();
    Host& host = editor_.host();
    menu.addAction(QStringLiteral("Make into &Entity"), this, [&] { MakeIntoEntity(map, dialogs, editor_.classes(), host); });
    menu.addAction(QStringLiteral("Make into &Stairs"), this, [&] { MakeIntoStairs(map, dialogs, host); });
    menu.addAction(QStringLiteral("Make into &Room"), this, [&] { MakeIntoRoom(map, dialogs, host); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Connect Entities"), this, [this] { view_.connectEntitiesHere(); });
    menu.addAction(QStringLiteral("Entity &Properties"), this,
                   [&] { ShowEntityProperties(map, dialogs, editor_.classes(), host); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Move Camera here"), this, [this] { view_.moveCameraHere(); });
    Workspace& workspace = editor_.workspace();
    QAction* clipper = menu.addAction(QStringLiteral("C&lipper Mode"), this, [&] {
        workspace.toggleClipperMode();
        host.updateViews(ViewFlags::All);
    });
    clipper->setCheckable(true);
    clipper->setChecked(workspace.clipperMode());
    menu.exec(globalAt);
}

} // namespace vorn
