// Every reader answers broken files with an error code and no crash: the checked-in malformed files, and every
// truncation and many single-byte corruptions of the fuzz seed files (which themselves must read cleanly).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "formatlib/core/dcx_file.h"
#include "formatlib/core/pcx_codec.h"
#include "formatlib/core/tga_codec.h"
#include "test_files.h"

namespace fl {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;

fs::path SourcePath(const std::string& relative) {
  const char* root = std::getenv("PROJECT_SOURCE_DIR");
  return fs::path(root != nullptr ? root : ".") / relative;
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Runs the reader that the file's extension names; a DCX file counts as read when its table and every page are.
ErrorCode ReadAsExtensionSays(const fs::path& path, std::span<const uint8_t> bytes) {
  DibImage image;
  std::string extension = path.extension().string();
  if (extension == ".pcx") return ReadPcx(bytes, image);
  if (extension == ".tga") return ReadTga(bytes, image);
  int count = 0;
  if (ErrorCode error = CountDcxPages(bytes, count); error != kOk) return error;
  for (int page = 0; page < count; ++page) {
    if (ErrorCode error = ReadDcxPage(bytes, page, image); error != kOk) return error;
  }
  return kOk;
}

std::vector<fs::path> SeedFiles() {
  std::vector<fs::path> seeds;
  for (const char* folder : {"pcx_fuzz", "tga_fuzz", "dcx_fuzz"}) {
    for (const fs::path& file : FilesIn(SourcePath("tests/fuzz/corpus") / folder)) seeds.push_back(file);
  }
  return seeds;
}

TEST(MalformedCorpus, EveryMalformedFileIsAnError) {
  std::vector<fs::path> files = FilesIn(SourcePath("tests/formatlib/core/malformed"));
  ASSERT_GE(files.size(), 20u);
  for (const fs::path& file : files) {
    ErrorCode error = ReadAsExtensionSays(file, ReadWholeFile(file.string()));
    EXPECT_GT(error, kOk) << file.filename();
    EXPECT_STRNE(ErrorText(error), "unknown error") << file.filename();
  }
}

TEST(MalformedCorpus, SeedFilesReadCleanly) {
  std::vector<fs::path> seeds = SeedFiles();
  ASSERT_GE(seeds.size(), 10u);
  for (const fs::path& seed : seeds) EXPECT_EQ(ReadAsExtensionSays(seed, ReadWholeFile(seed.string())), kOk) << seed;
}

TEST(MalformedCorpus, TruncatedAndCorruptedSeedsNeverCrash) {
  for (const fs::path& seed : SeedFiles()) {
    std::vector<uint8_t> bytes = ReadWholeFile(seed.string());
    for (size_t length = 0; length < bytes.size(); ++length) {
      ErrorCode error = ReadAsExtensionSays(seed, std::span(bytes).first(length));
      ASSERT_GE(error, kOk);
      // Cut inside the header, nothing can be read.
      if (length < 18) {
        EXPECT_NE(error, kOk) << seed << " cut to " << length;
      }
    }
    for (size_t position = 0; position < std::min<size_t>(bytes.size(), 160); ++position) {
      for (uint8_t value : {0x00, 0x7F, 0x80, 0xFF}) {
        std::vector<uint8_t> corrupted = bytes;
        corrupted[position] = value;
        ASSERT_GE(ReadAsExtensionSays(seed, corrupted), kOk);
      }
    }
  }
}

}  // namespace
}  // namespace fl
