#include "browser_test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "classlib/core/files.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"

namespace brwtest {

TempTree::TempTree() : FStartFolder(cl::GetCurrentDir()) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  char longName[MAX_PATH] = {};
  GetLongPathNameA(temp, longName, MAX_PATH);
  FRoot = std::string(longName) + "brw-" + testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
  std::filesystem::remove_all(FRoot);
  CreateDirectoryA(FRoot.c_str(), nullptr);
  cl::SetCurrentDir(FRoot);
}

TempTree::~TempTree() {
  cl::SetCurrentDir(FStartFolder);
  std::error_code ignored;
  std::filesystem::remove_all(FRoot, ignored);
}

void TempTree::Folders(const std::vector<std::string>& relatives) const {
  for (const std::string& relative : relatives) CreateDirectoryA(Path(relative).c_str(), nullptr);
}

void TempTree::File(const std::string& relative, const std::string& text) const {
  std::ofstream(Path(relative), std::ios::binary) << text;
}

void TempTree::Bitmap(const std::string& relative, int width, int height, cl::TColor color) const {
  cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf24bit);
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect(cl::TRect{0, 0, width, height});
  bitmap->SaveToFile(Path(relative));
  cl::Free(bitmap);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace brwtest
