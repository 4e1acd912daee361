#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The recovery file of one running editor: "<map title without .map>-<process id>-<serial>.map",
// with anything but letters, digits, '.', '_' and '-' in the title made '_'.
std::string RecoveryFileName(std::string_view mapTitle, std::int64_t processId, int serial);

// Whether a file in the recovery folder is a recovery file (not a lock or a half-written save).
bool IsRecoveryFileName(std::string_view fileName);

// The file name of the map a recovery text was saved from, from its "// Filename:" header line;
// "Untitled" when the line is missing or names no file.
std::string RecoveredMapName(std::string_view text);

// A recovery file found at start-up.
struct RecoveryCandidate {
    std::string path;
    std::string mapName;
    std::int64_t modifiedSeconds = 0; // since the epoch
    bool heldByLiveEditor = false;
};

// The ones to offer, newest first: a live editor's own file is left to it.
std::vector<RecoveryCandidate> RecoveriesToOffer(std::vector<RecoveryCandidate> found);

} // namespace vorn
