// The built-in code tables of the single-byte character sets.
#pragma once

#include "net/charsets.h"

// One table per character set ISO_8859_1 to CP852 (TMimeChar 0 to 24), in
// that order: the characters of the bytes 0x80 to 0xFF.
constexpr int BuiltInCodeTableCount = 25;
extern const TCodeTable CodeTables[BuiltInCodeTableCount];
