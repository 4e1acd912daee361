#pragma once

class QIcon;
class QString;

namespace vorn {

// An icon of the program's own set by its file name without extension, e.g. "new" or
// "rotate_x_back"; a name not in the set gives an empty icon.
QIcon icon(const QString& name);
// The program's own icon (windows, About box).
QIcon programIcon();

} // namespace vorn
