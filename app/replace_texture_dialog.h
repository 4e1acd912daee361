#pragma once

#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace vorn {

struct TextureReplacement {
    std::string find;
    std::string replace;
    bool selectionOnly = false;
};

// Asks which texture to replace by which, in the selection or the whole map; none on Cancel.
std::optional<TextureReplacement> askReplaceTexture(QWidget* parent, const std::string& current, bool haveSelection);

} // namespace vorn
