#include "parameter_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vorn {
namespace {

std::optional<int> parseWholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

// Accepts the C notation ("0.5") and the user's own ("0,5" in many locales).
std::optional<float> parseDecimal(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    float value = trimmed.toFloat(&ok);
    if (!ok) value = QLocale().toFloat(trimmed, &ok);
    if (!ok) return std::nullopt;
    return value;
}

QString formatDecimal(float value)
{
    // Six significant digits show 0.1f as "0.1" rather than its binary expansion.
    return QString::number(static_cast<double>(value), 'g', 6);
}

} // namespace

ParameterDialog::ParameterDialog(QWidget* parent, const QString& title, Buttons buttons)
    : QDialog(parent)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    form_ = new QFormLayout;
    layout->addLayout(form_);

    buttons_ = new QDialogButtonBox(buttons == Buttons::OkOnly ? QDialogButtonBox::Ok
                                                               : QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons_, &QDialogButtonBox::accepted, this, &ParameterDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &ParameterDialog::reject);
    layout->addWidget(buttons_);
}

int ParameterDialog::addTextField(const QString& label, Kind kind, const QString& text)
{
    auto* edit = new QLineEdit(text);
    edit->setObjectName(label);
    edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    form_->addRow(label, edit);
    fields_.push_back({label, kind, edit, nullptr});
    return static_cast<int>(fields_.size()) - 1;
}

int ParameterDialog::addWholeNumber(const QString& label, int value)
{
    return addTextField(label, Kind::WholeNumber, QString::number(value));
}

int ParameterDialog::addDecimal(const QString& label, float value)
{
    return addTextField(label, Kind::Decimal, formatDecimal(value));
}

int ParameterDialog::addChoice(const QString& label, const QStringList& choices, int index)
{
    auto* box = new QGroupBox(label);
    box->setObjectName(label);
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(box);
    // Up to three choices in one column, more in two (so Up/Down and North/South face each other).
    const int rows = choices.size() <= 3 ? static_cast<int>(choices.size()) : (static_cast<int>(choices.size()) + 1) / 2;
    for (int i = 0; i < choices.size(); ++i) {
        auto* button = new QRadioButton(choices[i]);
        group->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    form_->addRow(box);
    fields_.push_back({label, Kind::Choice, nullptr, group});
    const int field = static_cast<int>(fields_.size()) - 1;
    setChoice(field, index);
    return field;
}

void ParameterDialog::setHelp(const QString& text)
{
    auto* help = new QLabel(text);
    help->setObjectName(QStringLiteral("help"));
    help->setWordWrap(true);
    help->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->insertWidget(layout->indexOf(buttons_), help);
}

void ParameterDialog::addAction(const QString& text, std::function<void()> onClick)
{
    QPushButton* button = buttons_->addButton(text, QDialogButtonBox::ActionRole);
    connect(button, &QPushButton::clicked, this, std::move(onClick));
}

bool ParameterDialog::fieldsAreNumbers()
{
    for (const Field& field : fields_) {
        if (field.kind == Kind::WholeNumber && !parseWholeNumber(field.edit->text())) {
            refuse(tr("%1 must be a whole number.").arg(field.label));
            return false;
        }
        if (field.kind == Kind::Decimal && !parseDecimal(field.edit->text())) {
            refuse(tr("%1 must be a number.").arg(field.label));
            return false;
        }
    }
    return true;
}

int ParameterDialog::wholeNumber(int field) const
{
    return parseWholeNumber(fields_.at(field).edit->text()).value_or(0);
}

float ParameterDialog::decimal(int field) const
{
    return parseDecimal(fields_.at(field).edit->text()).value_or(0.0f);
}

int ParameterDialog::choice(int field) const
{
    return fields_.at(field).choices->checkedId();
}

void ParameterDialog::setWholeNumber(int field, int value)
{
    fields_.at(field).edit->setText(QString::number(value));
}

void ParameterDialog::setDecimal(int field, float value)
{
    fields_.at(field).edit->setText(formatDecimal(value));
}

void ParameterDialog::setChoice(int field, int index)
{
    if (QAbstractButton* button = fields_.at(field).choices->button(index)) button->setChecked(true);
}

void ParameterDialog::refuse(const QString& message)
{
    QMessageBox::warning(this, QStringLiteral("Vorn"), message);
    // The longest label the message starts with, so "X Angle" wins over a field named "X".
    const Field* named = nullptr;
    for (const Field& field : fields_) {
        const bool starts = message.startsWith(field.label + QLatin1Char(' '));
        if (starts && (!named || field.label.size() > named->label.size())) named = &field;
    }
    if (named) focusField(*named);
}

void ParameterDialog::focusField(const Field& field)
{
    if (field.edit) {
        field.edit->setFocus();
        field.edit->selectAll();
    } else if (QAbstractButton* checked = field.choices->checkedButton()) {
        checked->setFocus();
    }
}

void ParameterDialog::accept()
{
    if (!fieldsAreNumbers()) return;
    if (check_) {
        if (std::optional<std::string> problem = check_()) {
            refuse(QString::fromStdString(*problem));
            return;
        }
    }
    QDialog::accept();
}

} // namespace vorn
