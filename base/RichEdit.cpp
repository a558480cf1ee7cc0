#include "base/RichEdit.h"

#include <richedit.h>

#include <cstring>
#include <vector>

#include "base/Streams.h"

namespace {

std::vector<String> SplitLines(const String& Text) {
  std::vector<String> lines;
  size_t i = 0, n = Text.size();
  while (i < n) {
    size_t start = i;
    while (i < n && Text[i] != L'\r' && Text[i] != L'\n') ++i;
    lines.push_back(Text.substr(start, i - start));
    if (i < n && Text[i] == L'\r') ++i;
    if (i < n && Text[i] == L'\n') ++i;
  }
  return lines;
}

String JoinLines(const std::vector<String>& Lines) {
  String s;
  for (size_t i = 0; i < Lines.size(); ++i) {
    if (i) s += L"\r\n";
    s += Lines[i];
  }
  return s;
}

struct TStreamInState {
  const char* Data;
  size_t Left;
};

DWORD CALLBACK StreamInCallback(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done) {
  auto* st = reinterpret_cast<TStreamInState*>(Cookie);
  size_t n = Min(st->Left, static_cast<size_t>(Count));
  std::memcpy(Buffer, st->Data, n);
  st->Data += n;
  st->Left -= n;
  *Done = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK StreamOutCallback(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done) {
  reinterpret_cast<AnsiString*>(Cookie)->append(reinterpret_cast<const char*>(Buffer), static_cast<size_t>(Count));
  *Done = Count;
  return 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// TTextAttributes

TColor TTextAttributes::Color() {
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_COLOR;
  SendMessageW(FOwner->Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  if (cf.dwEffects & CFE_AUTOCOLOR) return clWindowText;
  return static_cast<TColor>(cf.crTextColor);
}

void TTextAttributes::SetColor(TColor Value) {
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_COLOR;
  if (Value == clWindowText || Value == clDefault)
    cf.dwEffects = CFE_AUTOCOLOR;
  else
    cf.crTextColor = static_cast<COLORREF>(ColorToRGB(Value));
  SendMessageW(FOwner->Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

// ---------------------------------------------------------------------------
// TRichEditStrings

String TRichEditStrings::Get(int Index) const {
  std::vector<String> lines = SplitLines(FOwner->Text());
  if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
  return lines[Index];
}

int TRichEditStrings::GetCount() const { return static_cast<int>(SplitLines(FOwner->Text()).size()); }

void TRichEditStrings::Put(int Index, const String& S) {
  std::vector<String> lines = SplitLines(FOwner->Text());
  if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
  lines[Index] = S;
  FOwner->SetText(JoinLines(lines));
}

void TRichEditStrings::Insert(int Index, const String& S) {
  std::vector<String> lines = SplitLines(FOwner->Text());
  if (Index < 0 || Index > static_cast<int>(lines.size())) IndexError(Index);
  lines.insert(lines.begin() + Index, S);
  FOwner->SetText(JoinLines(lines));
}

void TRichEditStrings::Delete(int Index) {
  std::vector<String> lines = SplitLines(FOwner->Text());
  if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
  lines.erase(lines.begin() + Index);
  FOwner->SetText(JoinLines(lines));
}

void TRichEditStrings::Clear() { FOwner->SetText(L""); }

void TRichEditStrings::SetText(const String& Value) { FOwner->SetText(Value); }

void TRichEditStrings::LoadFromStream(TStream* Stream) {
  int64_t left = Stream->Size() - Stream->Position();
  AnsiString data(static_cast<size_t>(left > 0 ? left : 0), '\0');
  if (!data.empty()) Stream->ReadBuffer(data.data(), static_cast<int>(data.size()));
  if (FOwner->FPlainText) {
    TStringList text;
    TStringStream s(data);
    text.LoadFromStream(&s);
    String t = text.Text();
    if (t.size() >= 2 && t.compare(t.size() - 2, 2, L"\r\n") == 0) t.resize(t.size() - 2);
    FOwner->SetText(t);
    return;
  }
  FOwner->StreamIn(data, SF_RTF);
}

void TRichEditStrings::SaveToStream(TStream* Stream, TTextEncoding Encoding) {
  if (FOwner->FPlainText) {
    TStringList text;
    text.SetText(FOwner->Text());
    text.SaveToStream(Stream, Encoding);
    return;
  }
  AnsiString rtf = FOwner->StreamOut(SF_RTF);
  if (!rtf.empty()) Stream->WriteBuffer(rtf.data(), static_cast<int>(rtf.size()));
}

// ---------------------------------------------------------------------------
// TCustomRichEdit

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(new TRichEditStrings(this)), FSelAttributes(new TTextAttributes(this)) {
  FWidth = 185;
  FHeight = 89;
}

void TCustomRichEdit::Destroy() {
  TCustomEdit::Destroy();
  FreeAndNil(FLines);
  FreeAndNil(FSelAttributes);
}

void TCustomRichEdit::CreateParams(TCreateParams& Params) {
  static HMODULE library = LoadLibraryW(L"riched20.dll");
  (void)library;
  TCustomEdit::CreateParams(Params);
  CreateSubClass(Params, RICHEDIT_CLASSW);
  Params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_NOHIDESEL;
  if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth) Params.Style |= WS_HSCROLL;
  if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) Params.Style |= WS_VSCROLL;
}

void TCustomRichEdit::CreateWnd() {
  FSettingText = true;
  struct TReset {
    bool& F;
    ~TReset() { F = false; }
  } reset{FSettingText};
  TCustomEdit::CreateWnd();
  SendMessageW(FHandle, EM_EXLIMITTEXT, 0, MaxLength() > 0 ? MaxLength() : 0x7FFFFFFE);
  SendMessageW(FHandle, EM_SETTARGETDEVICE, 0, FWordWrap ? 0 : 1);
  SendMessageW(FHandle, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(FColor)));
  if (!FSavedRtf.empty()) {
    AnsiString rtf;
    rtf.swap(FSavedRtf);
    StreamIn(rtf, SF_RTF);
  }
  SendMessageW(FHandle, EM_SETEVENTMASK, 0, ENM_CHANGE);
}

void TCustomRichEdit::SaveWindowState() {
  if (FHandle) FSavedRtf = StreamOut(SF_RTF);
  TCustomEdit::SaveWindowState();
}

String TCustomRichEdit::Text() {
  if (!FHandle) return TCustomEdit::Text();
  GETTEXTLENGTHEX len{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  int n = static_cast<int>(SendMessageW(FHandle, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0));
  if (n <= 0) return String();
  String s(static_cast<size_t>(n) + 1, L'\0');
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>((n + 1) * sizeof(wchar_t));
  get.flags = GT_USECRLF;
  get.codepage = 1200;
  int got = static_cast<int>(SendMessageW(FHandle, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                          reinterpret_cast<LPARAM>(s.data())));
  s.resize(static_cast<size_t>(Max(0, Min(got, n))));
  return s;
}

void TCustomRichEdit::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  if (FHandle) SendMessageW(FHandle, EM_SETTARGETDEVICE, 0, Value ? 0 : 1);
}

void TCustomRichEdit::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  RecreateWnd();
}

int TCustomRichEdit::SelStart() {
  if (!FHandle) return TCustomEdit::SelStart();
  CHARRANGE r{};
  SendMessageW(FHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r.cpMin;
}

void TCustomRichEdit::SetSelStart(int Value) {
  HandleNeeded();
  CHARRANGE r{Value, Value};
  SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

int TCustomRichEdit::SelLength() {
  if (!FHandle) return TCustomEdit::SelLength();
  CHARRANGE r{};
  SendMessageW(FHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r.cpMax - r.cpMin;
}

void TCustomRichEdit::SetSelLength(int Value) {
  HandleNeeded();
  CHARRANGE r{};
  SendMessageW(FHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  r.cpMax = r.cpMin + Value;
  SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

void TCustomRichEdit::Clear() {
  if (Text().empty())
    Change();
  else
    SetText(L"");
}

void TCustomRichEdit::StreamIn(const AnsiString& Data, UINT Format) {
  HandleNeeded();
  TStreamInState st{Data.data(), Data.size()};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&st);
  es.pfnCallback = &StreamInCallback;
  SendMessageW(FHandle, EM_STREAMIN, Format, reinterpret_cast<LPARAM>(&es));
}

AnsiString TCustomRichEdit::StreamOut(UINT Format) {
  HandleNeeded();
  AnsiString out;
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
  es.pfnCallback = &StreamOutCallback;
  SendMessageW(FHandle, EM_STREAMOUT, Format, reinterpret_cast<LPARAM>(&es));
  return out;
}

void TCustomRichEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETTEXT: {
      // An assigned text reports its change once, through TextChanged.
      bool saved = FSettingText;
      FSettingText = true;
      TCustomEdit::Dispatch(Message);
      FSettingText = saved;
      return;
    }
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE && FSettingText) return;
      break;
    case EM_LIMITTEXT:
      // No limit of our own means the control's largest, not its default.
      Message.Msg = EM_EXLIMITTEXT;
      Message.LParam = Message.WParam ? static_cast<LPARAM>(Message.WParam) : 0x7FFFFFFE;
      Message.WParam = 0;
      break;
    case CM_COLORCHANGED:
      TCustomEdit::Dispatch(Message);
      if (FHandle) SendMessageW(FHandle, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(FColor)));
      return;
    default:
      break;
  }
  TCustomEdit::Dispatch(Message);
}
