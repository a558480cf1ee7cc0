#include "ui/controls/LabelMarkup.h"

#include "base/Shell.h"

String JoinMarkupLines(const TStrings* Lines) {
  String s;
  for (int i = 0; i < Lines->Count(); ++i) {
    String line = Lines->Strings(i);
    if (i > 0 && !(!s.empty() && s.back() == L'>' && !line.empty() && line.front() == L'<')) s += L' ';
    s += line;
  }
  return s;
}

bool OpenLinkAnchor(const String& Anchor) {
  if (!StartsText(L"http://", Anchor) && !StartsText(L"https://", Anchor) && !StartsText(L"mailto:", Anchor))
    return false;
  return AppShellExecute(nullptr, L"open", Anchor, L"", L"", SW_SHOWNORMAL) > 32;
}
