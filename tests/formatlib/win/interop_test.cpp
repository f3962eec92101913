// Interoperability with ImageMagick: files `convert` wrote are read with the pixels it sees in them, and the files
// we write are left with pixel dumps for `convert` to check afterwards (see imagemagick_interop.sh).
#include <gtest/gtest.h>

#include <functional>

#include "format_test_support.h"
#include "formatlib/core/alpha_blend.h"
#include "formatlib/formatlib.h"

using fltest::Bitmap;
using fltest::Dib;
using fltest::ImageOf;
using fltest::Pattern;
using fltest::ScratchPath;

namespace {

std::string InteropPath(const std::string& name) {
  return ScratchPath("imagemagick/" + name);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "/*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string Extension(const std::string& name) {
  return name.substr(name.find_last_of('.') + 1);
}

std::vector<uint8_t> RgbaPixels(const fl::DibImage& image) {
  std::vector<uint8_t> pixels;
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      fl::RgbQuad color = image.ColorAt(x, y);
      pixels.insert(pixels.end(),
                    {color.red, color.green, color.blue, image.bitCount == 32 ? color.reserved : uint8_t{255}});
    }
  }
  return pixels;
}

// Red, green, blue and alpha bytes laid over white, as red, green, blue bytes.
std::vector<uint8_t> OverWhite(const std::vector<uint8_t>& rgba) {
  std::vector<uint8_t> rgb;
  for (size_t at = 0; at + 3 < rgba.size(); at += 4) {
    for (size_t channel = 0; channel < 3; ++channel)
      rgb.push_back(fl::BlendOver(rgba[at + channel], rgba[at + 3], 255));
  }
  return rgb;
}

// Where two dumps first differ, for the failure message.
std::string FirstDifference(const std::vector<uint8_t>& ours, const std::vector<uint8_t>& theirs) {
  if (ours.size() != theirs.size())
    return "sizes " + std::to_string(ours.size()) + " and " + std::to_string(theirs.size());
  size_t at = 0;
  while (at < ours.size() && ours[at] == theirs[at]) ++at;
  if (at == ours.size()) return "none";
  return "byte " + std::to_string(at) + ": " + std::to_string(ours[at]) + " instead of " + std::to_string(theirs[at]);
}

// The pages of a file as our readers see them.
std::vector<fl::DibImage> ReadPages(const std::string& path) {
  std::string extension = Extension(path);
  std::vector<fl::DibImage> pages;
  auto take = [&pages](HBITMAP bitmap) {
    Bitmap owned(bitmap);
    if (owned) pages.push_back(ImageOf(owned.Get()));
  };
  if (extension == "png") {
    Dib dib(ReadGraphicFile(path.c_str()));
    if (dib) pages.push_back(ImageOf(dib.Get()));
  } else if (extension == "tif") {
    for (int page = 0; page < GetNumberOfImagesInTiffFile(path.c_str()); ++page) {
      take(LoadTiffIntoBitmap(path.c_str(), page, 0));
    }
  } else if (extension == "dcx") {
    for (int page = 0; page < GetNumberOfImagesInDCXFile(path.c_str()); ++page) {
      take(LoadDCXIntoBitmap(path.c_str(), page, nullptr));
    }
  } else if (extension == "pcx") {
    take(LoadPCXIntoBitmap(path.c_str(), nullptr));
  } else if (extension == "tga") {
    take(LoadTGAIntoBitmap(path.c_str(), 0));
  }
  return pages;
}

TEST(ImageMagick, FilesItWroteReadWithTheSamePixels) {
  std::string folder = InteropPath("in");
  std::vector<std::string> files = FilesIn(folder);
  if (files.empty()) GTEST_SKIP() << "no ImageMagick reference files";
  int checked = 0;
  for (const std::string& name : files) {
    std::string path = folder + "/" + name;
    if (Extension(name) == "rgb" || Extension(name) == "rgba") continue;
    SCOPED_TRACE(name);
    std::vector<fl::DibImage> pages = ReadPages(path);
    ASSERT_FALSE(pages.empty()) << "error " << (Extension(name) == "tif" ? TiffError() : ImgError());
    for (size_t page = 0; page < pages.size(); ++page) {
      std::string dump = pages.size() > 1 ? path + "." + std::to_string(page) + ".rgb" : path + ".rgb";
      // Transparent pictures are read laid over white.
      bool alpha = Exists(path + ".rgba");
      std::vector<uint8_t> ours = fltest::RgbPixels(pages[page]);
      std::vector<uint8_t> theirs =
          alpha ? OverWhite(fltest::ReadFileBytes(path + ".rgba")) : fltest::ReadFileBytes(dump);
      EXPECT_TRUE(ours == theirs) << "page " << page << ", first difference at " << FirstDifference(ours, theirs);
      ++checked;
    }
  }
  EXPECT_GT(checked, 40);
}

