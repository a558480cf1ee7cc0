// Looking things up in the phone book: the pair of index-parallel lists of
// names and numbers that the phone sends.
#pragma once

#include "base/Lists.h"

// The index of the first entry of List that contains Text, compared without
// regard to case by the locale's rules; -1 when none does or Text is empty.
int FindContaining(const TStrings& List, const String& Text);

// The contact whose number contains Number (as typed into the number
// field). A number that begins with "+" and finds nothing is tried again
// without its first three characters (the "+" and a two-digit country
// code), so that it also finds contacts stored without the code.
int FindNumberContaining(const TStrings& Numbers, const String& Number);

// The contact whose number is Number as a whole, compared without regard to
// case; with the same second try for "+" and a country code. -1 when none,
// and for an empty number.
int FindNumberExact(const TStrings& Numbers, const String& Number);

// The name of the contact with that whole number, or "".
String ContactNameOf(const TStrings& Names, const TStrings& Numbers, const String& Number);
