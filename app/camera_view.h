#pragma once

#include <QOpenGLWidget>

#include <memory>
#include <string>

namespace vorn {

class CameraController;
class Editor;
class SceneRenderer;

// The 3D camera view: draws the camera's scene with OpenGL 3.3 and hands keys and mouse to the
// camera logic. When OpenGL fails it says why once, in a box titled "OpenGL Error", and the
// camera goes off; the rest of the editor goes on.
class CMy3DCameraView final : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit CMy3DCameraView(Editor& editor, QWidget* parent = nullptr);
    ~CMy3DCameraView() override;

    // False on the platforms that give a widget no OpenGL context (offscreen, minimal).
    static bool platformCanDraw();

    bool failed() const { return failed_; }
    // The first OpenGL error of the last frame drawn (0: none).
    unsigned lastDrawError() const;

signals:
    void openGLFailed(const QString& reason);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void fail(const std::string& reason);
    void releaseGL();

    Editor& editor_;
    CameraController& controller_;
    std::unique_ptr<SceneRenderer> renderer_;
    bool failed_ = false;
};

} // namespace vorn
