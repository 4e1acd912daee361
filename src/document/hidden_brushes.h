#pragma once

namespace vorn {

class CQMap;

// Hiding brushes from view. Hidden brushes are neither drawn nor picked, and cannot be selected;
// the file holds them as any other, and a map read shows everything. Each command is one step,
// which leaves the map as saved if it was.

// Hides the selected brushes.
void HideSelected(CQMap& map);
// Hides every brush but the selected ones.
void HideUnselected(CQMap& map);
// Shows every hidden brush again.
void ShowAll(CQMap& map);

} // namespace vorn
