#pragma once

#include <QAbstractScrollArea>
#include <QImage>

namespace vorn {

class CXYView;
class Editor;

// A 2D view (top, front or side): hands mouse, keys and wheel to the logic and paints it with
// QPainter, with scroll bars over the map extents and a corner label that says which side it shows.
// Ctrl+Tab shows the next side.
class XYViewWidget final : public QAbstractScrollArea {
    Q_OBJECT
public:
    XYViewWidget(Editor& editor, CXYView& view, QWidget* parent = nullptr);

    // Brings the scroll bars in line with the logic's scroll position and repaints.
    void refresh();
    const CXYView& view() const { return view_; }

signals:
    // Ctrl+wheel chose a scale step; the control panel follows.
    void scaleChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void syncScrollBars();
    // Ends a press whose release went elsewhere.
    void endLostPress(const QMouseEvent& event);
    void showContextMenu(QPoint at, QPoint globalAt);
    void zoomStep(int steps, QPoint at);

    Editor& editor_;
    CXYView& view_;
    bool syncing_ = false;
    QImage frame_; // painted into first, then shown: see QPainterCanvas
};

} // namespace vorn
