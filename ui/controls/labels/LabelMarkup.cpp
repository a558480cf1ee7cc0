#include "ui/controls/labels/LabelMarkup.h"

#include "base/Shell.h"
#include "ui/draw/HtmlText.h"

String JoinMarkupLines(const TStrings* Lines) {
  String s;
  for (int i = 0; i < Lines->Count(); ++i) {
    String line = Lines->Strings(i);
    if (i > 0 && !(!s.empty() && s.back() == L'>' && !line.empty() && line.front() == L'<')) s += L' ';
    s += line;
  }
  return s;
}

void SetJoinedMarkup(TStrings* Target, const TStrings* Lines) {
  String joined;
  StripLineBreaks(JoinMarkupLines(Lines), false, joined);
  Target->BeginUpdate();
  Target->Clear();
  Target->Add(joined);
  Target->EndUpdate();
}

bool OpenLinkAnchor(const String& Anchor) {
  if (!StartsText(L"http://", Anchor) && !StartsText(L"https://", Anchor) && !StartsText(L"mailto:", Anchor))
    return false;
  return AppShellExecute(nullptr, L"open", Anchor, L"", L"", SW_SHOWNORMAL) > 32;
}
