// String routines over ANSI byte strings. Pos, Copy, Delete and Insert count from 1 as the components expect;
// case-insensitive comparisons are ASCII only, so they give the same result natively and under Windows.
#pragma once

#include <string>
#include <string_view>

namespace cl {

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Negative, zero or positive like strcmp; CompareText ignores ASCII case.
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Remove characters <= ' ' at either end.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// 1-based position of the first `sub` in `s`; 0 when absent or when `sub` is empty.
int Pos(std::string_view sub, std::string_view s);
// Up to `count` characters from 1-based `index`; an index below 1 counts as 1, a count past the end is cut.
std::string Copy(std::string_view s, int index, int count);
// Removes up to `count` characters at 1-based `index`; an index outside the string removes nothing.
void Delete(std::string& s, int index, int count);
// Inserts `source` before 1-based `index`; below 1 inserts at the front, past the end appends.
void Insert(std::string_view source, std::string& s, int index);

// Whether key is the accelerator of caption: the character after the first single '&' ("&&" stands for a plain
// '&'), compared without ASCII case.
bool IsAccel(char key, std::string_view caption);

// `s` with every `from` (letter case counting) replaced by `to`, scanning on after each replacement; an empty
// `from` replaces nothing.
std::string StringReplace(std::string_view s, std::string_view from, std::string_view to);

// The 255-character limit of a ShortString field.
constexpr size_t ShortStringLimit = 255;
std::string ShortStr(std::string_view s);

}  // namespace cl
