#pragma once

#include <QWidget>

class QScrollBar;

namespace vorn {

class CZView;
class Editor;

// The height view: hands mouse and keys to the logic and paints it, with its scroll bar along
// the left edge.
class ZViewWidget final : public QWidget {
    Q_OBJECT
public:
    ZViewWidget(Editor& editor, QWidget* parent = nullptr);

    void refresh();
    // Paints the view onto any paint device (a printer, say) of the view's size.
    void render(QPaintDevice& device) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void syncScrollBar();
    // Ends the presses whose releases went elsewhere.
    void endLostPresses(const QMouseEvent& event);
    void showContextMenu(QPoint at, QPoint globalAt);

    Editor& editor_;
    CZView& view_;
    QScrollBar* scrollBar_;
    bool syncing_ = false;
};

} // namespace vorn
