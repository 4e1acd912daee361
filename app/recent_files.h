#pragma once

#include <QStringList>

namespace vorn {

class SettingsStore;

// The four maps opened or saved last, newest first, kept in the settings.
class RecentFiles {
public:
    static constexpr int kCount = 4;

    explicit RecentFiles(SettingsStore& store);

    const QStringList& paths() const { return paths_; }
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store();

    SettingsStore& store_;
    QStringList paths_;
};

} // namespace vorn
