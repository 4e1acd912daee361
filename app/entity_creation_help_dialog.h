#pragma once

#include <QDialog>

namespace vorn {

class EntityClass;

// "Entity Creation Help": a class's name and its help text, one row per line.
class EntityCreationHelpDialog : public QDialog {
    Q_OBJECT
public:
    EntityCreationHelpDialog(const EntityClass& entityClass, QWidget* parent = nullptr);
};

} // namespace vorn
