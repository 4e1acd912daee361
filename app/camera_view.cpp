#include "camera_view.h"

#include "editor/editor.h"
#include "scene_renderer.h"
#include "view_keys.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QTimer>
#include <QWheelEvent>

#include <optional>

namespace vorn {
namespace {

// How long after showing the view a context must exist.
constexpr int kContextCheckMs = 1000;

std::optional<CameraButton> cameraButtonFor(const QMouseEvent& event)
{
    if (event.button() == Qt::LeftButton) return CameraButton::Left;
    if (event.button() == Qt::RightButton) return CameraButton::Right;
    return std::nullopt;
}

} // namespace

CMy3DCameraView::CMy3DCameraView(Editor& editor, QWidget* parent)
    : QOpenGLWidget(parent), editor_(editor), controller_(editor.cameraView()), renderer_(std::make_unique<SceneRenderer>())
{
    setObjectName(QStringLiteral("cameraView"));
    setFocusPolicy(Qt::StrongFocus);
    QSurfaceFormat format;
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    setFormat(format);
}

CMy3DCameraView::~CMy3DCameraView()
{
    releaseGL();
}

bool CMy3DCameraView::platformCanDraw()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

unsigned CMy3DCameraView::lastDrawError() const
{
    return renderer_->lastDrawError();
}

void CMy3DCameraView::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CMy3DCameraView::releaseGL);
    const QSurfaceFormat got = context()->format();
    if (got.version() < qMakePair(3, 3)) {
        fail("This display offers OpenGL " + std::to_string(got.majorVersion()) + "." +
             std::to_string(got.minorVersion()) + "; the camera view needs 3.3.");
        return;
    }
    if (auto failure = renderer_->initialize()) fail(*failure);
}

void CMy3DCameraView::resizeGL(int, int)
{
    controller_.setClientSize(width(), height());
}

void CMy3DCameraView::paintGL()
{
    if (failed_) return;
    controller_.setClientSize(width(), height());
    if (auto failure = renderer_->upload(controller_.scene(), controller_.textureImages())) {
        fail(*failure);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const CameraModel& camera = editor_.workspace().camera();
    renderer_->draw(controller_.mode(), !controller_.isOn(), controller_.scene(), controller_.projection(), camera.position(),
                    Normalized(camera.direction()), static_cast<int>(width() * ratio), static_cast<int>(height() * ratio),
                    controller_.handlePoints());
}

void CMy3DCameraView::showEvent(QShowEvent* event)
{
    QOpenGLWidget::showEvent(event);
    QTimer::singleShot(kContextCheckMs, this, [this] {
        // A collapsed pane gets no context yet, and needs none.
        if (!failed_ && isVisible() && width() > 0 && height() > 0 && !isValid()) {
            fail("No OpenGL context could be made for the camera view.");
        }
    });
}

void CMy3DCameraView::fail(const std::string& reason)
{
    if (failed_) return;
    failed_ = true;
    controller_.turnOffAfterFailure();
    const QString text = QString::fromStdString(reason);
    emit openGLFailed(text);
    // Once the paint or event that failed is over.
    QTimer::singleShot(0, this, [this, text] {
        releaseGL();
        QMessageBox::critical(window(), QStringLiteral("OpenGL Error"), text);
    });
}

void CMy3DCameraView::releaseGL()
{
    if (!context()) return;
    makeCurrent();
    renderer_->release();
    doneCurrent();
}

bool CMy3DCameraView::event(QEvent* event)
{
    if (QKeyEvent* tab = tabPress(event)) {
        keyPressEvent(tab);
        return true;
    }
    return QOpenGLWidget::event(event);
}

void CMy3DCameraView::keyPressEvent(QKeyEvent* event)
{
    if (const auto key = cameraKeyFor(*event)) {
        controller_.keyDown(*key);
        return;
    }
    const auto key = viewKeyFor(*event);
    if (!key || !controller_.commonKey(*key)) QOpenGLWidget::keyPressEvent(event);
}

void CMy3DCameraView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (const auto button = cameraButtonFor(*event)) controller_.buttonDown(*button, mouseInputFor(*event));
}

void CMy3DCameraView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (controller_.mouseMove(p.x(), p.y())) {
        QCursor::setPos(mapToGlobal(QPoint(controller_.dragStartX(), controller_.dragStartY())));
    }
}

void CMy3DCameraView::wheelEvent(QWheelEvent* event)
{
    controller_.wheel(event->angleDelta().y() / 120);
}

void CMy3DCameraView::mouseReleaseEvent(QMouseEvent* event)
{
    if (const auto button = cameraButtonFor(*event)) controller_.buttonUp(*button);
}

} // namespace vorn
