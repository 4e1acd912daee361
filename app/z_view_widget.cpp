#include "z_view_widget.h"

#include "editor/editor.h"
#include "qpainter_canvas.h"
#include "view_keys.h"

#include <QMouseEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace vorn {

ZViewWidget::ZViewWidget(Editor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), view_(editor.zView()), scrollBar_(new QScrollBar(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("zView"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    // The menu opens on a right click's release (below), never on the press: a press that opened
    // it would leave its release to the menu and the view without it.
    setContextMenuPolicy(Qt::PreventContextMenu);
    scrollBar_->setRange(0, CZView::kScrollRange);
    scrollBar_->setSingleStep(1);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!syncing_) view_.scrollTo(value);
    });
    syncScrollBar();
}

void ZViewWidget::refresh()
{
    syncScrollBar();
    update();
}

void ZViewWidget::syncScrollBar()
{
    syncing_ = true;
    scrollBar_->setValue(view_.scrollPosition());
    syncing_ = false;
}

void ZViewWidget::render(QPaintDevice& device) const
{
    QPainter painter(&device);
    QPainterCanvas canvas(painter);
    view_.paint(canvas);
}

bool ZViewWidget::event(QEvent* event)
{
    if (QKeyEvent* tab = tabPress(event)) {
        keyPressEvent(tab);
        return true;
    }
    return QWidget::event(event);
}

void ZViewWidget::paintEvent(QPaintEvent*)
{
    render(*this);
}

void ZViewWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int barWidth = scrollBar_->sizeHint().width();
    scrollBar_->setGeometry(0, 0, barWidth, height());
    scrollBar_->setPageStep(std::max(1, 9 * height() / 10));
    view_.setClientSize(width(), height(), barWidth);
}

void ZViewWidget::endLostPresses(const QMouseEvent& event)
{
    if (pressWasLost(event, Qt::LeftButton, view_.leftButtonHeld())) view_.leftButtonUp();
    if (pressWasLost(event, Qt::RightButton, view_.rightButtonHeld())) view_.rightButtonUp();
}

void ZViewWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    endLostPresses(*event);
    if (event->button() == Qt::LeftButton) view_.leftButtonDown(mouseInputFor(*event));
    if (event->button() == Qt::RightButton) view_.rightButtonDown(mouseInputFor(*event));
}

void ZViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    endLostPresses(*event);
    view_.mouseMove(mouseInputFor(*event));
}

void ZViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    endLostPresses(*event);
    if (event->button() == Qt::LeftButton) view_.leftButtonUp();
    if (event->button() == Qt::RightButton && view_.rightButtonUp()) {
        showContextMenu(event->position().toPoint(), event->globalPosition().toPoint());
    }
}

void ZViewWidget::keyPressEvent(QKeyEvent* event)
{
    const auto key = viewKeyFor(*event, zViewKeys());
    if (!key || !view_.keyDown(*key)) QWidget::keyPressEvent(event);
}

void ZViewWidget::wheelEvent(QWheelEvent* event)
{
    constexpr float kUnitsPerStep = 64;
    view_.scrollBy(kUnitsPerStep * static_cast<float>(event->angleDelta().y() / 120));
}

void ZViewWidget::showContextMenu(QPoint at, QPoint globalAt)
{
    view_.contextMenuAt(at.x(), at.y());
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("zContextMenu"));
    menu.addAction(QStringLiteral("Set Max Z"), this, [this] { view_.setMaxZHere(); });
    menu.addAction(QStringLiteral("Set Min Z"), this, [this] { view_.setMinZHere(); });
    menu.addAction(QStringLiteral("Set Camera Z"), this, [this] { view_.setCameraZHere(); });
    menu.exec(globalAt);
}

} // namespace vorn
