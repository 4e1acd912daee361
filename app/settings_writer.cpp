#include "settings_writer.h"

#include "editor/editor.h"
#include "platform/host.h"
#include "qt_settings_store.h"

namespace vorn {

SettingsWriter::SettingsWriter(Editor& editor, QtSettingsStore& store)
    : editor_(editor), store_(store), written_(editor.preferencesToSave())
{
}

void SettingsWriter::write()
{
    const Preferences now = editor_.preferencesToSave();
    if (now != written_) now.save(store_);
    if (!store_.sync()) {
        if (!failureReported_) {
            editor_.host().messageBox("Could not write the settings to " + store_.fileName() + ".");
        }
        failureReported_ = true;
        return;
    }
    written_ = now;
    failureReported_ = false;
}

} // namespace vorn