// Writes a file with `write` and the pixels it should hold beside it, for the check script.
void WriteWithDump(const std::string& name, const std::vector<fl::DibImage>& pages,
                   const std::function<void(const char*)>& write) {
  std::string path = InteropPath("out/" + name);
  DeleteFileA(path.c_str());
  write(path.c_str());
  ASSERT_TRUE(Exists(path)) << name;
  for (size_t page = 0; page < pages.size(); ++page) {
    if (pages[page].bitCount == 32) {
      fltest::WriteFileBytes(path + ".rgba", RgbaPixels(pages[page]));
    } else {
      std::string suffix = pages.size() > 1 ? "." + std::to_string(page) + ".rgb" : ".rgb";
      fltest::WriteFileBytes(path + suffix, fltest::RgbPixels(pages[page]));
    }
  }
}

TEST(ImageMagick, FilesWeWriteAreLeftForItToCheck) {
  CreateDirectoryA(InteropPath("").c_str(), nullptr);
  CreateDirectoryA(InteropPath("out").c_str(), nullptr);
  for (const std::string& name : FilesIn(InteropPath("out"))) DeleteFileA(InteropPath("out/" + name).c_str());
  for (int bitCount : {1, 4, 8, 24}) {
    fl::DibImage image = Pattern(37, 23, bitCount, bitCount == 1);
    Dib dib(fltest::NewDib(image));
    Bitmap bitmap(fltest::NewBitmap(image));
    std::string depth = std::to_string(bitCount);
    for (int compression : {1, 5, 32773, 208}) {
      WriteWithDump("depth" + depth + "-" + std::to_string(compression) + ".tif", {image},
                    [&](const char* path) { SaveDIBInTiffFormat(path, dib.Get(), compression, 1); });
    }
    WriteWithDump("depth" + depth + ".png", {image}, [&](const char* path) { WriteGraphicFile(path, dib.Get()); });
    // Not 1-bit PCX: ImageMagick shows bit 0 as white whatever colours the header names, where other programs
    // and we take the header's colours (black first by default).
    if (bitCount != 1) {
      WriteWithDump("depth" + depth + ".pcx", {image},
                    [&](const char* path) { SaveBitmapInPCXFormat(path, bitmap.Get(), nullptr); });
    }
    for (int runLength : {0, 1}) {
      WriteWithDump("depth" + depth + "-" + std::to_string(runLength) + ".tga", {image},
                    [&](const char* path) { SaveBitmapInTGAFormat(path, bitmap.Get(), nullptr, runLength, 0); });
    }
  }
  fl::DibImage gray = Pattern(37, 23, 8, true);
  Dib grayDib(fltest::NewDib(gray));
  WriteWithDump("gray8.png", {gray}, [&](const char* path) { WriteGraphicFile(path, grayDib.Get()); });
  fl::DibImage alpha = Pattern(37, 23, 32);
  Dib alphaDib(fltest::NewDib(alpha));
  WriteWithDump("alpha.png", {alpha}, [&](const char* path) { WriteGraphicFile(path, alphaDib.Get()); });

  std::vector<fl::DibImage> pages = {Pattern(30, 20, 4), Pattern(25, 15, 8), Pattern(20, 10, 24)};
  auto writePages = [&pages](const char* path, bool dcx) {
    if (dcx) MakeDCXFile(path, nullptr);
    for (const fl::DibImage& page : pages) {
      Bitmap bitmap(fltest::NewBitmap(page));
      if (dcx) {
        SaveBitmapInDCXFormat(path, bitmap.Get(), nullptr);
      } else {
        SaveBitmapInTiffFile(path, bitmap.Get(), 208, 0);
      }
    }
  };
  WriteWithDump("pages.tif", pages, [&](const char* path) { writePages(path, false); });
  WriteWithDump("pages.dcx", pages, [&](const char* path) { writePages(path, true); });
}

}  // namespace
