#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class CQEntity;

// The control panel's state: the current entity's pairs as rows, the map position under the
// mouse and the current texture name. Its widget shows this state.
class CQView {
public:
    // One row per pair: the key as stored, two blanks, the value as stored. No entity: no rows.
    void showEntity(const CQEntity* entity);
    const std::vector<std::string>& entityRows() const { return entityRows_; }

    void setPos(int x, int y)
    {
        posX_ = x;
        posY_ = y;
    }
    int posX() const { return posX_; }
    int posY() const { return posY_; }

    void setTexture(std::string_view name) { texture_ = name; }
    const std::string& texture() const { return texture_; }

private:
    std::vector<std::string> entityRows_;
    int posX_ = 0;
    int posY_ = 0;
    std::string texture_ = "*NONE*";
};

} // namespace vorn
