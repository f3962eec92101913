// Whole-file reading and writing for tests that exchange files with other programs or keep files in the tree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fl::test {

std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace fl::test
