// Small stateless routines of the socket layer: millisecond ticks, byte
// codecs, space trimming, token cutting, binary digits, replacement and
// line-break search. Positions count from 1. Nothing here keeps state,
// takes a lock or raises, so every routine may run on any thread.
#pragma once

#include <cstdint>

#include "base/Types.h"

class TStream;

// Milliseconds of the performance counter (counter * 1000 / frequency,
// truncated, low 32 bits); the system tick count when the frequency cannot
// be read. A test clock installed with SetTickSource takes its place.
uint32_t TickMs();
// The arithmetic of TickMs: Counter * 1000 / Frequency without overflow.
uint32_t CounterToMs(int64_t Counter, int64_t Frequency);
// Elapsed milliseconds from OldTick to NewTick. An older tick in the upper
// half of the range with a newer one in the lower half counts as a wrap;
// any other NewTick below OldTick gives the plain distance.
uint32_t TickSpan(uint32_t OldTick, uint32_t NewTick);

// Two bytes, high byte first.
AnsiString EncodeWordBE(uint16_t Value);
// The bytes at Index (1-based) and Index + 1 as a big-endian word; 0 when
// fewer than two bytes remain from Index on.
uint16_t DecodeWordBE(const AnsiString& Value, int Index);
// Four bytes, most significant first.
AnsiString EncodeLongBE(uint32_t Value);
uint32_t ReverseBytes(uint32_t Value);

// Spaces are U+0020 only: tabs and line breaks stay.
String TrimLeadingSpaces(const String& Value);
String TrimTrailingSpaces(const String& Value);
String TrimSpaces(const String& Value);

// The part before / after the first Delimiter; the whole text when it does
// not occur (an empty delimiter never occurs).
String TextBefore(const String& Value, const String& Delimiter);
String TextAfter(const String& Value, const String& Delimiter);
// Returns the text before the first Delimiter and leaves the rest after it
// in Value (an empty Value when the delimiter is absent).
String CutToken(String& Value, const String& Delimiter);
// CutToken, with spaces trimmed from the token and from the rest.
String CutTrimmedToken(String& Value, const String& Delimiter);

// Base-2 digits, most significant first, padded with "0" to Digits.
String IntToBinText(int Value, int Digits);
// Reads "0" and "1" from the start up to the first other character; wraps at
// 32 bits.
int BinTextToInt(const String& Value);

// Every occurrence of Search, left to right without overlap, replaced.
AnsiString ReplaceAll(const AnsiString& Value, const AnsiString& Search, const AnsiString& Replacement);

// Position of the first CR or LF (-1 when none); Terminator gets that byte,
// or the pair CR LF / LF CR when the other one follows it.
int FindLineBreak(const AnsiString& Value, AnsiString& Terminator);

int CountChar(const String& Value, wchar_t Char);
int CountChar(const AnsiString& Value, char Char);

inline const void* AdvancePointer(const void* Address, int Count) {
  return static_cast<const uint8_t*>(Address) + Count;
}
inline void* AdvancePointer(void* Address, int Count) { return static_cast<uint8_t*>(Address) + Count; }

// Writes all bytes of Value at the stream's position in one call.
void WriteTextToStream(TStream* Stream, const AnsiString& Value);
