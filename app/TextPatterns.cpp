#include "app/TextPatterns.h"

#include "app/OvTools.h"

String PatternTitleKey(int Nr) { return L"pat" + IntToStr(Nr) + L"_title"; }

String PatternTextKey(int Nr) { return L"pat" + IntToStr(Nr) + L"_text"; }

String DefaultPatternTitle(int Nr) { return Nr == 1 ? L"Pattern1" : L"Pattern2"; }

String PatternTitleFromEditor(const String& TitleField, int Nr) {
  String title = Trim(TitleField);
  return title.empty() ? DefaultPatternTitle(Nr) : title;
}

String PatternTextFromEditor(const String& TextField) {
  return ReplaceAllText(ReplaceAllText(TextField, L"\r", L" "), L"\n", L"");
}

String PatternInsertion(const String& PatternText, bool AddClipboard, const String& ClipboardText) {
  if (PatternText.empty()) return String();
  return AddClipboard ? PatternText + ClipboardText : PatternText;
}
