// DCX multi-page files: a 4-byte signature, a table of up to 1023 page offsets ended by a zero entry, and a PCX
// file at each offset. Pages are numbered from 0. The writer keeps the usual fixed table of 1024 entries, so a
// page is added by writing its PCX at the end and its offset into the first free entry.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "formatlib/core/dib_image.h"

namespace fl {

inline constexpr uint32_t kDcxSignature = 987654321;
inline constexpr int kMaxDcxPages = 1023;

// Number of pages listed in the file's table; fails on a file that is not DCX or whose table is cut short.
ErrorCode CountDcxPages(std::span<const uint8_t> file, int& pageCount);
// Decodes page `pageIndex` (from 0); a negative or too large index is kBadPageIndex.
ErrorCode ReadDcxPage(std::span<const uint8_t> file, int pageIndex, DibImage& image);
// The bytes of a DCX file without pages.
std::vector<uint8_t> MakeEmptyDcx();
// Adds `page` as the last page of the DCX file held in `file`; on failure `file` is unchanged.
ErrorCode AppendDcxPage(std::vector<uint8_t>& file, const DibImage& page);

}  // namespace fl
