#include "replace_texture_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace vorn {

std::optional<TextureReplacement> askReplaceTexture(QWidget* parent, const std::string& current, bool haveSelection)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Replace Texture"));
    auto* form = new QFormLayout(&dialog);
    auto* find = new QLineEdit(QString::fromStdString(current));
    find->setObjectName(QStringLiteral("find"));
    auto* replace = new QLineEdit;
    replace->setObjectName(QStringLiteral("replace"));
    auto* selectionOnly = new QCheckBox(QStringLiteral("In the selection only"));
    selectionOnly->setChecked(haveSelection);
    selectionOnly->setEnabled(haveSelection);
    form->addRow(QStringLiteral("Find"), find);
    form->addRow(QStringLiteral("Replace with"), replace);
    form->addRow(selectionOnly);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    const auto enableOk = [&] { ok->setEnabled(!find->text().trimmed().isEmpty() && !replace->text().trimmed().isEmpty()); };
    QObject::connect(find, &QLineEdit::textChanged, &dialog, enableOk);
    QObject::connect(replace, &QLineEdit::textChanged, &dialog, enableOk);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    enableOk();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return TextureReplacement{find->text().trimmed().toStdString(), replace->text().trimmed().toStdString(),
                              selectionOnly->isChecked()};
}

} // namespace vorn
