#pragma once

#include "document/map_document.h"
#include "platform/canvas.h"
#include "ui/drag_step.h"
#include "ui/face_drag.h"
#include "ui/view_input.h"

#include <optional>
#include <string>
#include <vector>

namespace vorn {

class Workspace;

// The narrow height view's logic: one map column seen from the side, one pixel per map unit,
// with a scroll bar strip along its left edge.
class CZView {
public:
    enum class DragMode { Idle, DragFaces, DragSelection };
    static constexpr int kGridStep = 16;
    // The scroll bar's range: its thumb sits at 2048 minus the bottom height.
    static constexpr int kScrollRange = 4096;
    static constexpr int kScrollMiddle = 2048;

    explicit CZView(Workspace& workspace) : workspace_(workspace) {}

    // --- mapping between heights and rows ---
    void setClientSize(int width, int height, int scrollBarWidth);
    int clientWidth() const { return width_; }
    int clientHeight() const { return height_; }
    float bottomZ() const { return bottomZ_; }
    void setBottomZ(float z) { bottomZ_ = z; }
    int scrollPosition() const;
    // The thumb moved to a position of the scroll bar.
    void scrollTo(int position);
    // The height shown on a row, and the row of a height.
    float heightAt(int row) const;
    int rowOf(float z) const;
    // A mouse height: whole units, snapped to the XY grid when the XY view snaps.
    float mouseHeight(int row) const;

    // --- input ---
    DragMode dragMode() const { return dragMode_; }
    void leftButtonDown(const MouseInput& in);
    void rightButtonDown(const MouseInput& in);
    void mouseMove(const MouseInput& in);
    void leftButtonUp();
    // Ends a right press: true when it was a click (no movement), which opens the context menu.
    bool rightButtonUp();
    // Which presses the view thinks are held, so the widget can end one whose release it never saw.
    bool leftButtonHeld() const { return buttonDown_ && !rightDrag_; }
    bool rightButtonHeld() const { return rightDrag_; }
    // The context menu opened at a client point; its commands act at that point's height.
    void contextMenuAt(int x, int y);
    void setMaxZHere();
    void setMinZHere();
    void setCameraZHere();
    // True when the key was handled.
    bool keyDown(ViewKey key);
    // Shows the column higher up (positive units) or lower down.
    void scrollBy(float units);

    void paint(Canvas& canvas) const;

private:
    float contextHeight() const;

    Workspace& workspace_;
    int width_ = 0;
    int height_ = 0;
    int scrollBarWidth_ = 0;
    float bottomZ_ = -16;
    DragMode dragMode_ = DragMode::Idle;
    bool buttonDown_ = false;
    bool rightDrag_ = false;
    bool rightDragMoved_ = false;
    PixelPoint dragStart_;
    int previousDelta_ = 0;
    FaceDrag faceDrag_;
    DragStep drag_;
};

} // namespace vorn
