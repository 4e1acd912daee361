#pragma once

#include <QString>

namespace vorn {

// The folder of the program's own files (the entity list, the sample map and its texture
// archive): PREFIX/share/vorn beside the PREFIX/bin that holds the program. The build lays the
// same tree out in its own share/ folder, beside the folder of the editor it builds.
QString sharedDataFolder(const QString& programFolder);

// The user's copy of the sample map, in `userFolder`.
struct SampleMapCopy {
    QString path;  // the copy's path; empty when it could not be made
    QString error; // why not
};

// Copies the sample map and the texture archive it names from `sharedFolder` into `userFolder`,
// each only when no copy is there yet, so that the user's changes stay and saving never touches
// the installed files.
SampleMapCopy copySampleMap(const QString& sharedFolder, const QString& userFolder);

// The folder the editor keeps the user's sample map in (~/.local/share/Vorn).
QString userDataFolder();

} // namespace vorn
