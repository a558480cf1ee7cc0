// The character sets, base64 and address texts on any bytes: the first two
// bytes pick the sets to convert between, the rest is the text.
#include "net/charsets.h"
#include "net/iptext.h"
#include "net/netcodec.h"
#include "base/SysUtils.h"
#include "tests/fuzz/Fuzz.h"

void FuzzOne(const uint8_t* Data, size_t Size) {
  TMimeChar from = static_cast<TMimeChar>(Size > 0 ? Data[0] % MimeCharCount : 0);
  TMimeChar to = static_cast<TMimeChar>(Size > 1 ? Data[1] % MimeCharCount : 0);
  std::string bytes(reinterpret_cast<const char*>(Data) + std::min<size_t>(Size, 2),
                    reinterpret_cast<const char*>(Data) + Size);

  std::string converted = ConvertCharset(bytes, from, to);
  // Nothing grows past six bytes (UTF-7 of a surrogate pair, UCS-4 of a
  // byte) for each byte in.
  FuzzCheck(converted.size() <= bytes.size() * 8 + 16, "a conversion grew without bound");
  ConvertCharset(converted, to, TMimeChar::UTF_8);
  std::string ucs2 = DecodeToUcs2(bytes, from);
  FuzzCheck(ucs2.size() % 2 == 0, "UCS-2 of odd length");
  std::string utf8 = EncodeUtf8Text(DecodeUtf8Text(bytes));
  DecodeUtf7Text(bytes, false);
  DecodeUtf7Text(bytes, true);
  FuzzCheck(DecodeUtf7Text(EncodeUtf7Text(ucs2, false), false) == ucs2, "UTF-7 does not round-trip");
  FuzzCheck(DecodeUtf7Text(EncodeUtf7Text(ucs2, true), true) == ucs2, "modified UTF-7 does not round-trip");

  FuzzCheck(Base64Decode(Base64Encode(bytes)) == bytes, "base64 does not round-trip");
  FuzzCheck(Base64ModDecode(Base64ModEncode(bytes)) == bytes, "modified base64 does not round-trip");
  Base64Decode(bytes);
  Base64ModDecode(bytes);

  String text = AnsiToWide(bytes);
  if (IsIPv4Text(text)) FuzzCheck(IPv4TextToBytes(text).size() == 4, "four bytes of an IPv4 text");
  IPv4TextToNumber(text);
  ExpandIPv6Text(bytes);
  if (IsIPv6Text(text)) {
    TIp6Bytes b = IPv6TextToBytes(text);
    FuzzCheck(IPv6TextToBytes(IPv6BytesToText(b)) == b, "an IPv6 address does not round-trip");
  }
  IPv6TextZone(text);
}
