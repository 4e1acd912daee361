#include "ui/preferences.h"

#include <algorithm>

namespace vorn {
namespace {

constexpr std::string_view kPreferences = "preferences";
constexpr std::string_view kAuthor = "preferences\\author";
constexpr std::string_view kMainWindow = "preferences\\mainwin";
constexpr std::string_view kPaths = "paths";

} // namespace

void Preferences::load(const SettingsStore& store)
{
    const Preferences defaults;
    authorName = store.readString(kAuthor, "name", defaults.authorName);
    authorEmail = store.readString(kAuthor, "email", defaults.authorEmail);
    qbsp = store.readString(kPaths, "qbsp", defaults.qbsp);
    light = store.readString(kPaths, "light", defaults.light);
    vis = store.readString(kPaths, "vis", defaults.vis);
    wad = store.readString(kPaths, "wad", defaults.wad);
    gameFolder = store.readString(kPaths, "game_folder", defaults.gameFolder);
    temp = store.readString(kPaths, "temp", defaults.temp);
    quake = store.readString(kPaths, "quake", defaults.quake);
    entityList = store.readString(kPaths, "entity_list", defaults.entityList);
    curTexture = store.readString(kPreferences, "curtexture", defaults.curTexture);
    curTargetId = store.readInt(kPreferences, "curtargetid", defaults.curTargetId);
    xyGridSize = store.readInt(kPreferences, "xygridsize", defaults.xyGridSize);
    xyGridShow = store.readInt(kPreferences, "xygridshow", defaults.xyGridShow);
    xyGridSnap = store.readInt(kPreferences, "xygridsnap", defaults.xyGridSnap);
    xyDrawNames = store.readInt(kPreferences, "xydrawnames", defaults.xyDrawNames);
    xyScalePercent = store.readInt(kPreferences, "xyscale", defaults.xyScalePercent);
    autosaveMinutes = std::max(0, store.readInt(kPreferences, "autosave_minutes", defaults.autosaveMinutes));
    textureLock = store.readInt(kPreferences, "texturelock", defaults.textureLock);
    xyPane = {store.readInt(kPreferences, "xywidth", defaults.xyPane.width),
              store.readInt(kPreferences, "xyheight", defaults.xyPane.height)};
    zPane = {store.readInt(kPreferences, "zwidth", defaults.zPane.width),
             store.readInt(kPreferences, "zheight", defaults.zPane.height)};
    controlPane = {store.readInt(kPreferences, "qwidth", defaults.controlPane.width),
                   store.readInt(kPreferences, "qheight", defaults.controlPane.height)};
    camPane = {store.readInt(kPreferences, "camwidth", defaults.camPane.width),
               store.readInt(kPreferences, "camheight", defaults.camPane.height)};
    if (camPane.width < 1) camPane.width = defaults.camPane.width;
    if (camPane.height < 1) camPane.height = defaults.camPane.height;
    camOn = store.readInt(kPreferences, "camon", defaults.camOn);
    camMode = store.readInt(kPreferences, "cammode", defaults.camMode);
    layout = store.readString(kPreferences, "layout", defaults.layout);
    if (layout != "classic") layout = defaults.layout;
    fourCamera = {store.readInt(kPreferences, "fourcamwidth", 0), store.readInt(kPreferences, "fourcamheight", 0)};
    fourFrontWidth = store.readInt(kPreferences, "fourfrontwidth", 0);
    mainWindow = {store.readInt(kMainWindow, "show", 0), store.readInt(kMainWindow, "left", 0),
                  store.readInt(kMainWindow, "top", 0), store.readInt(kMainWindow, "right", 0),
                  store.readInt(kMainWindow, "bottom", 0)};
}

void Preferences::save(SettingsStore& store) const
{
    store.writeString(kAuthor, "name", authorName);
    store.writeString(kAuthor, "email", authorEmail);
    store.writeString(kPaths, "qbsp", qbsp);
    store.writeString(kPaths, "light", light);
    store.writeString(kPaths, "vis", vis);
    store.writeString(kPaths, "wad", wad);
    store.writeString(kPaths, "game_folder", gameFolder);
    store.writeString(kPaths, "temp", temp);
    store.writeString(kPaths, "quake", quake);
    store.writeString(kPaths, "entity_list", entityList);
    store.writeString(kPreferences, "curtexture", curTexture);
    store.writeInt(kPreferences, "curtargetid", curTargetId);
    store.writeInt(kPreferences, "xygridsize", xyGridSize);
    store.writeInt(kPreferences, "xygridshow", xyGridShow);
    store.writeInt(kPreferences, "xygridsnap", xyGridSnap);
    store.writeInt(kPreferences, "xydrawnames", xyDrawNames);
    store.writeInt(kPreferences, "xyscale", xyScalePercent);
    store.writeInt(kPreferences, "autosave_minutes", autosaveMinutes);
    store.writeInt(kPreferences, "texturelock", textureLock);
    store.writeInt(kPreferences, "xyheight", xyPane.height);
    store.writeInt(kPreferences, "xywidth", xyPane.width);
    store.writeInt(kPreferences, "zheight", zPane.height);
    store.writeInt(kPreferences, "zwidth", zPane.width);
    store.writeInt(kPreferences, "qheight", controlPane.height);
    store.writeInt(kPreferences, "qwidth", controlPane.width);
    store.writeInt(kPreferences, "camheight", camPane.height);
    store.writeInt(kPreferences, "camwidth", camPane.width);
    store.writeInt(kPreferences, "camon", camOn);
    store.writeInt(kPreferences, "cammode", camMode);
    store.writeString(kPreferences, "layout", layout);
    store.writeInt(kPreferences, "fourcamwidth", fourCamera.width);
    store.writeInt(kPreferences, "fourcamheight", fourCamera.height);
    store.writeInt(kPreferences, "fourfrontwidth", fourFrontWidth);
    store.writeInt(kMainWindow, "show", mainWindow.show);
    store.writeInt(kMainWindow, "top", mainWindow.top);
    store.writeInt(kMainWindow, "bottom", mainWindow.bottom);
    store.writeInt(kMainWindow, "right", mainWindow.right);
    store.writeInt(kMainWindow, "left", mainWindow.left);
}

} // namespace vorn
