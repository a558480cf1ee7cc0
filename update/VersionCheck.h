// Versions and file fingerprints of the version check: version texts and
// words, a file's version information, its byte sum, its CRC variant and
// its size.
#pragma once

#include <cstdint>

#include "base/Types.h"

// A version as two words: MS (major high, minor low) and LS (release high,
// build low); -1 in either word means no version.
struct TVersionWords {
  int32_t MS = -1;
  int32_t LS = -1;
  bool Valid() const { return MS != -1 && LS != -1; }
};

// Reads "1.2.3.4" (or with commas; a text with both splits at the commas):
// a bare number is the major part; two parts fill MS, three add the
// release, four the build (only when the fourth part is a whole number).
// A part that is not a whole number gives the digits read before its first
// other character, and the rest of the text is taken as the next part.
TVersionWords ParseVersion(const String& Text);
// The four 16-bit parts in decimal joined by ".".
String VersionToStr(const TVersionWords& Words);
// The file version of a file's version information; both words -1 when it
// has none.
TVersionWords GetFileVersion(const String& FileName);

// The sum of the file's bytes added to 0xFFFFFFFF in 32-bit wrap-around
// ("abc" gives 293). Opened is false (and the sum -1) for a file that
// cannot be read.
int32_t FileByteSum(const String& FileName, bool* Opened = nullptr);
// The CRC-32 table step whose result is added to the running value instead
// of replacing it, inverted at the end ("abc" gives 0x6C8D9D41). Opened is
// false (and the sum 0) for a file that cannot be read.
int32_t FileChecksum(const String& FileName, bool* Opened = nullptr);
// The low 32 bits of the file's size; 0 for a file that cannot be opened.
int32_t FileSizeOf(const String& FileName, bool* Opened = nullptr);

// Reads an integer as the version texts do: leading blanks, a sign, "$" or
// "0x" hexadecimal; Value gets the digits read before the first character
// that does not belong (0 without digits). True when the whole text was a
// number.
bool ReadLooseInteger(const String& Text, int64_t& Value);
