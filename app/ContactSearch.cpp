#include "app/ContactSearch.h"

namespace {

// Drops the "+" and the two-digit country code.
String WithoutCountryCode(const String& Number) { return Copy(Number, 4, static_cast<int>(Number.size())); }

bool HasCountryCode(const String& Number) { return !Number.empty() && Number[0] == L'+'; }

template <class Find>
int WithSecondTry(const String& Number, Find find) {
  int i = find(Number);
  if (i < 0 && HasCountryCode(Number)) i = find(WithoutCountryCode(Number));
  return i;
}

}  // namespace

int FindContaining(const TStrings& List, const String& Text) {
  if (Text.empty()) return -1;
  const String needle = AnsiUpperCase(Text);
  for (int i = 0; i < List.Count(); ++i)
    if (AnsiUpperCase(List.Strings(i)).find(needle) != String::npos) return i;
  return -1;
}

int FindNumberContaining(const TStrings& Numbers, const String& Number) {
  return WithSecondTry(Number, [&](const String& n) { return FindContaining(Numbers, n); });
}

int FindNumberExact(const TStrings& Numbers, const String& Number) {
  return WithSecondTry(Number, [&](const String& n) {
    // No number is no one's number.
    if (n.empty()) return -1;
    for (int i = 0; i < Numbers.Count(); ++i)
      if (AnsiSameText(Numbers.Strings(i), n)) return i;
    return -1;
  });
}

String ContactNameOf(const TStrings& Names, const TStrings& Numbers, const String& Number) {
  int i = FindNumberExact(Numbers, Number);
  return i >= 0 && i < Names.Count() ? Names.Strings(i) : String();
}
