// Base64 in the standard alphabet and in the variant of modified UTF-7,
// where "," takes the place of "/". Byte strings in and out; no state, no
// failures.
#pragma once

#include "base/Types.h"

// Standard alphabet, padded with "=".
AnsiString Base64Encode(const AnsiString& Data);
// Lenient: skips pads, white space and every character outside the
// alphabet; a lone trailing character gives nothing.
AnsiString Base64Decode(const AnsiString& Text);
// The "+," alphabet, padded with "=".
AnsiString Base64ModEncode(const AnsiString& Data);
// By position, four characters at a time: a character outside the alphabet
// counts as 0, a missing one as a pad.
AnsiString Base64ModDecode(const AnsiString& Text);
