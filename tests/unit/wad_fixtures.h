#pragma once

#include "platform/file_reading.h"
#include "scratch_folder.h"
#include "textures/wad_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
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

// The file's bytes; a file that cannot be read fails the test.
inline std::string FileBytes(const std::filesystem::path& path)
{
    FileContents file = ReadWholeFile(path.string());
    EXPECT_TRUE(file.bytes) << path << ": " << file.error;
    return file.bytes.value_or(std::string());
}

inline void PutU32(std::string& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[offset + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
}

} // namespace vorn::test
