// vornc: the editor's map reading and writing without a window.
//   vornc stats FILE.map         counts of what the editor reads from the file, its face format,
//                                the time the read took and the memory the program peaked at
//   vornc resave IN.map OUT.map  reads and writes the map as the editor's Open and Save do, and
//                                prints the time each took; a map not read whole is not written
//   vornc wad FILE.wad           the archive's textures with their sizes, in directory order
//   vornc entities FILE...       the classes of entity lists (.qel) and definition files (.fgd,
//                                .def) read as the editor reads them: name, point or solid, the
//                                box, the model; then their count
//   vornc check FILE.map [--entities LIST] [--qbsp PATH]
//                                the problems the editor's Problems panel lists, one a line as
//                                "<id>: <message>", then their count; 1 when there are some
//   vornc --version              the version of the editor it belongs to

#include "console_host.h"
#include "entity_listing.h"
#include "map_checking.h"
#include "document/no_dialogs.h"
#include "editor/editor.h"
#include "platform/file_reading.h"
#include "textures/wad.h"
#include "vorn_version.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace vorn;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: vornc stats FILE.map\n       vornc resave IN.map OUT.map\n       vornc wad FILE.wad\n"
                         "       vornc entities FILE...\n       vornc check FILE.map [--entities LIST] [--qbsp PATH]\n"
                         "       vornc --version\n");
    return 2;
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The most memory the program has held in RAM so far.
double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

const char* formatName(MapFormat format)
{
    return format == MapFormat::Valve220 ? "Valve 220" : "standard";
}

int countFaces(const CQMap& map)
{
    int faces = 0;
    for (int i = 0; i < map.EntityCount(); ++i) {
        const CQEntity& entity = map.entity(i);
        if (!entity.isModifiable()) continue;
        for (const CQBrush& brush : entity.brushes()) faces += brush.CountFaces();
    }
    return faces;
}

int stats(Editor& editor, const std::string& path)
{
    const auto start = std::chrono::steady_clock::now();
    const auto read = editor.openMap(path);
    const double ms = millisecondsSince(start);
    if (!read) return 1;
    const CQMap& map = editor.map();
    std::printf("entities: %d\nbrushes: %d\nfaces: %d\nbrushes kept unbuilt: %zu\nempty brushes dropped: %d\n"
                "format: %s\nread time: %.1f ms\npeak memory: %.1f MB\n",
                map.EntityCount(), map.CountBrushes(), countFaces(map), read->unbuiltBrushLines.size(),
                read->emptyBrushesDropped, formatName(map.format()), ms, peakMegabytes());
    return read->damaged ? 1 : 0;
}

int resave(Editor& editor, const std::string& in, const std::string& out)
{
    const auto readStart = std::chrono::steady_clock::now();
    const auto read = editor.openMap(in);
    const double readMs = millisecondsSince(readStart);
    if (!read) return 1;
    // The editor keeps such a map without a file name, so that its Save asks where to write
    // rather than replacing the file with what was left of it; here nothing is written at all.
    if (read->damaged) {
        std::fprintf(stderr, "vornc: %s is damaged; nothing was written\n", in.c_str());
        return 1;
    }
    const auto saveStart = std::chrono::steady_clock::now();
    if (!editor.saveMap(out)) return 1;
    std::printf("format: %s\nread time: %.1f ms\nsave time: %.1f ms\n", formatName(editor.map().format()), readMs,
                millisecondsSince(saveStart));
    return 0;
}

int listWad(const std::string& path)
{
    FileContents file = ReadWholeFile(path);
    if (!file.bytes) {
        std::fprintf(stderr, "vornc: %s: %s\n", path.c_str(), file.error.c_str());
        return 1;
    }
    CQWad wad;
    const WadStatus status = wad.loadBytes(std::move(*file.bytes));
    if (status != WadStatus::Loaded) {
        const std::string_view reason = DescribeWadStatus(status);
        std::fprintf(stderr, "vornc: %s: %.*s\n", path.c_str(), static_cast<int>(reason.size()), reason.data());
        return 1;
    }
    const std::vector<int> textures = wad.textureEntries();
    for (const int index : textures) {
        const auto size = wad.textureSize(index);
        if (size) {
            std::printf("%s %ux%u\n", PrintableName(wad.entryName(index)).c_str(), size->width, size->height);
        } else {
            std::printf("%s invalid\n", PrintableName(wad.entryName(index)).c_str());
        }
    }
    std::printf("textures: %zu\n", textures.size());
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "--version" && argc == 2) {
        std::printf("vornc %s\n", kVornVersion);
        return 0;
    }
    if (command == "wad" && argc == 3) return listWad(argv[2]);
    ConsoleHost host;
    if (command == "entities" && argc >= 3) return ListEntityClasses(std::vector<std::string>(argv + 2, argv + argc), host);
    NoDialogs dialogs;
    // A command line has no camera to draw.
    Preferences preferences;
    preferences.camOn = 0;
    Editor editor(host, dialogs, preferences);
    if (command == "check" && argc >= 3) {
        const int result = CheckMapCommand(editor, std::vector<std::string>(argv + 2, argv + argc));
        return result == 2 ? usage() : result;
    }
    editor.loadEntityClasses();
    if (command == "stats" && argc == 3) return stats(editor, argv[2]);
    if (command == "resave" && argc == 4) return resave(editor, argv[2], argv[3]);
    return usage();
}
