#include "platform/file_copy.h"

#include <filesystem>

namespace vorn {

std::optional<std::string> CopyFileReplacing(const std::string& from, const std::string& to)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::equivalent(from, to, error)) return std::nullopt;
    error.clear(); // a target that is not there yet is no failure
    const fs::path folder = fs::path(to).parent_path();
    if (!folder.empty()) fs::create_directories(folder, error);
    if (!error) fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error) return error.message();
    return std::nullopt;
}

} // namespace vorn
