#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorn {

// Gives every texture name the scene meets a layer number of its own, in the order met, so
// that each texture is loaded and uploaded once.
class TextureLayers {
public:
    std::uint32_t layerFor(std::string_view name);
    // The names by layer.
    const std::vector<std::string>& names() const { return names_; }
    // Forgets every name: the pictures behind them changed.
    void clear();
    // Counts the clears, so that whoever uploaded the pictures knows to send them again.
    int generation() const { return generation_; }

private:
    std::unordered_map<std::string, std::uint32_t> layers_;
    std::vector<std::string> names_;
    int generation_ = 0;
};

} // namespace vorn
