#pragma once

#include "entities/entity_properties_form.h"

#include <QDialog>

#include <array>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QVBoxLayout;

namespace vorn {

class OtherKeysTable;

// "Entity Properties": the class, the angle and the class's text fields, the spawnflags and
// skill boxes, the class's help line, and the keys it has no field for. An entity list class has
// the common fields in two columns; a class whose keys a definition file lists has a row per
// key, with choices as lists. OK is refused with a message while the form names a problem.
class EntityPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    EntityPropertiesDialog(EntityPropertiesForm form, const EntityClassList& classes, QWidget* parent = nullptr);

    // Shows the dialog modally: what OK makes of the entity, or nothing on Cancel.
    std::optional<EntityPropertiesResult> run();

private:
    QWidget* makeHead();
    QWidget* makeFields();
    QWidget* makeCommonFields();
    QWidget* makeClassFields();
    QGroupBox* makeFlags();
    QWidget* makeSkills();
    void changeClass(const QString& name);
    void showClass();
    // The editors' contents go to the form.
    void takeFields();
    void confirm();
    void showHelp();

    EntityPropertiesForm form_;
    const EntityClassList& classes_;
    QComboBox* classList_ = nullptr;
    QComboBox* angle_ = nullptr;
    QVBoxLayout* fieldsPlace_ = nullptr;
    QWidget* fields_ = nullptr;
    std::vector<QWidget*> editors_; // by the form's field rows
    QVBoxLayout* flagsPlace_ = nullptr;
    QGroupBox* flagsGroup_ = nullptr;
    std::vector<QCheckBox*> flags_; // by the form's flag rows
    std::array<QCheckBox*, kSkillCount> skills_{};
    QLineEdit* help_ = nullptr;
    OtherKeysTable* otherKeys_ = nullptr;
};

} // namespace vorn
