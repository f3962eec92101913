// Text files into bitmaps: each line of the file drawn in a system font, black on white, into a monochrome bitmap.
#include <algorithm>
#include <string>
#include <vector>

#include "formatlib/dib_convert.h"
#include "formatlib/file_access.h"
#include "formatlib/picture_loaders.h"

namespace fl {
namespace {

constexpr int kMargin = 4;
constexpr int kTabColumns = 8;
constexpr int kMaxWidth = 4096;
constexpr int kMaxHeight = 16384;

// The file's lines with tabs expanded; CR, LF and CR LF end a line, other control characters become spaces.
std::vector<std::string> SplitLines(const std::vector<uint8_t>& bytes) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = static_cast<char>(bytes[i]);
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else if (c == '\t') {
      lines.back().append(kTabColumns - lines.back().size() % kTabColumns, ' ');
    } else {
      lines.back().push_back(static_cast<uint8_t>(c) < ' ' ? ' ' : c);
    }
  }
  if (lines.size() > 1 && lines.back().empty()) lines.pop_back();  // the end of the last line is no new line
  return lines;
}

}  // namespace

HBITMAP RenderTextFile(const char* fileName, bool fixedPitch) {
  std::vector<uint8_t> bytes = ReadWholeFile(fileName);
  if (bytes.empty()) Fail(kEmptyTextFile);
  std::vector<std::string> lines = SplitLines(bytes);

  MemoryDc dc;
  Selection font(dc.Get(), GetStockObject(fixedPitch ? ANSI_FIXED_FONT : ANSI_VAR_FONT));
  TEXTMETRICA metrics{};
  if (!GetTextMetricsA(dc.Get(), &metrics) || metrics.tmHeight <= 0) Fail(kGdiFailure);
  int lineHeight = metrics.tmHeight;
  size_t shownLines = std::min<size_t>(lines.size(), (kMaxHeight - 2 * kMargin) / lineHeight);
  int width = 1;
  for (size_t i = 0; i < shownLines; ++i) {
    SIZE extent{};
    GetTextExtentPoint32A(dc.Get(), lines[i].data(), static_cast<int>(lines[i].size()), &extent);
    width = std::max<int>(width, extent.cx);
  }
  width = std::min(width + 2 * kMargin, kMaxWidth);
  int height = static_cast<int>(shownLines) * lineHeight + 2 * kMargin;

  NewDibSection section(width, height, 1, {MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)});
  GdiObject<HBITMAP> bitmap(section.Release());
  Selection selected(dc.Get(), bitmap.Get());
  PatBlt(dc.Get(), 0, 0, width, height, WHITENESS);
  SetTextColor(dc.Get(), RGB(0, 0, 0));
  SetBkColor(dc.Get(), RGB(255, 255, 255));
  SetBkMode(dc.Get(), OPAQUE);
  for (size_t i = 0; i < shownLines; ++i) {
    TextOutA(dc.Get(), kMargin, kMargin + static_cast<int>(i) * lineHeight, lines[i].data(),
             static_cast<int>(lines[i].size()));
  }
  GdiFlush();
  return bitmap.Release();
}

}  // namespace fl
