// The image-format library: TIFF, PNG, PCX/DCX, TGA and GIF files, metafile and text loading, and transforms of
// bitmaps and packed DIBs. Its functions are grouped by the modules TIFF32, IMAGE32, PCX32, TGA32, GIF32 and PNG32
// (one source file each) and keep their historical names, argument orders and results.
//
// Conventions shared by every function:
// - File names are NUL-terminated ANSI strings.
// - A bitmap is an HBITMAP; the bitmaps this library creates are DIB sections at the depth of the image (1, 4, 8,
//   24 or 32 bits per pixel, with the image's colour table for 8 bits and below). A DIB is an HGLOBAL holding a
//   packed device-independent bitmap (BITMAPINFOHEADER, colour table, bottom-up rows); the caller frees every DIB
//   and bitmap it receives. Functions that take a bitmap or DIB never free it.
// - No function throws. A failure returns 0 (or a non-zero status from WriteGraphicFile) and sets the module's last
//   error code to a value > 0; a success sets it to 0. TiffError() tells the code of the last TIFF32 call, ImgError()
//   that of the last call of the other modules, PNG32 included. The codes are those of formatlib/core/errors.h, and
//   ImgErrorString turns any of them into its text. The codes are kept per thread.
// - Out slots (the palette and "slot" arguments) are written 0 when given; they never receive a handle, so nothing
//   can leak through them. Null pointers are accepted there.
// - Writers never destroy a file that was there when they fail: they write a copy and put it in place at the end.
//
// Error codes (fl::ErrorCode in formatlib/core/errors.h, which holds the texts) and what sets them here:
//   1 cannot open, 2 cannot read, 3 cannot write the file (also a failed replace of the old file); 4 out of memory;
//   5 truncated file; 6 picture above the pixel budget (8192 x 8192); 7 bad dimensions; 8 unsupported depth;
//   9 page index below 0 or past the last page; 10 bad argument (also a TIFF tag that may not be changed);
//   11-16 PCX and DCX, 17-19 TGA data; 20 bad bitmap handle; 21 bad DIB; 22 a GDI call failed; 23 not a metafile;
//   24 empty text file; 25-26 PNG data; 27-29 TIFF data (27 also: appending to a file that is not TIFF);
//   30 unsupported compression; 31 corrupt GIF data.
//
// Choices of this implementation:
// - Size flag (LoadTiffIntoBitmap, LoadTGAIntoBitmap, SaveBitmapInTiffFile, SaveBitmapInTGAFormat): on loading a
//   TIFF page, a non-zero flag honours the page's resolution: a page whose horizontal and vertical resolutions differ
//   (a fax page at 204 x 98 dpi) is stretched along its coarser axis so that its pixels come out square and the
//   page shows its true proportions. Zero gives one bitmap pixel per stored pixel. TGA files carry no resolution we
//   honour, and writers always store square pixels at 96 dpi, so the flag changes nothing there.
// - TIFF compression codes (SaveBitmapInTiffFile, SaveDIBInTiffFormat): the TIFF codes themselves: 1 none,
//   2 CCITT modified Huffman, 3 CCITT Group 3 fax, 4 CCITT Group 4 fax, 5 LZW, 8 Deflate, 32773 PackBits. The CCITT
//   codes apply to monochrome pages only; a deeper page given one of them is written with LZW. Any other code,
//   208 (what the forms store) included, means "best lossless": Group 4 for monochrome pages, LZW for the others.
// - TIFF writers append: when the file already exists and is a TIFF file, the picture is added as its last page;
//   a file that exists but is not a TIFF file is left alone and the call fails. The other writers replace an
//   existing file (but for SaveBitmapInDCXFormat, which adds a page).
// - AddTiffTagToImage(file, page, tag, type, text, number): sets tag number `tag` of the page (index from 0) to
//   `text` when `type` is 2 (ASCII), or to `number` when `type` is 3 (SHORT) or 4 (LONG). Tags that describe the
//   layout of the pixels cannot be changed; descriptive tags (ImageDescription, Artist, Software ...) and private
//   tags (32768 and above) can.
// - RotateDIB(dib, degrees, background, origin, size) turns the picture by `degrees` counter-clockwise (negative:
//   clockwise) into a picture just large enough to hold it; the uncovered corners are filled with `background`, a
//   COLORREF (0x00BBGGRR), or with the nearest palette colour for a palette image. SkewDIB(dib, degrees,
//   background, origin, size) slants the picture horizontally: each row moves right by tan(degrees) times its
//   distance above the bottom row (degrees from -89 to 89; negative: to the left). Both write into `origin` where
//   the old picture's top-left corner lies in the new one and into `size` the new width (x) and height (y); either
//   may be null. Multiples of 90 degrees give exactly the quarter turns.
// - ColorBrightnessContrast(dib, brightness, contrast): both from -100 to 100 (values outside are clamped);
//   0 and 0 leave the picture unchanged.
// - ConvertToMonochromeBitmap(bitmap) dithers (error diffusion) so that shades survive as dot density;
//   ConvMonoDIBtoGrayscale(dib, 0) turns such a picture back into an 8-bit gray one by averaging each pixel's 3 x 3
//   neighbourhood (other depths: each pixel's luminance); its second argument is not used.
// - LoadASCIIFile(file, fixedPitch): draws the text black on white into a monochrome bitmap, one text line per
//   line (CR, LF and CR LF end a line; tabs stop every 8 columns), in the fixed-pitch system font when fixedPitch is
//   not 0, else in the proportional one. The bitmap is at most 4096 pixels wide (longer lines are cut) and 16384 high
//   (further lines are left out). An empty file fails.
// - LoadMetaFileIntoBitmap(file): a Windows metafile (plain or with the placeable header) or an enhanced metafile,
//   played at 96 dpi onto a white 24-bit bitmap of its own size (the placeable header's box, else the metafile's
//   frame).
// - ReadGraphicFile(file) gives a DIB of 1, 4 or 8 bits with a colour table for palette and gray files (2-bit
//   files become 4-bit), 24 bits for RGB files and 32 bits (blue, green, red, alpha) for files with an alpha
//   channel; 16-bit samples are scaled to 8 bits (rounded); interlaced files are read whole. Transparency chunks are
//   ignored. WriteGraphicFile(file, dib) writes 1/4/8-bit DIBs as palette PNG files (as gray files when the colour
//   table is a gray ramp), 16 and 24-bit DIBs as RGB, 32-bit DIBs as RGB with alpha, or as RGB when every alpha byte is
//   0 (a bitmap that never had alpha).
// - SaveBitmapInTGAFormat(file, bitmap, palette, runLength, sizeFlag) writes run-length encoded data when runLength
//   is not 0 (what the image component passes), raw data otherwise; 1, 4 and 8-bit bitmaps become colour-mapped
//   files, deeper ones 24-bit true-colour files.
// - SaveBitmapInDCXFormat adds the bitmap as the last page; a missing file is first made empty, as by MakeDCXFile.
//   MakeDCXFile replaces an existing file with an empty DCX file.
// - How GIF32 picks the frame to read and the slot to write is described in gif32.cpp.
#pragma once

