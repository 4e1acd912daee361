#include "platform/temporary_file.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string_view>

namespace vorn {
namespace {

constexpr int kAttempts = 100;

std::string randomName()
{
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<size_t> pick(0, kLetters.size() - 1);
    std::string name = ".vorn-";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    return name;
}

} // namespace

TemporaryFile::~TemporaryFile()
{
    fd_.close();
    if (!path_.empty() && !kept_) ::unlink(path_.c_str());
}

bool TemporaryFile::create(const std::string& folder, mode_t mode)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string path = folder + "/" + randomName();
        fd_ = FileDescriptor(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd_.isOpen()) {
            path_ = std::move(path);
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false; // errno is still EEXIST
}

} // namespace vorn
