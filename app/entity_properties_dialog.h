#pragma once

#include "entities/entity_properties_form.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vorn {

// "Entity Properties": the class, the angle and the common keys as fields, the spawnflags and
// skill boxes, the class's help line, and the keys it has no field for. OK is refused with a
// message while the form names a problem.
class EntityPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    EntityPropertiesDialog(EntityPropertiesForm form, const EntityClassList& classes, QWidget* parent = nullptr);

    // Shows the dialog modally: what OK makes of the entity, or nothing on Cancel.
    std::optional<EntityPropertiesResult> run();

private:
    QWidget* makeFields();
    QWidget* makeFlags();
    QWidget* makeSkills();
    void showClass();
    void confirm();
    void showHelp();

    EntityPropertiesForm form_;
    const EntityClassList& classes_;
    QComboBox* classList_ = nullptr;
    QComboBox* angle_ = nullptr;
    std::array<QLineEdit*, kEntityFieldCount> fields_{};
    std::array<QCheckBox*, EntityClass::kFlagCount> flags_{};
    std::array<QCheckBox*, kSkillCount> skills_{};
    QLineEdit* help_ = nullptr;
};

} // namespace vorn
