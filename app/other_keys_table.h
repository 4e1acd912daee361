#pragma once

#include <QGroupBox>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QTableWidget;

namespace vorn {

class OtherKeys;

// The "Other keys" of a properties dialog: the keys it has no field for, edited in place, added
// from the two fields below the table and removed by row. A refused change is explained in a
// message and undone.
class OtherKeysTable : public QGroupBox {
    Q_OBJECT
public:
    // ownKeys gives the keys the dialog writes itself at the moment of a change.
    OtherKeysTable(OtherKeys& keys, std::function<std::vector<std::string>()> ownKeys, QWidget* parent = nullptr);

    // Shows the keys again (the dialog moved some in or out).
    void showRows();

private:
    void changeRow(int row);
    void addRow();
    void removeRow();
    void refuse(const std::string& problem);

    OtherKeys& keys_;
    std::function<std::vector<std::string>()> ownKeys_;
    QTableWidget* table_;
    QLineEdit* newKey_;
    QLineEdit* newValue_;
};

} // namespace vorn
