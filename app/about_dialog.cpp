#include "about_dialog.h"

#include "icons.h"
#include "vorn_version.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace vorn {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Vorn"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* row = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(programIcon().pixmap(48, 48));
    row->addWidget(icon);
    auto* version = new QLabel(QStringLiteral("Vorn version ") + QLatin1String(kVornVersion));
    version->setObjectName(QStringLiteral("version"));
    row->addSpacing(12);
    row->addWidget(version);
    row->addStretch();
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &AboutDialog::accept);
    layout->addWidget(buttons);
}

void showAboutDialog(QWidget* parent)
{
    AboutDialog dialog(parent);
    dialog.exec();
}

} // namespace vorn
