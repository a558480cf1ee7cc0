#include "net/netutil.h"

#include "base/Streams.h"
#include "base/SysUtils.h"

uint32_t CounterToMs(int64_t Counter, int64_t Frequency) {
  if (Frequency <= 0) return 0;
  // Whole seconds and the remainder apart, so that the product cannot
  // overflow: the same value as Counter * 1000 / Frequency.
  int64_t seconds = Counter / Frequency;
  int64_t rest = Counter % Frequency;
  int64_t ms = seconds * 1000 + rest * 1000 / Frequency;
  return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

uint32_t TickMs() {
  if (TTickSource source = CurrentTickSource()) return source();
  LARGE_INTEGER frequency, counter;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return GetTickCount();
  QueryPerformanceCounter(&counter);
  return CounterToMs(counter.QuadPart, frequency.QuadPart);
}

uint32_t TickSpan(uint32_t OldTick, uint32_t NewTick) {
  if (OldTick == NewTick) return 0;
  if (NewTick < OldTick) {
    OldTick += 0x80000000u;
    NewTick += 0x80000000u;
  }
  uint32_t result = NewTick - OldTick;
  if (OldTick > NewTick) result = OldTick - NewTick;
  return result;
}

AnsiString EncodeWordBE(uint16_t Value) {
  AnsiString r(2, '\0');
  r[0] = static_cast<char>(Value >> 8);
  r[1] = static_cast<char>(Value & 0xFF);
  return r;
}

uint16_t DecodeWordBE(const AnsiString& Value, int Index) {
  if (Index < 1 || static_cast<int>(Value.size()) <= Index) return 0;
  auto b = [&](int i) { return static_cast<uint8_t>(Value[static_cast<size_t>(i - 1)]); };
  return static_cast<uint16_t>(b(Index) * 256 + b(Index + 1));
}

AnsiString EncodeLongBE(uint32_t Value) {
  AnsiString r(4, '\0');
  for (int i = 0; i < 4; ++i) r[static_cast<size_t>(i)] = static_cast<char>((Value >> (24 - 8 * i)) & 0xFF);
  return r;
}

uint32_t ReverseBytes(uint32_t Value) {
  return (Value >> 24) | ((Value >> 8) & 0xFF00u) | ((Value << 8) & 0xFF0000u) | (Value << 24);
}

String TrimLeadingSpaces(const String& Value) {
  size_t i = Value.find_first_not_of(L' ');
  return i == String::npos ? String() : Value.substr(i);
}

String TrimTrailingSpaces(const String& Value) {
  size_t i = Value.find_last_not_of(L' ');
  return i == String::npos ? String() : Value.substr(0, i + 1);
}

String TrimSpaces(const String& Value) { return TrimTrailingSpaces(TrimLeadingSpaces(Value)); }

String TextBefore(const String& Value, const String& Delimiter) {
  size_t i = Delimiter.empty() ? String::npos : Value.find(Delimiter);
  return i == String::npos ? Value : Value.substr(0, i);
}

String TextAfter(const String& Value, const String& Delimiter) {
  size_t i = Delimiter.empty() ? String::npos : Value.find(Delimiter);
  return i == String::npos ? Value : Value.substr(i + Delimiter.size());
}

String CutToken(String& Value, const String& Delimiter) {
  String token = TextBefore(Value, Delimiter);
  String rest = TextAfter(Value, Delimiter);
  Value = rest == Value ? String() : rest;
  return token;
}

String CutTrimmedToken(String& Value, const String& Delimiter) {
  String token = TrimSpaces(CutToken(Value, Delimiter));
  Value = TrimSpaces(Value);
  return token;
}

String IntToBinText(int Value, int Digits) {
  String r;
  uint32_t v = static_cast<uint32_t>(Value);
  do {
    r.insert(r.begin(), (v & 1) ? L'1' : L'0');
    v >>= 1;
  } while (v != 0);
  if (static_cast<int>(r.size()) < Digits) r.insert(0, static_cast<size_t>(Digits) - r.size(), L'0');
  return r;
}

int BinTextToInt(const String& Value) {
  uint32_t v = 0;
  for (wchar_t c : Value) {
    if (c == L'0')
      v <<= 1;
    else if (c == L'1')
      v = (v << 1) + 1;
    else
      break;
  }
  return static_cast<int>(v);
}

AnsiString ReplaceAll(const AnsiString& Value, const AnsiString& Search, const AnsiString& Replacement) {
  if (Value.empty() || Search.empty()) return Value;
  AnsiString r;
  size_t from = 0;
  for (size_t i; (i = Value.find(Search, from)) != AnsiString::npos; from = i + Search.size()) {
    r.append(Value, from, i - from);
    r += Replacement;
  }
  r.append(Value, from, AnsiString::npos);
  return r;
}

int FindLineBreak(const AnsiString& Value, AnsiString& Terminator) {
  Terminator.clear();
  size_t i = Value.find_first_of("\r\n");
  if (i == AnsiString::npos) return -1;
  Terminator = Value.substr(i, 1);
  if (i + 1 < Value.size()) {
    char other = Value[i] == '\r' ? '\n' : '\r';
    if (Value[i + 1] == other) Terminator += other;
  }
  return static_cast<int>(i) + 1;
}

int CountChar(const String& Value, wchar_t Char) {
  int n = 0;
  for (wchar_t c : Value) n += c == Char;
  return n;
}

int CountChar(const AnsiString& Value, char Char) {
  int n = 0;
  for (char c : Value) n += c == Char;
  return n;
}

void WriteTextToStream(TStream* Stream, const AnsiString& Value) {
  if (!Value.empty()) Stream->Write(Value.data(), static_cast<int>(Value.size()));
}
