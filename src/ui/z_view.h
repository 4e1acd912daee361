#pragma once

namespace vorn {

class Editor;

// The narrow height view's logic: one map column seen from the side, one pixel per map unit.
class CZView {
public:
    explicit CZView(Editor& editor) : editor_(editor) {}

    // The height shown at the bottom row of the view.
    float bottomZ() const { return bottomZ_; }
    void setBottomZ(float z) { bottomZ_ = z; }

private:
    [[maybe_unused]] Editor& editor_;
    float bottomZ_ = -16;
};

} // namespace vorn
