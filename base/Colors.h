// Colours as text: the 52 colour identifiers ("clBlack" .. "clMenuBar",
// "clNone", "clDefault" and the system colours) and the colour texts of
// stored files.
#pragma once

#include "base/Types.h"

// The identifier of a colour that has one.
bool ColorToIdent(TColor Color, String& Ident);
// An identifier in any letter case.
bool IdentToColor(const String& Ident, TColor& Color);
// The identifier, else "$" and the 32-bit value in 8 uppercase hexadecimal
// digits (0xD2BDB6 is "$00D2BDB6").
String ColorToString(TColor Color);
// An identifier in any letter case, or an integer text (decimal, or "$" and
// hexadecimal digits). StringToColor raises EConvertError for anything else.
bool TryStringToColor(const String& S, TColor& Color);
TColor StringToColor(const String& S);
