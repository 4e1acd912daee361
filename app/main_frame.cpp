#include "main_frame.h"

#include <QLabel>
#include <QSplitter>

namespace vorn {
namespace {

QWidget* placeholderPane(const QString& name)
{
    auto* pane = new QLabel(name);
    pane->setObjectName(name);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameShape(QFrame::StyledPanel);
    pane->setAutoFillBackground(true);
    return pane;
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Vorn"));

    cameraPane_ = placeholderPane(QStringLiteral("Camera"));
    controlPanel_ = placeholderPane(QStringLiteral("Control panel"));
    xyPane_ = placeholderPane(QStringLiteral("XY view"));
    zPane_ = placeholderPane(QStringLiteral("Z view"));

    auto* top = new QSplitter(Qt::Horizontal);
    top->addWidget(cameraPane_);
    top->addWidget(controlPanel_);
    auto* bottom = new QSplitter(Qt::Horizontal);
    bottom->addWidget(xyPane_);
    bottom->addWidget(zPane_);
    bottom->setStretchFactor(0, 1);

    outer_ = new QSplitter(Qt::Vertical);
    outer_->addWidget(top);
    outer_->addWidget(bottom);
    outer_->setStretchFactor(1, 1);
    outer_->setSizes({kTopRowHeight, 1000});
    setCentralWidget(outer_);
}

} // namespace vorn