#include <windows.h>

#include <cstdint>

// TIFF32
HBITMAP LoadTiffIntoBitmap(const char* fileName, int pageIndex, int sizeFlag);
int GetNumberOfImagesInTiffFile(const char* fileName);
int TiffError();
int SaveBitmapInTiffFile(const char* fileName, HBITMAP monochromeBitmap, int compression, int sizeFlag);
int SaveDIBInTiffFormat(const char* fileName, HGLOBAL dib, int compression, int sizeFlag);
int AddTiffTagToImage(const char* fileName, int pageIndex, uint16_t tag, uint16_t type, const char* text, int number);

// IMAGE32
HGLOBAL ConvertBitmapToDIB(HBITMAP bitmap, HPALETTE palette);
HBITMAP ConvertDIBToBitmap(HGLOBAL dib);
HPALETTE CreateDIBPalette(HGLOBAL dib);
HGLOBAL RotateDIB(HGLOBAL dib, int degrees, int background, POINT* origin, POINT* size);
HGLOBAL SkewDIB(HGLOBAL dib, int degrees, int background, POINT* origin, POINT* size);
HGLOBAL RotateDIB90(HGLOBAL dib);
HGLOBAL RotateDIB180(HGLOBAL dib);
HGLOBAL RotateDIB270(HGLOBAL dib);
HGLOBAL FlipDIBHorizontal(HGLOBAL dib);
HBITMAP RotateBitmap90(HBITMAP bitmap);
HBITMAP RotateBitmap270(HBITMAP bitmap);
int RotateBitmap180(HBITMAP bitmap);
int FlipBitmapHorizontal(HBITMAP bitmap);
int FlipBitmapVertical(HBITMAP bitmap);
int InvertBitmap(HBITMAP bitmap);
HGLOBAL ColorBrightnessContrast(HGLOBAL dib, int brightness, int contrast);
HBITMAP ConvertToMonochromeBitmap(HBITMAP bitmap);
HGLOBAL ConvMonoDIBtoGrayscale(HGLOBAL dib, int unused);
HBITMAP LoadMetaFileIntoBitmap(const char* fileName);
HBITMAP LoadASCIIFile(const char* fileName, int fixedPitch);
int ImgError();
// Writes the text of `code` into `buffer` (63 bytes) as a NUL-terminated string; returns its length.
int ImgErrorString(char* buffer, int code);

// PCX32
HBITMAP LoadPCXIntoBitmap(const char* fileName, DWORD* paletteSlot);
HBITMAP LoadDCXIntoBitmap(const char* fileName, int pageIndex, DWORD* paletteSlot);
int GetNumberOfImagesInDCXFile(const char* fileName);
int SaveBitmapInPCXFormat(const char* fileName, HBITMAP bitmap, DWORD* slot);
int MakeDCXFile(const char* fileName, DWORD* slot);
int SaveBitmapInDCXFormat(const char* fileName, HBITMAP bitmap, DWORD* slot);

// TGA32
HBITMAP LoadTGAIntoBitmap(const char* fileName, int sizeFlag);
int SaveBitmapInTGAFormat(const char* fileName, HBITMAP bitmap, HPALETTE palette, int runLength, int sizeFlag);

// GIF32
HBITMAP LoadGIFIntoBitmap(const char* fileName, int pageIndex, DWORD* paletteSlot);
int SaveBitmapInGIFFormat(const char* fileName, HBITMAP bitmap, int pageIndex, DWORD* slot);

// PNG32
HGLOBAL ReadGraphicFile(const char* fileName);
uint16_t WriteGraphicFile(const char* fileName, HGLOBAL dib);
