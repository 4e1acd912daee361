#include "recent_files.h"

#include "ui/preferences.h"

#include <string>

namespace vorn {
namespace {

constexpr std::string_view kSection = "Recent File List";

std::string keyFor(int i) { return "File" + std::to_string(i + 1); }

} // namespace

RecentFiles::RecentFiles(SettingsStore& store) : store_(store)
{
    for (int i = 0; i < kCount; ++i) {
        const QString path = QString::fromStdString(store_.readString(kSection, keyFor(i), ""));
        if (!path.isEmpty()) paths_ << path;
    }
}

void RecentFiles::add(const QString& path)
{
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > kCount) paths_.removeLast();
    store();
}

void RecentFiles::remove(const QString& path)
{
    paths_.removeAll(path);
    store();
}

void RecentFiles::store()
{
    for (int i = 0; i < kCount; ++i) {
        store_.writeString(kSection, keyFor(i), i < paths_.size() ? paths_[i].toStdString() : std::string());
    }
}

} // namespace vorn
