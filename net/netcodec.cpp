#include "net/netcodec.h"

#include <cstdint>

namespace {

const char kStandard[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
const char kModified[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+,=";
constexpr uint8_t kNotInAlphabet = 64;

// The standard alphabet's 6-bit values for the characters 0x21 to 0x7F;
// everything else is marked 64.
struct TDecodeTable {
  uint8_t Value[0x80 - 0x21];
  constexpr TDecodeTable() : Value{} {
    for (auto& v : Value) v = kNotInAlphabet;
    for (int i = 0; i < 64; ++i) Value[kStandard[i] - 0x21] = static_cast<uint8_t>(i);
  }
};
constexpr TDecodeTable kDecode;

AnsiString EncodeTriples(const AnsiString& Data, const char* Alphabet) {
  AnsiString out;
  out.reserve((Data.size() + 2) / 3 * 4);
  for (size_t i = 0; i < Data.size(); i += 3) {
    size_t left = Data.size() - i;
    uint8_t b0 = static_cast<uint8_t>(Data[i]);
    uint8_t b1 = left > 1 ? static_cast<uint8_t>(Data[i + 1]) : 0;
    uint8_t b2 = left > 2 ? static_cast<uint8_t>(Data[i + 2]) : 0;
    int idx[4] = {b0 >> 2, ((b0 & 3) << 4) + (b1 >> 4), ((b1 & 15) << 2) + (b2 >> 6), b2 & 63};
    if (left == 1) idx[2] = idx[3] = 64;
    if (left == 2) idx[3] = 64;
    for (int k : idx) out += Alphabet[k];
  }
  return out;
}

AnsiString DecodeQuadsByTable(const AnsiString& Text) {
  AnsiString out;
  out.reserve(Text.size() / 4 * 3 + 2);
  uint32_t bits = 0;
  int pending = 0;
  for (char ch : Text) {
    uint8_t c = static_cast<uint8_t>(ch);
    if (c < 0x21 || c > 0x7F) continue;
    uint8_t v = kDecode.Value[c - 0x21];
    if (v == kNotInAlphabet) continue;
    bits = (bits << 6) | v;
    if (++pending == 4) {
      out += static_cast<char>((bits >> 16) & 0xFF);
      out += static_cast<char>((bits >> 8) & 0xFF);
      out += static_cast<char>(bits & 0xFF);
      bits = 0;
      pending = 0;
    }
  }
  if (pending == 3) {
    bits >>= 2;
    out += static_cast<char>((bits >> 8) & 0xFF);
    out += static_cast<char>(bits & 0xFF);
  } else if (pending == 2) {
    out += static_cast<char>((bits >> 4) & 0xFF);
  }
  return out;
}

int IndexIn(const char* Alphabet, char c) {
  for (int i = 0; i < 65; ++i)
    if (Alphabet[i] == c) return i;
  return 0;
}

AnsiString DecodeQuads(const AnsiString& Text, const char* Alphabet) {
  AnsiString out;
  for (size_t i = 0; i < Text.size(); i += 4) {
    int d[4];
    for (size_t k = 0; k < 4; ++k) d[k] = i + k < Text.size() ? IndexIn(Alphabet, Text[i + k]) : 64;
    out += static_cast<char>(((d[0] & 63) << 2) + ((d[1] & 48) >> 4));
    if (d[2] != 64) {
      out += static_cast<char>(((d[1] & 15) << 4) + ((d[2] & 60) >> 2));
      if (d[3] != 64) out += static_cast<char>(((d[2] & 3) << 6) + (d[3] & 63));
    }
  }
  return out;
}

}  // namespace

AnsiString Base64Encode(const AnsiString& Data) { return EncodeTriples(Data, kStandard); }
AnsiString Base64Decode(const AnsiString& Text) { return DecodeQuadsByTable(Text); }
AnsiString Base64ModEncode(const AnsiString& Data) { return EncodeTriples(Data, kModified); }
AnsiString Base64ModDecode(const AnsiString& Text) { return DecodeQuads(Text, kModified); }
