#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QFormLayout;
class QLineEdit;
class QDialogButtonBox;

namespace vorn {

// A small modal form built from a description: whole-number and decimal fields typed as text,
// choices as radio buttons, an optional help text and the buttons. OK first checks that every
// text field holds a number, then asks the check; either refusal shows a message, focuses the
// field and keeps the dialog open.
class ParameterDialog : public QDialog {
    Q_OBJECT
public:
    enum class Buttons { OkCancel, OkOnly };
    // Names the first value that is refused (the text starts with the field's label), or nothing.
    using Check = std::function<std::optional<std::string>()>;

    ParameterDialog(QWidget* parent, const QString& title, Buttons buttons = Buttons::OkCancel);

    // Each add returns the field's index for reading it back. A field's widget is named by its label.
    int addWholeNumber(const QString& label, int value);
    int addDecimal(const QString& label, float value);
    int addChoice(const QString& label, const QStringList& choices, int index);
    void setHelp(const QString& text);
    // A button that does not close the dialog.
    void addAction(const QString& text, std::function<void()> onClick);
    void setCheck(Check check) { check_ = std::move(check); }

    // Reports the first text field that is not a number; true when all are.
    bool fieldsAreNumbers();
    // Read only after fieldsAreNumbers() said yes.
    int wholeNumber(int field) const;
    float decimal(int field) const;
    int choice(int field) const;
    void setWholeNumber(int field, int value);
    void setDecimal(int field, float value);
    void setChoice(int field, int index);

    // Shows the message and focuses the field its text names first.
    void refuse(const QString& message);

public slots:
    void accept() override;

private:
    enum class Kind { WholeNumber, Decimal, Choice };
    struct Field {
        QString label;
        Kind kind;
        QLineEdit* edit = nullptr;
        QButtonGroup* choices = nullptr;
    };

    int addTextField(const QString& label, Kind kind, const QString& text);
    void focusField(const Field& field);

    QFormLayout* form_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    std::vector<Field> fields_;
    Check check_;
};

} // namespace vorn
