#pragma once

#include "ui/preferences.h"

#include <memory>

class QSettings;
class QString;

namespace vorn {

// Settings kept in an INI file; a section such as "preferences\\author" is the group
// "preferences/author".
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& path);
    ~QtSettingsStore() override;

    // The user's own settings file: ~/.config/Ostrel/Vorn.ini.
    static QString userFile();

    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const override;
    int readInt(std::string_view section, std::string_view key, int fallback) const override;
    void writeString(std::string_view section, std::string_view key, std::string_view value) override;
    void writeInt(std::string_view section, std::string_view key, int value) override;

    // Writes what was changed to disk; false when the file could not be written.
    bool sync();
    std::string fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace vorn
