#include "vorn_application.h"

#include "autosave.h"
#include "editor/editor.h"
#include "main_frame.h"
#include "qt_dialogs.h"
#include "qt_host.h"
#include "qt_settings_store.h"
#include "recovery_dialog.h"

namespace vorn {
namespace {

Preferences loadedPreferences(const SettingsStore& store)
{
    Preferences prefs;
    prefs.load(store);
    return prefs;
}

} // namespace

VornApplication::VornApplication(const QString& settingsFile)
    : settings_(std::make_unique<QtSettingsStore>(settingsFile)),
      host_(std::make_unique<QtHost>()),
      dialogs_(std::make_unique<QtDialogs>()),
      editor_(std::make_unique<Editor>(*host_, *dialogs_, loadedPreferences(*settings_)))
{
    editor_->loadEntityClasses();
    frame_ = std::make_unique<CMainFrame>(*editor_, *host_, *settings_);
    host_->setWindow(frame_.get());
    dialogs_->setParentWidget(frame_.get());
    dialogs_->setTextureFolders([this] { return editor_->panel().textureFolders(); });
    autosave_ = std::make_unique<Autosave>(*editor_, Autosave::defaultFolder());
    QObject::connect(frame_.get(), &CMainFrame::changesSettled, autosave_.get(), &Autosave::discard);
}

VornApplication::~VornApplication()
{
    settings_->sync();
}

void VornApplication::start(const QString& mapPath)
{
    frame_->showAsStored();
    // A map that cannot be opened is reported; the editor stays open on an empty map.
    if (!mapPath.isEmpty()) frame_->openMap(mapPath);
    OfferRecoveries(frame_.get(), *editor_, *autosave_);
    editor_->host().updateViews(ViewFlags::All);
}

} // namespace vorn
