#include "app/OutBoxStatus.h"

#include "base/SysUtils.h"

namespace {

int AtLeastOne(int Parts) { return Parts < 1 ? 1 : Parts; }

// Count / Parts of Scale, rounded to the nearest integer with an exact half
// going to the even neighbour. Worked out on whole numbers: in floating point
// a fraction such as 1 / 22 of 11 misses its half by the last bit.
int Fraction(int Count, int Parts, int Scale) {
  const int64_t num = static_cast<int64_t>(Count < 0 ? 0 : Count) * Scale;
  const int64_t den = AtLeastOne(Parts);
  int64_t q = num / den, twice = 2 * (num % den);
  if (twice > den || (twice == den && (q & 1))) ++q;
  return static_cast<int>(q);
}

}  // namespace

int PartCountOf(const String& Text) { return AtLeastOne(StrToIntDef(Text, 1)); }

int CounterOf(const String& Text, int Default) { return StrToIntDef(Text, Default); }

int SentStateImage(int Sent, int Parts) {
  int i = Fraction(Sent, Parts, 11);
  return i < 0 ? 0 : i > AllSentStateImage ? AllSentStateImage : i;
}

int DeliveryImage(int Delivered, int Parts) {
  if (AtLeastOne(Parts) == 1) return DeliveredImage;
  int i = Fraction(Delivered, Parts, 12) + FirstPartsImage;
  return i < FirstPartsImage ? FirstPartsImage : i > LastPartsImage ? LastPartsImage : i;
}

int InitialDeliveryImage(int Parts) { return AtLeastOne(Parts) == 1 ? NotDeliveredImage : FirstPartsImage; }

String SendStatusWords(int Sent, int Parts) { return Sent < AtLeastOne(Parts) ? L"Send (partly)" : L"Send OK"; }

String DeliveryWords(int Delivered, int Parts) {
  return Delivered < AtLeastOne(Parts) ? L"DELIVERED (partly)" : L"DELIVERED";
}
