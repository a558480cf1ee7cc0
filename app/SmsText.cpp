#include "app/SmsText.h"

#include "app/OvTools.h"

String SmsTextForSending(const String& FieldText, bool OnlyEnglish) {
  String s = ReplaceAllText(ReplaceAllText(FieldText, L"\r", L""), L"\n", L"");
  return OnlyEnglish ? StripPolishDiacritics(s) : s;
}

String SmsInfoText(size_t Chars, const String& Parts) {
  return L"chars: " + IntToStr(static_cast<int64_t>(Chars)) + L" / SMS: " + Parts;
}
