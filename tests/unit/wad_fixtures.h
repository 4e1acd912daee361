#pragma once

#include "textures/wad_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vorn::test {

inline const std::filesystem::path kCorpus{VORN_CORPUS_DIR};

// width × height pixels all of one value.
inline std::vector<uint8_t> Solid(uint32_t width, uint32_t height, uint8_t value)
{
    return std::vector<uint8_t>(size_t{width} * height, value);
}

// An archive holding one texture per (name, side) pair, each a square of value 1.
inline std::string Archive(std::initializer_list<std::pair<const char*, uint32_t>> textures)
{
    WadWriter writer;
    for (const auto& [name, side] : textures) writer.addTexture(name, side, side, Solid(side, side, 1));
    return writer.bytes();
}

inline void PutU32(std::string& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[offset + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
}

// A fresh folder for the test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("vorn-textures-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string write(const std::string& relative, const std::string& bytes) const
    {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }

private:
    std::filesystem::path path_;
};

} // namespace vorn::test
