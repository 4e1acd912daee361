#pragma once

#include <QDialog>

namespace vorn {

// "About Vorn": the program icon, the version and OK.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// Opens the About box modally.
void showAboutDialog(QWidget* parent);

} // namespace vorn
