#pragma once

namespace vorn {

// A mouse event in a view's client pixels, with the modifier keys and buttons held.
struct MouseInput {
    int x = 0;
    int y = 0;
    bool shift = false;
    bool ctrl = false;
    bool leftOnly = true; // the left button alone (no other button held)
};

// The keys the views act on.
enum class ViewKey { Tab, Enter, Escape, Left, Right, Up, Down, Delete, M, Minus, Slash, PageUp, PageDown, GridFiner, GridCoarser };

class Workspace;

// Keys every view and the control panel handle alike: Tab, Enter, Escape, Delete, M, minus,
// slash, and the grid's halving and doubling. True when the key was handled.
bool HandleCommonKey(Workspace& workspace, ViewKey key);

} // namespace vorn
