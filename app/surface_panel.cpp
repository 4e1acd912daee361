#include "surface_panel.h"

#include "document/face_commands.h"
#include "editor/editor.h"
#include "platform/host.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <optional>

namespace vorn {
namespace {

constexpr double kLargest = 1e6;
constexpr int kDecimals = 4;
constexpr int kMostFits = 64;

struct SurfaceRow {
    SurfaceField field;
    const char* label;
    double step;
};

constexpr SurfaceRow kRows[] = {
    {SurfaceField::OffsetX, "X offset", 1},  {SurfaceField::OffsetY, "Y offset", 1}, {SurfaceField::ScaleX, "X scale", 0.05},
    {SurfaceField::ScaleY, "Y scale", 0.05}, {SurfaceField::Rotation, "Rotation", 15},
};

// The value all the faces share; none when they differ.
template <typename Read>
auto sharedValue(const CQMap& map, const std::vector<FaceRef>& faces, Read read) -> std::optional<decltype(read(CQFace{}))>
{
    std::optional<decltype(read(CQFace{}))> shared;
    for (const FaceRef& ref : faces) {
        const auto value = read(map.brush(map.locate(ref.brush)).face(ref.face));
        if (shared && *shared != value) return std::nullopt;
        shared = value;
    }
    return shared;
}

} // namespace

SurfacePanel::SurfacePanel(Editor& editor, QWidget* parent)
    : QDockWidget(QStringLiteral("Surface"), parent), editor_(editor), faceCount_(new QLabel), texture_(new QLineEdit),
      reset_(new QPushButton(QStringLiteral("Reset"))), fit_(new QPushButton(QStringLiteral("Fit"))),
      align_(new QPushButton(QStringLiteral("Align to Face")))
{
    setObjectName(QStringLiteral("surfacePanel"));
    auto* body = new QWidget;
    auto* form = new QFormLayout(body);
    // Wrapped, so that the hint does not widen the dock.
    faceCount_->setWordWrap(true);
    form->addRow(faceCount_);
    texture_->setObjectName(QStringLiteral("surfaceTexture"));
    form->addRow(QStringLiteral("Texture"), texture_);
    connect(texture_, &QLineEdit::editingFinished, this, &SurfacePanel::applyTexture);
    for (const SurfaceRow& row : kRows) form->addRow(QString::fromLatin1(row.label), addField(row.field, row.step));

    auto* fitRow = new QHBoxLayout;
    fitRow->addWidget(fit_);
    for (size_t k = 0; k < 2; ++k) {
        auto* count = new QSpinBox;
        count->setRange(1, kMostFits);
        count->setToolTip(k == 0 ? QStringLiteral("Times across") : QStringLiteral("Times down"));
        fitCounts_[k] = count;
        if (k == 1) fitRow->addWidget(new QLabel(QStringLiteral("×")));
        fitRow->addWidget(count);
    }
    form->addRow(fitRow);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset_);
    buttons->addWidget(align_);
    form->addRow(buttons);
    setWidget(body);

    connect(reset_, &QPushButton::clicked, this, [this] { ResetFaces(editor_.map()); });
    connect(align_, &QPushButton::clicked, this,
            [this] { AlignFacesToFace(editor_.map(), editor_.panel().textureSizes()); });
    connect(fit_, &QPushButton::clicked, this, [this] {
        const int unfitted = FitFaces(editor_.map(), editor_.panel().textureSizes(),
                                      {static_cast<double>(fitCounts_[0]->value()), static_cast<double>(fitCounts_[1]->value())});
        if (unfitted > 0) {
            editor_.host().statusMessage(std::to_string(unfitted) + " faces not fitted: their texture's size is not known");
        }
    });
    refresh();
}

QDoubleSpinBox* SurfacePanel::addField(SurfaceField field, double step)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QStringLiteral("surfaceField%1").arg(static_cast<int>(field)));
    box->setRange(-kLargest, kLargest);
    box->setDecimals(kDecimals);
    box->setSingleStep(step);
    // Typing sets the faces once, on Enter or on leaving the field; each arrow step sets them.
    box->setKeyboardTracking(false);
    connect(box, &QDoubleSpinBox::valueChanged, this, [this, field](double value) {
        if (!refreshing_) SetFacesSurface(editor_.map(), field, value);
    });
    fields_[static_cast<size_t>(field)] = box;
    return box;
}

void SurfacePanel::applyTexture()
{
    const std::string name = texture_->text().trimmed().toStdString();
    if (refreshing_ || name.empty() || !texture_->isModified()) return;
    texture_->setModified(false);
    SetFacesTexture(editor_.map(), name);
}

void SurfacePanel::refresh()
{
    const CQMap& map = editor_.map();
    const std::vector<FaceRef> faces = map.selectedFaces();
    const bool any = !faces.empty();
    if (any && !showedFaces_) raise();
    showedFaces_ = any;
    refreshing_ = true;
    faceCount_->setText(faces.size() == 1 ? QStringLiteral("1 face selected")
                        : any            ? QStringLiteral("%1 faces selected").arg(faces.size())
                                         : QStringLiteral("No face selected: Ctrl+Shift+click a face in the camera"));
    const auto texture = sharedValue(map, faces, [](const CQFace& face) { return face.texture.str(); });
    if (!texture_->hasFocus() || !texture_->isModified()) texture_->setText(texture ? QString::fromStdString(*texture) : QString());
    for (const SurfaceRow& row : kRows) {
        QDoubleSpinBox* box = fields_[static_cast<size_t>(row.field)];
        const QSignalBlocker quiet(box);
        const auto read = [&](const CQFace& face) { return SurfaceValue(face, row.field); };
        const auto value = sharedValue(map, faces, read);
        // Blank while the faces differ; an arrow then starts from the first face's value.
        box->setValue(value ? *value : any ? read(map.brush(map.locate(faces[0].brush)).face(faces[0].face)) : 0.0);
        if (!value && any) box->clear();
        box->setEnabled(any);
    }
    texture_->setEnabled(any);
    for (QPushButton* button : {reset_, fit_, align_}) button->setEnabled(any);
    refreshing_ = false;
}

} // namespace vorn
