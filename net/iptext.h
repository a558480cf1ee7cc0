// IPv4 and IPv6 address texts: recognition and conversion to and from their
// byte forms, without the resolver. Stateless; never raises.
#pragma once

#include <array>
#include <cstdint>

#include "base/Types.h"

using TIp6Bytes = std::array<uint8_t, 16>;

// A decimal number 0..255 written with digits only.
bool IsOctetText(const String& Value);
// Four octets joined by "."; spaces around the octets are allowed.
bool IsIPv4Text(const String& Value);
// Eight groups of up to 0xFFFF in hexadecimal joined by ":", with one "::"
// standing for one or more zero groups, an optional dotted IPv4 tail in
// place of the last two groups, and an optional decimal zone after "%".
bool IsIPv6Text(const String& Value);

// The four octets of a valid IPv4 text; four zero bytes for any other text.
AnsiString IPv4TextToBytes(const String& Value);
// The address as a number, first octet most significant; 0 for a text that
// is not a valid IPv4 text.
uint32_t IPv4TextToNumber(const String& Value);

// Writes out "::" as the zero groups it stands for; empty for an empty text
// or one with more than seven colons.
AnsiString ExpandIPv6Text(const AnsiString& Value);
// The 16 bytes of a valid IPv6 text (its zone left aside); all zeros for
// any other text.
TIp6Bytes IPv6TextToBytes(const String& Value);
// The zone index after "%" of a valid IPv6 text; 0 when it has none.
uint32_t IPv6TextZone(const String& Value);
// Lower-case groups with the first longest run of zero groups written as
// "::"; all zeros give "::0".
String IPv6BytesToText(const TIp6Bytes& Value);
