#include "viewer/core/image_files.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"

namespace viewer {

namespace {

constexpr std::array<std::string_view, 8> kDroppedExtensions{".BMP", ".JPG", ".GIF", ".PCX",
                                                             ".TIF", ".PNG", ".TGA", ".DCX"};
// The keys the image control writes (".WMF" is in its table but writes nothing).
constexpr std::array<std::string_view, 8> kWritableKeys{".TIF", ".PCX", ".DCX", ".JPG", ".TGA", ".GIF", ".PNG", ".BMP"};
constexpr int kLargePictureSide = 2000;
// The extensions of kSaveFilter's entries, in its order.
constexpr std::array<std::string_view, 7> kSaveFilterExtensions{".bmp", ".jpg", ".pcx", ".tga", ".png", ".tif", ".dcx"};

template <size_t N>
bool Contains(const std::array<std::string_view, N>& list, std::string_view item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

const char kOpenFilter[] =
    "All (*.jpg,*.gif,*.bmp,*.tga,*.pcx,*.tif,*.png,*.dcx)|*.jpg;*.gif;*.bmp;*.tga;*.pcx;*.tif;*.png;*.dcx|"
    "JPEG Image File (*.jpg)|*.jpg|GIF-Format (*.gif)|*.gif|Bitmaps (*.bmp)|*.bmp|Targa (*.tga)|*.tga|"
    "Z-Soft Paintbrush (*.PCX)|*.pcx|Tagged Image Format (*.tif)|*.tif|Portable Network Graphics (*.png)|*.png";
const char kSaveFilter[] =
    "Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg)|*.jpg|PCX Image File|*.pcx|TGA (Targa) Image File (*.tga)|*.tga|"
    "PNG Image File (*.png)|*.png|TIFF File (*.TIF)|*.tif|DCX File (*.dcx)|*.dcx";

std::string SaveDialogName(const std::string& chosen, int filterIndex) {
  if (chosen.empty() || !cl::ExtractFileExt(chosen).empty()) return chosen;
  const bool listed = filterIndex >= 1 && filterIndex <= static_cast<int>(kSaveFilterExtensions.size());
  return chosen + std::string(kSaveFilterExtensions[listed ? filterIndex - 1 : 0]);
}

bool IsDroppedImage(const std::string& droppedName) {
  const std::string upper = cl::UpperCase(droppedName);
  return std::any_of(kDroppedExtensions.begin(), kDroppedExtensions.end(),
                     [&](std::string_view ext) { return upper.find(ext) != std::string::npos; });
}

bool IsGifPath(const std::string& name) {
  return cl::UpperCase(name).find(".GIF") != std::string::npos;
}

std::string ExtensionKey(const std::string& name) {
  return cl::UpperCase(cl::ExtractFileExt(name)).substr(0, 4);
}

bool IsWritableName(const std::string& name) {
  return Contains(kWritableKeys, ExtensionKey(name));
}

bool NeedsAppendQuestion(const std::string& name, bool fileExists, bool overWrite) {
  const std::string key = ExtensionKey(name);
  return fileExists && !overWrite && (key == ".TIF" || key == ".DCX");
}

bool SavesDirectly(const std::string& fileName, bool modified) {
  return !fileName.empty() && !fileName.starts_with("Untitled") && modified;
}

bool CloseAsks(const std::string& caption, bool modified) {
  return modified || caption.starts_with("Untitled");
}

bool IsLargePicture(int width, int height) {
  return width > kLargePictureSide || height > kLargePictureSide;
}

std::string PositionText(int x, int y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

std::string SizeText(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

std::string HelpFileName(const std::string& exeName) {
  return cl::ExtractFilePath(exeName) + "\\orvane.hlp";
}

std::string BrowserCommandLine(const std::string& exeName) {
  return cl::ExtractFilePath(exeName) + "\\tarnel.exe";
}

}  // namespace viewer
