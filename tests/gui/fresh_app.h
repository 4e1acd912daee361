#pragma once

#include "vorn_application.h"

#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vorn::test {

// The editor's application with settings and user data of its own in a new folder, so that no
// test meets another's preferences, recent files or recovery copies, nor the user's.
class FreshApp {
public:
    // A new folder and a new application in it, not yet started; the previous application goes
    // first, while its folder is still there to save into. A layout named is stored beforehand,
    // as by a user who chose it.
    void renew(const char* layout = nullptr)
    {
        app_.reset();
        folder_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", folder_->path().toUtf8());
        if (layout) QSettings(settingsFile(), QSettings::IniFormat).setValue("preferences/layout", layout);
        app_ = std::make_unique<VornApplication>(settingsFile());
    }

    QString settingsFile() const { return folder_->filePath("Vorn.conf"); }
    const QTemporaryDir& folder() const { return *folder_; }
    VornApplication* operator->() const { return app_.get(); }

private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<VornApplication> app_;
};

} // namespace vorn::test
