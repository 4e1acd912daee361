#include "platform/path_list.h"

namespace vorn {
namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::vector<std::string> SplitPathList(std::string_view list)
{
    std::vector<std::string> paths;
    while (true) {
        const auto end = list.find(';');
        const std::string_view path = trimmed(list.substr(0, end));
        if (!path.empty()) paths.emplace_back(path);
        if (end == std::string_view::npos) return paths;
        list.remove_prefix(end + 1);
    }
}

} // namespace vorn
