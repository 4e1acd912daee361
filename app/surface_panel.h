#pragma once

#include "geometry/face_surface.h"

#include <QDockWidget>

#include <array>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vorn {

class Editor;

// The "Surface" dock: the texture of the selected faces, their offsets, scales and rotation,
// each editable for all of them at once (a field is blank while the faces differ in it), and
// Reset, Fit and Align to Face. Every edit is one undoable step.
class SurfacePanel : public QDockWidget {
    Q_OBJECT
public:
    SurfacePanel(Editor& editor, QWidget* parent);

    // Shows the selection as it is now; comes forward when faces have just been picked.
    void refresh();

private:
    static constexpr int kFields = 5;
    QDoubleSpinBox* addField(SurfaceField field, double step);
    void applyTexture();

    Editor& editor_;
    QLabel* faceCount_;
    QLineEdit* texture_;
    std::array<QDoubleSpinBox*, kFields> fields_{};
    std::array<QSpinBox*, 2> fitCounts_{};
    QPushButton* reset_;
    QPushButton* fit_;
    QPushButton* align_;
    bool refreshing_ = false;
    bool showedFaces_ = false;
};

} // namespace vorn
