// Byte strings written and shown as hexadecimal bytes.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

// "C3 A9" -> the two bytes C3 A9.
inline std::string Hex(const char* text) {
  std::string bytes;
  int value = -1;
  for (const char* p = text; *p; ++p) {
    int digit = *p >= '0' && *p <= '9' ? *p - '0' : *p >= 'A' && *p <= 'F' ? *p - 'A' + 10 : -1;
    if (digit < 0) continue;
    if (value < 0) {
      value = digit;
    } else {
      bytes += static_cast<char>(value * 16 + digit);
      value = -1;
    }
  }
  return bytes;
}

inline std::string Bytes(std::initializer_list<uint8_t> values) { return std::string(values.begin(), values.end()); }

// The bytes as "C3 A9".
inline std::string ToHex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char b : bytes) {
    if (!text.empty()) text += ' ';
    text += digits[b >> 4];
    text += digits[b & 15];
  }
  return text;
}
