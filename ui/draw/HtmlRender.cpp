#include "ui/draw/HtmlRender.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <vector>

#include "base/ImgList.h"
#include "ui/draw/HtmlHelpers.h"
#include "ui/draw/HtmlText.h"
#include "ui/draw/PictureContainer.h"

namespace {

// Numbers from markup are bounded before they become coordinates or sizes,
// so that no arithmetic overflows and GDI is never asked for absurd fonts.
constexpr int kMaxCoord = 1 << 20;
constexpr int kMaxFontSize = 1000;
constexpr int kMaxImage = 1 << 15;
// Tiles of a BODY background picture drawn at most (a tiny picture over a
// large area would otherwise cost millions of draws).
constexpr size_t kMaxTiles = 4096;

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

enum class TParaAlign { Left, Right, Center };

// The font of the text state. Tags change it freely; a GDI font is made (or
// taken from the cache below) only when text is measured or drawn.
struct TFontState {
  String FName;
  int FHeight = 0;
  TFontStyles FStyle;
  TColor FColor = clBlack;
  int FOrientation = 0;
  int Ppi = 96;

  const String& Name() const { return FName; }
  void SetName(const String& v) {
    if (!v.empty()) FName = v;
  }
  int Height() const { return FHeight; }
  void SetHeight(int v) { FHeight = v; }
  void SetSize(int points) { FHeight = -MulDiv(points, Ppi, 72); }
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles v) { FStyle = v; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }
  int Orientation() const { return FOrientation; }
  void SetOrientation(int v) { FOrientation = v; }
  bool SameFace(const TFontState& o) const {
    return FHeight == o.FHeight && FStyle == o.FStyle && FOrientation == o.FOrientation && FName == o.FName;
  }
};

// GDI fonts shared by all calls, least recently used first out. A font used
// by a call in progress is never deleted; past the hard limit (markup asking
// for hundreds of fonts) no more are made and the text keeps its font.
class TFontCache {
 public:
  static TFontCache& Instance() {
    static TFontCache cache;
    return cache;
  }
  uint64_t BeginCall() {
    std::lock_guard<std::mutex> lock(FLock);
    uint64_t id = ++FCalls;
    FActive.push_back(id);
    return id;
  }
  void EndCall(uint64_t id) {
    std::lock_guard<std::mutex> lock(FLock);
    FActive.erase(std::remove(FActive.begin(), FActive.end(), id), FActive.end());
  }
  HFONT Get(const LOGFONTW& lf, uint64_t call) {
    std::lock_guard<std::mutex> lock(FLock);
    for (auto& e : FFonts) {
      if (std::memcmp(&e.Key, &lf, sizeof lf) == 0) {
        e.LastCall = call;
        e.Tick = ++FTick;
        return e.Font;
      }
    }
    if (FFonts.size() >= kSize) {
      auto victim = FFonts.end();
      for (auto it = FFonts.begin(); it != FFonts.end(); ++it) {
        if (std::find(FActive.begin(), FActive.end(), it->LastCall) != FActive.end()) continue;
        if (victim == FFonts.end() || it->Tick < victim->Tick) victim = it;
      }
      if (victim != FFonts.end()) {
        DeleteObject(victim->Font);
        FFonts.erase(victim);
      } else if (FFonts.size() >= kHardLimit) {
        return nullptr;
      }
    }
    HFONT font = CreateFontIndirectW(&lf);
    if (font) FFonts.push_back({lf, font, call, ++FTick});
    return font;
  }

 private:
  static constexpr size_t kSize = 32;
  static constexpr size_t kHardLimit = 256;
  struct TEntry {
    LOGFONTW Key;
    HFONT Font;
    uint64_t LastCall;
    uint64_t Tick;
  };
  std::mutex FLock;
  std::vector<TEntry> FFonts;
  std::vector<uint64_t> FActive;
  uint64_t FCalls = 0;
  uint64_t FTick = 0;
};

// The part of the text state that each pass keeps a copy of.
struct TPassState {
  String FontName;
  int FontHeight = 0;
  TFontStyles FontStyle;
  TColor FontColor = clBlack;
  int FontOrientation = 0;
  TColor SavedColor = clBlack;
  int Anchors = 0;
  int ListLevel = 0;
  bool InAnchor = false;
  bool InAnchorText = false;
  String Href;
  String Title;
  bool Shadow = false;
  TColor ColorBeforeHover = clBlack;
  int KeptOrientation = 0;
};

struct TLine {
  TRect Rect;
  int Width = 0;
  int Height = 0;
  int SubSpace = 0;
  int SupSpace = 0;
  int Raise = 0;
  bool TextHit = false;
  bool ImgHit = false;
};

// One tag, "<" and ">" left out: Raw as written, Upper upper-cased (same
// length), Body without the "/" of a closing tag, Attrs the text after the
// tag's name.
struct TTag {
  String Raw;
  String Upper;
  bool Closing = false;
  size_t BodyStart = 0;
  size_t AttrStart = 0;

  wchar_t At(size_t i) const {
    i += BodyStart;
    return i < Upper.size() ? Upper[i] : L'\0';
  }
  bool BodyIs(const wchar_t* s) const { return Upper.compare(BodyStart, String::npos, s) == 0; }
  bool Has(const wchar_t* name) const { return Upper.find(name, AttrStart) != String::npos; }
  // The value of an attribute: the text between the double quotes after
  // name= (blanks allowed around "="); empty when not quoted.
  String Value(const wchar_t* name, bool keepCase = false) const {
    size_t p = Upper.find(name, AttrStart);
    if (p == String::npos) return String();
    size_t i = p + wcslen(name);
    while (i < Upper.size() && Upper[i] == L' ') ++i;
    if (i < Upper.size() && Upper[i] == L'=') ++i;
    while (i < Upper.size() && Upper[i] == L' ') ++i;
    if (i >= Upper.size() || Upper[i] != L'"') return String();
    size_t q = Upper.find(L'"', i + 1);
    if (q == String::npos) q = Upper.size();
    return (keepCase ? Raw : Upper).substr(i + 1, q - i - 1);
  }
  // A number written after name, quoted or not (SIZE=3, SIZE="3").
  int LooseNumberAfter(const wchar_t* name) const {
    size_t p = Upper.find(name, AttrStart);
    if (p == String::npos) return 0;
    size_t i = p + wcslen(name);
    while (i < Upper.size() && (Upper[i] == L' ' || Upper[i] == L'=' || Upper[i] == L'"')) ++i;
    return StrToIntLoose(Upper.substr(i));
  }
  // The number that follows the first letter `letter` (any case) of the tag
  // text: <IND x="40">, <R a="90">. Whole tells whether the value read
  // completely as a number.
  int NumberAfterLetter(wchar_t letter, bool& whole) const {
    whole = false;
    size_t p = Upper.find(letter);
    if (p == String::npos) return 0;
    size_t i = p + 1;
    while (i < Upper.size() && !(Upper[i] >= L'0' && Upper[i] <= L'9') && Upper[i] != L'-' && Upper[i] != L'+' &&
           Upper[i] != L'$')
      ++i;
    size_t e = i;
    while (e < Upper.size() && Upper[e] != L'"' && Upper[e] != L' ') ++e;
    String token = Upper.substr(i, e - i);
    int v = 0;
    whole = TryStrToInt(token, v);
    return StrToIntLoose(token);
  }
};

TColor ColorValue(const String& v) {
  if (!v.empty() && v[0] == L'#') return ColorFromHex(v);
  return ColorFromName(AnsiLowerCase(v));
}

bool EndsWithBlank(const wchar_t* s, size_t len) { return len > 0 && s[len - 1] == L' '; }

// &nbsp;, &lt; and &gt; of a run, any case, every occurrence.
String ReplaceRunEntities(const wchar_t* s, size_t len) {
  String out;
  out.reserve(len);
  for (size_t i = 0; i < len; ++i) {
    if (s[i] == L'&') {
      auto match = [&](const wchar_t* name) {
        size_t k = wcslen(name);
        if (i + 1 + k > len) return false;
        for (size_t j = 0; j < k; ++j) {
          wchar_t c = s[i + 1 + j];
          if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
          if (c != name[j]) return false;
        }
        return true;
      };
      if (match(L"nbsp;")) {
        out.push_back(L' ');
        i += 5;
        continue;
      }
      if (match(L"lt;")) {
        out.push_back(L'<');
        i += 3;
        continue;
      }
      if (match(L"gt;")) {
        out.push_back(L'>');
        i += 3;
        continue;
      }
    }
    out.push_back(s[i]);
  }
  return out;
}

// A plain memory DC of the screen for measuring text, one per thread, when
// it measures exactly as Canvas does (no mapping mode or transform, the same
// resolution, a raster display device); else nullptr.
HDC MeasuringDC(HDC Canvas) {
  struct TMeasuringDC {
    HDC Dc = CreateCompatibleDC(nullptr);
    ~TMeasuringDC() {
      if (Dc) DeleteDC(Dc);
    }
  };
  thread_local TMeasuringDC m;
  if (!m.Dc) return nullptr;
  if (GetMapMode(Canvas) != MM_TEXT || GetGraphicsMode(Canvas) != GM_COMPATIBLE ||
      GetDeviceCaps(Canvas, TECHNOLOGY) != DT_RASDISPLAY ||
      GetDeviceCaps(Canvas, LOGPIXELSX) != GetDeviceCaps(m.Dc, LOGPIXELSX) ||
      GetDeviceCaps(Canvas, LOGPIXELSY) != GetDeviceCaps(m.Dc, LOGPIXELSY))
    return nullptr;
  return m.Dc;
}

// What a drawing call put out, to be put out again without a layout: text
// runs only, each with its font, colour and the rectangle it is clipped to.
struct TTextOp {
  int Font = -1;  // index into TRecording::Fonts; -1: the canvas's own font
  COLORREF Color = 0;
  // ExtTextOutW from (X, Y) clipped to Rect; else DrawTextW with Flags.
  bool Plain = false;
  UINT Flags = 0;
  RECT Rect{};
  int X = 0, Y = 0;
  size_t Start = 0, Length = 0;  // of its text in TRecording::Text
};

struct TRecording {
  // False once the call drew anything but text runs.
  bool Valid = true;
  std::vector<LOGFONTW> Fonts;
  String Text;
  std::vector<TTextOp> Ops;
  // The order to put the runs out in (see Arrange).
  std::vector<uint32_t> Order;
  COLORREF LastColor = CLR_INVALID;
  TColor SavedColor = clBlack;
};

class THtmlRenderer {
 public:
  THtmlRenderer(const THtmlRenderParams& P, THtmlRenderResult& Out, TRecording* Record = nullptr)
      : P(P), Out(Out), C(P.Canvas), F(&Cur), Record(Record) {}
  bool Run();
  // The results that are written only when an anchor is found were written.
  bool AnchorWritten = false;
  bool HoverRectWritten = false;
  // The canvas font's colour as the call leaves it.
  TColor SavedColor() const { return Draw.SavedColor; }

 private:
  void LoadFont(const TPassState& s);
  void StoreFont(TPassState& s);
  // The font layer: the current font selected into the canvas's DC, and
  // the metrics the layout asks for again and again.
  struct TFontMetrics {
    LOGFONTW Key;
    HFONT Font;                // for measuring
    HFONT DrawFont = nullptr;  // for drawing: its smoothing made explicit
    int Gh = -1, Blank = -1, L = -1;
  };
  // A DC and the font selected into it.
  struct TSlot {
    HDC Dc = nullptr;
    HFONT Original = nullptr;  // selected back at the end
    HFONT Selected = nullptr;
  };
  // The metrics of the current font, selected into the measuring DC (Draw
  // false) or the canvas (Draw true).
  TFontMetrics& UseFont(bool Draw = false);
  HFONT FontFor(LOGFONTW lf);
  int Extent(const String& text, int* height = nullptr);
  int TextHeightGh();
  int BlankWidth();
  int LWidth();
  // Draws a run as DrawTextW does with one line flags; Ext is the run's
  // measured size when known (one output call then does for plain text).
  void TextOut(TRect r, const String& text, UINT flags, TColor color, const TSize* Ext = nullptr);
  void RecordRun(const RECT& r, const String& text, bool plain, UINT flags, int x, int y);
  // Anything but a text run was drawn: the call cannot be put out again
  // from its runs.
  void NotReplayable() {
    if (Record) Record->Valid = false;
  }
  TSize MeasureRun(const String& text);
  void RenderLine(const String& M, size_t& pos, size_t end, TLine& L, bool measuring, bool second,
                  String* consumed);
  void DrawRun(const String& text, TLine& L, int w, int h);
  void DrawZigzag(int left, int right, int bottom);
  void DrawBand(const TLine& L);
  void ApplyTag(const wchar_t* s, size_t len, TLine& L);
  void OpenTag(const TTag& t, TLine& L);
  void CloseTag(const TTag& t, TLine& L);
  void OpenAnchor(const TTag& t, TLine& L);
  void CloseAnchor(TLine& L);
  void FontTag(const TTag& t);
  void ParagraphTag(const TTag& t, TLine& L);
  void BodyTag(const TTag& t, TLine& L);
  void ListItem(const TTag& t, TLine& L);
  struct TImageSource {
    enum TKind { None, List, System, Picture } Kind = None;
    int Index = 0;
    bool Large = false;
    String Name;
    TGraphic* Pic = nullptr;
  };
  TImageSource ResolveSource(const String& src);
  TSize IconSize(const TImageSource& src);
  void DrawIcon(const TImageSource& src, int x, int y);
  void ImageTag(const TTag& t, TLine& L);
  void BodyImage(const String& value, bool right, TLine& L);
  void EndLineInsideFocus(TLine& L);

  const THtmlRenderParams& P;
  THtmlRenderResult& Out;
  TCanvas* C;
  TFontState Cur;
  TFontState* F;
  TRecording* Record;
  HDC Dc = nullptr;
  uint64_t CallId = 0;
  LOGFONTW BaseLog{};
  HFONT BaseFont = nullptr;  // the canvas's own font
  bool BaseByDefault = false;  // made with the default quality
  TSlot Target;              // the canvas
  TSlot Measurer;            // a plain memory DC, when it measures as the canvas does
  TFontState CurrentFace;
  TFontMetrics* CurrentMetrics = nullptr;
  BYTE Smoothing = DEFAULT_QUALITY;  // the system's font smoothing as a quality
  std::vector<std::unique_ptr<TFontMetrics>> Fonts;
  bool Hit = false;

  // Base font and call-wide values.
  String BaseName;
  int BaseHeight = 0;
  int BaseSize = 0;
  TFontStyles BaseStyle;
  TColor BaseColor = clBlack;
  int BaseOrientation = 0;
  TColor BlinkColor = clWhite;
  UINT DrawFlags = 0;
  bool RightToLeft = false;

  TPassState Measure, Draw;
  TPassState* S = nullptr;  // the pass running

  // State that both passes share.
  bool Hidden = false, ErrorMark = false, Sub = false, Sup = false, Band = false, Ordered = false;
  int ItemNumber = 1;
  TColor Bg = clNone;
  TParaAlign Align = TParaAlign::Left;
  int Indent = 0;
  int LineOffset = 0;     // of the line being laid out
  int NewLineOffset = 0;  // for the lines after it
  int FloatLeftMargin = 0, FloatRightMargin = 0, FloatBottom = 0;
  int FloatKind = 0, FloatLeft = 0, FloatTop = 0;
  TColor FontSlotBg = clNone, PSlotBg = clNone, HoverSlotBg = clNone;
  TColor HiColor = clBlack, HiBg = clNone;
  TFontStyles HiStyle;

  // Focus rectangle and the anchor under the point.
  bool FocusOpen = false;
  bool FocusContinues = false;
  TRect FocusRect;
  bool Marked = false;
  int AnchorStartWidth = 0, AnchorStartTop = 0, AnchorStartLine = 0;
  int LineNo = 0;

  // The line being processed.
  bool Measuring = true, Second = false;
  bool Eol = false, StopBefore = false, HasContent = false, LiSeen = false;
  int DefaultHeight = 0;
  // The last search for "<" in the markup being laid out: from LtFrom it
  // found LtAt (npos: none). Every run of a long text without tags would
  // otherwise search the rest of the text again.
  const String* LtText = nullptr;
  size_t LtFrom = 0, LtAt = 0;
  int Xl = 0;  // next run's left edge
  int Xr = 0;  // next run's right edge (right-to-left reading)
  int TrailingBlank = 0;
  // The canvas's text colour as last set; its text alignment is the plain
  // top-left one that runs can be put out with directly.
  COLORREF TextColor = CLR_INVALID;
  // The size of every run the measuring pass took on the current line.
  struct TRunSize {
    TFontMetrics* Metrics;
    size_t Length;
    TSize Size;
  };
  std::vector<TRunSize> RunSizes;
  size_t RunNext = 0;
  bool PlainOutput = false;
};

void THtmlRenderer::LoadFont(const TPassState& s) {
  Cur.FName = s.FontName;
  Cur.FHeight = s.FontHeight;
  Cur.FStyle = s.FontStyle;
  Cur.FColor = s.FontColor;
  Cur.FOrientation = s.FontOrientation;
}

void THtmlRenderer::StoreFont(TPassState& s) {
  s.FontName = Cur.FName;
  s.FontHeight = Cur.FHeight;
  s.FontStyle = Cur.FStyle;
  s.FontColor = Cur.FColor;
  s.FontOrientation = Cur.FOrientation;
}

THtmlRenderer::TFontMetrics& THtmlRenderer::UseFont(bool Draw) {
  if (!CurrentMetrics || !CurrentFace.SameFace(Cur)) {
    LOGFONTW lf = BaseLog;
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    wcsncpy(lf.lfFaceName, Cur.FName.c_str(), LF_FACESIZE - 1);
    lf.lfHeight = Cur.FHeight;
    lf.lfEscapement = lf.lfOrientation = Cur.FOrientation;
    lf.lfWeight = Cur.FStyle.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = Cur.FStyle.Contains(TFontStyle::fsItalic);
    lf.lfUnderline = Cur.FStyle.Contains(TFontStyle::fsUnderline);
    lf.lfStrikeOut = Cur.FStyle.Contains(TFontStyle::fsStrikeOut);
    TFontMetrics* m = nullptr;
    for (auto& f : Fonts)
      if (std::memcmp(&f->Key, &lf, sizeof lf) == 0) m = f.get();
    if (!m) {
      // The base font is the canvas's own.
      HFONT font = std::memcmp(&lf, &BaseLog, sizeof lf) == 0 ? BaseFont : FontFor(lf);
      if (!font && CurrentMetrics) {
        // No more fonts to be had: the text keeps the font it has.
        m = CurrentMetrics;
      } else {
        Fonts.push_back(std::make_unique<TFontMetrics>());
        m = Fonts.back().get();
        m->Key = lf;
        m->Font = font ? font : BaseFont;
        if (m->Font != BaseFont) m->DrawFont = m->Font;
      }
    }
    CurrentFace = Cur;
    CurrentMetrics = m;
  }
  TFontMetrics& m = *CurrentMetrics;
  // Selecting a font into a DIB canvas costs far more than into a plain
  // memory DC: text is measured there and only drawn on the canvas.
  HFONT font = m.Font;
  TSlot* slot = &Target;
  if (Draw) {
    // Back to the base font after another one: its twin of explicit
    // smoothing selects faster than the canvas's own.
    if (font == BaseFont && BaseByDefault && Target.Selected != BaseFont) {
      if (!m.DrawFont) m.DrawFont = FontFor(m.Key);
      if (m.DrawFont) font = m.DrawFont;
    }
  } else if (Measurer.Dc) {
    slot = &Measurer;
  }
  if (font != slot->Selected) {
    SelectObject(slot->Dc, font);
    slot->Selected = font;
  }
  return m;
}

HFONT THtmlRenderer::FontFor(LOGFONTW lf) {
  // A font of default quality makes the system's smoothing explicit: the
  // same look, and the platform does not look the setting up again at every
  // selection.
  if (lf.lfQuality == DEFAULT_QUALITY) lf.lfQuality = Smoothing;
  return TFontCache::Instance().Get(lf, CallId);
}

int THtmlRenderer::Extent(const String& text, int* height) {
  UseFont();
  SIZE sz{};
  GetTextExtentPoint32W(Measurer.Dc ? Measurer.Dc : Target.Dc, text.c_str(), static_cast<int>(text.size()), &sz);
  if (height) *height = sz.cy;
  return sz.cx;
}

int THtmlRenderer::TextHeightGh() {
  TFontMetrics& m = UseFont();
  if (m.Gh < 0) Extent(L"gh", &m.Gh);
  return m.Gh;
}

int THtmlRenderer::BlankWidth() {
  TFontMetrics& m = UseFont();
  if (m.Blank < 0) m.Blank = Extent(L" ");
  return m.Blank;
}

int THtmlRenderer::LWidth() {
  TFontMetrics& m = UseFont();
  if (m.L < 0) m.L = Extent(L"l");
  return m.L;
}

void THtmlRenderer::TextOut(TRect r, const String& text, UINT flags, TColor color, const TSize* Ext) {
  UseFont(true);
  const COLORREF rgb = static_cast<COLORREF>(ColorToRGB(color));
  if (rgb != TextColor) {
    SetTextColor(Dc, rgb);
    TextColor = rgb;
  }
  SetBkMode(Dc, TRANSPARENT);
  // A single bottom-aligned line that fits, without tabs or prefixes, is
  // exactly the text put out at the rectangle's left edge and clipped to it.
  if (Ext && PlainOutput && Cur.Orientation() == 0 &&
      (flags & (DT_SINGLELINE | DT_BOTTOM | DT_VCENTER | DT_RTLREADING | DT_CALCRECT | DT_NOCLIP)) ==
          (DT_SINGLELINE | DT_BOTTOM) &&
      Ext->cx <= r.right - r.left && text.find(L'\t') == String::npos &&
      ((flags & DT_NOPREFIX) || text.find(L'&') == String::npos)) {
    RECT clip = r;
    ExtTextOutW(Dc, r.left, r.bottom - Ext->cy, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()),
                nullptr);
    if (Record) RecordRun(clip, text, true, 0, r.left, r.bottom - Ext->cy);
    return;
  }
  if (Record) RecordRun(r, text, false, flags, 0, 0);
  DrawTextW(Dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

void THtmlRenderer::RecordRun(const RECT& r, const String& text, bool plain, UINT flags, int x, int y) {
  TRecording& rec = *Record;
  if (!plain && (flags & DT_NOCLIP)) {
    NotReplayable();  // may draw outside its rectangle
    return;
  }
  TTextOp op;
  if (Target.Selected != BaseFont) {
    const LOGFONTW& key = CurrentMetrics->Key;
    size_t i = 0;
    while (i < rec.Fonts.size() && std::memcmp(&rec.Fonts[i], &key, sizeof key) != 0) ++i;
    if (i == rec.Fonts.size()) rec.Fonts.push_back(key);
    op.Font = static_cast<int>(i);
  }
  op.Color = TextColor;
  op.Plain = plain;
  op.Flags = flags;
  op.Rect = r;
  op.X = x;
  op.Y = y;
  op.Start = rec.Text.size();
  op.Length = text.size();
  rec.Text += text;
  rec.Ops.push_back(op);
  rec.LastColor = TextColor;
}

TSize THtmlRenderer::MeasureRun(const String& text) {
  TSize sz;
  sz.cx = Extent(text, reinterpret_cast<int*>(&sz.cy));
  bool prefixes = !(DrawFlags & DT_NOPREFIX) && text.find(L'&') != String::npos;
  if (prefixes || text.find(L'\t') != String::npos) {
    // The width as drawn: mnemonic prefixes hidden, tabs expanded.
    RECT r{0, 0, 0, 0};
    DrawTextW(Measurer.Dc ? Measurer.Dc : Target.Dc, text.c_str(), static_cast<int>(text.size()), &r,
              (DrawFlags & (DT_NOPREFIX | DT_EXPANDTABS)) | DT_SINGLELINE | DT_CALCRECT);
    sz.cx = r.right - r.left;
  }
  return sz;
}

bool THtmlRenderer::Run() {
  if (!C) return false;
  TFont* canvasFont = C->Font();
  Dc = C->Handle();
  if (!Dc) return false;
  BaseName = canvasFont->Name();
  BaseHeight = canvasFont->Height();
  BaseSize = canvasFont->Size();
  BaseStyle = canvasFont->Style();
  BaseColor = canvasFont->Color();
  BaseOrientation = canvasFont->Orientation();
  BaseLog = canvasFont->MakeLogFont();
  // The canvas selects its font (as any text call of it would): that is the
  // font of plain text, and the one the DC gets back at the end.
  C->TextWidth(String());
  BaseFont = static_cast<HFONT>(GetCurrentObject(Dc, OBJ_FONT));
  LOGFONTW made{};
  BaseByDefault = GetObjectW(BaseFont, sizeof made, &made) == sizeof made && made.lfQuality == DEFAULT_QUALITY;
  Target.Dc = Dc;
  PlainOutput = GetTextAlign(Dc) == (TA_LEFT | TA_TOP | TA_NOUPDATECP);
  Target.Original = Target.Selected = BaseFont;
  Measurer.Dc = MeasuringDC(Dc);
  if (Measurer.Dc) Measurer.Original = Measurer.Selected = static_cast<HFONT>(GetCurrentObject(Measurer.Dc, OBJ_FONT));
  Cur.Ppi = canvasFont->PixelsPerInch();
  Cur.FName = BaseName;
  Cur.FHeight = BaseHeight;
  Cur.FStyle = BaseStyle;
  Cur.FColor = BaseColor;
  Cur.FOrientation = BaseOrientation;
  CallId = TFontCache::Instance().BeginCall();
  Smoothing = SystemFontQuality();
  StoreFont(Measure);
  Measure.SavedColor = BaseColor;
  Measure.KeptOrientation = BaseOrientation;
  Draw = Measure;
  BlinkColor = C->Brush()->Color();
  const TBrushStyle brushStyle = C->Brush()->Style();
  C->Brush()->SetStyle(TBrushStyle::bsClear);
  // The DCs get their fonts back and the canvas its brush and font colour
  // however the call ends (a picture may raise).
  struct TRestore {
    THtmlRenderer* R;
    TFont* Font;
    TBrushStyle BrushStyle;
    ~TRestore() {
      for (TSlot* slot : {&R->Target, &R->Measurer})
        if (slot->Dc && slot->Selected != slot->Original) SelectObject(slot->Dc, slot->Original);
      TFontCache::Instance().EndCall(R->CallId);
      Font->SetColor(R->Draw.SavedColor);
      R->C->Brush()->SetColor(R->BlinkColor);
      R->C->Brush()->SetStyle(BrushStyle);
      SetBkMode(R->Dc, TRANSPARENT);
    }
  } restore{this, canvasFont, brushStyle};

  Out.StrippedText.clear();
  Out.FocusAnchor.clear();
  Out.XSize = 0;
  Out.YSize = 0;
  Out.HyperLinks = 0;
  Out.MouseLink = -1;
  SetBkMode(C->Handle(), TRANSPARENT);

  DrawFlags = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | DT_EXTERNALLEADING;
  if (P.HTML.find(L" & ") != String::npos) DrawFlags |= DT_NOPREFIX;
  if (!P.WordWrap) DrawFlags |= DT_END_ELLIPSIS;
  DrawFlags = BiDiDrawFlags(DrawFlags, P.BiDiMode);
  RightToLeft = (DrawFlags & DT_RTLREADING) != 0;

  String M = P.HTML;
  if (M.find(L'&') != String::npos) M = ReplaceHtmlEntities(M);
  UnwrapFieldMarkers(M, M);
  StripLineBreaks(M, true, M);

  TRect lineRect = P.R;
  size_t pos = 0, end = M.size();
  String consumed;
  while (pos < end) {
    // 1. Line start: the measuring font, the default height, trimming.
    LoadFont(Measure);
    const int gh = TextHeightGh();
    TLine L;
    L.Height = gh;
    Sub = Sup = false;
    while (pos < end && M[pos] <= L' ') ++pos;
    while (end > pos && M[end - 1] <= L' ') --end;
    if (pos >= end) break;
    LineOffset = NewLineOffset;
    const int floatKindBefore = FloatKind;

    // 2. Measuring pass.
    L.Rect = lineRect;
    const size_t before = pos;
    S = &Measure;
    RenderLine(M, pos, end, L, true, false, &consumed);
    StoreFont(Measure);
    if (pos == before) {
      // Nothing fitted and nothing was taken: step over the item so that
      // the layout always moves on.
      size_t gt = M[pos] == L'<' ? M.find(L'>', pos) : pos;
      pos = gt == String::npos || gt >= end ? end : gt + 1;
    }
    // 3. Line spacing.
    L.Height += P.LineSpacing;

    // 4. The drawing rectangle: alignment and indent.
    TRect d = lineRect;
    if (Align == TParaAlign::Right) {
      if (d.right - L.Width > d.left) d.left = d.right - L.Width;
    } else if (Align == TParaAlign::Center) {
      if (d.right - d.left - L.Width > 0) d.left += (d.right - d.left - L.Width) / 2;
    }
    d.left += Indent;
    d.bottom = d.top + L.Height + L.SubSpace + L.SupSpace;

    // 5. Drawing pass over what the measuring pass took.
    if (!P.CheckHeight) {
      LoadFont(Draw);
      S = &Draw;
      TLine D = L;
      D.Rect = d;
      size_t cp = 0;
      RenderLine(consumed, cp, consumed.size(), D, P.CheckOnly, true, nullptr);
      StoreFont(Draw);
      L.Height = D.Height;
      L.SubSpace = D.SubSpace;
      L.SupSpace = D.SupSpace;
      L.Raise = D.Raise;
      const int textBottom = D.Rect.bottom;
      if ((D.TextHit && P.Y > textBottom - D.Raise - gh && P.Y < textBottom - D.Raise) || D.ImgHit) Hit = true;
    }

    // 6. Next line: below this one, or back where a floating paragraph began.
    if (FloatKind != 0 && FloatKind != floatKindBefore) {
      lineRect.left = FloatLeft;
      lineRect.top = FloatTop;
      FloatKind = 0;
    } else {
      const int h = L.Height + L.SubSpace + L.SupSpace;
      lineRect.top += h;
      Out.YSize += h;
    }
    if (!P.CheckHeight) {
      // Floating images narrow the lines until the next line starts below
      // the image's bottom edge.
      if ((FloatLeftMargin || FloatRightMargin) && lineRect.top >= FloatBottom) {
        FloatLeftMargin = FloatRightMargin = 0;
      }
      lineRect.left = P.R.left + FloatLeftMargin;
      lineRect.right = P.R.right - FloatRightMargin;
      // 7. Stop at the bottom of the area.
      if (lineRect.top + gh > P.R.bottom) break;
    }
    ++LineNo;
  }

  // 5. Totals and the canvas as it was found.
  if (Out.YSize == 0) {
    Cur.FName = BaseName;
    Cur.FHeight = BaseHeight;
    Cur.FStyle = BaseStyle;
    Cur.FOrientation = BaseOrientation;
    Out.YSize = TextHeightGh();
  }
  Out.HyperLinks = Measure.Anchors;
  return Hit;
}

void THtmlRenderer::RenderLine(const String& M, size_t& pos, size_t end, TLine& L, bool measuring, bool second,
                               String* consumed) {
  Measuring = measuring;
  Second = second;
  Eol = StopBefore = HasContent = LiSeen = false;
  TrailingBlank = 0;
  if (consumed) {
    consumed->clear();
    RunSizes.clear();
  }
  RunNext = 0;
  L.TextHit = L.ImgHit = false;
  L.Width = 0;
  L.Rect.bottom -= L.SubSpace;
  DefaultHeight = L.Height;
  L.Height = 0;
  Xl = L.Rect.left;
  Xr = L.Rect.right;
  if (!measuring) {
    Xl += LineOffset;
    if (FocusContinues) {
      FocusRect.left = L.Rect.left + 1;
      FocusContinues = false;
    }
    if (Band) DrawBand(L);
  }
  const wchar_t* s = M.data();
  while (pos < end && !Eol && !StopBefore) {
    // The next run: up to the next "<", or with word wrap up to and with the
    // first blank before it.
    size_t lt;
    if (consumed && LtText == &M && LtFrom <= pos && pos <= LtAt) {
      lt = LtAt;  // the markup being laid out does not change during the call
    } else {
      lt = M.find(L'<', pos);
      if (consumed) {
        LtText = &M;
        LtFrom = pos;
        LtAt = lt;
      }
    }
    if (lt == String::npos || lt > end) lt = end;
    size_t runEnd = lt;
    if (P.WordWrap) {
      const wchar_t* b = std::wmemchr(s + pos, L' ', lt - pos);
      if (b) runEnd = static_cast<size_t>(b - s) + 1;
    }
    if (runEnd > pos) {
      const size_t rawLen = runEnd - pos;
      const bool entities = std::wmemchr(s + pos, L'&', rawLen) != nullptr;
      String text = entities ? ReplaceRunEntities(s + pos, rawLen) : M.substr(pos, rawLen);
      if (Hidden) {
        if (!second) Out.StrippedText += text;
        pos = runEnd;  // consumed, not measured, not drawn
      } else {
        // The drawing pass takes the sizes the measuring pass found for the
        // same run in the same font.
        TSize ext;
        TFontMetrics* metrics = &UseFont();
        if (second && RunNext < RunSizes.size() && RunSizes[RunNext].Metrics == metrics &&
            RunSizes[RunNext].Length == rawLen) {
          ext = RunSizes[RunNext++].Size;
        } else {
          ext = MeasureRun(text);
        }
        const int w = ext.cx, h = ext.cy;
        if (L.Height == 0) L.Height = DefaultHeight;
        if (Sub && L.SubSpace < h / 4) L.SubSpace = h / 4;
        if (Sup && L.SupSpace < h / 4) L.SupSpace = h / 4;
        L.Height = Max(L.Height, h);
        if (measuring) {
          // Hit test for text: the run lies between the widths before and
          // after it; the line's rectangle bounds it below.
          const int rel = P.X - L.Rect.left;
          if (rel >= L.Width && rel <= L.Width + w && S->InAnchor) {
            L.TextHit = true;
            if (P.Y > L.Rect.top && P.Y < L.Rect.bottom) {
              Out.AnchorVal = S->Href;
              Out.FocusAnchor = S->Title;
              Marked = true;
              AnchorWritten = true;
            }
          }
        } else {
          DrawRun(text, L, w, h);
        }
        if (RightToLeft)
          Xr -= w;
        else
          Xl += w;
        L.Width += w;
        const int avail = L.Rect.Width() - LineOffset;
        // The second pass takes exactly what the first one took.
        const bool fits = second || L.Width < avail || w >= avail;
        if (fits || !P.WordWrap) {
          // The text of a run goes out once, with the line that takes it.
          if (!second) Out.StrippedText += text;
          if (consumed) {
            consumed->append(s + pos, rawLen);
            RunSizes.push_back({metrics, rawLen, ext});
          }
          TrailingBlank = EndsWithBlank(s + pos, rawLen) ? BlankWidth() : 0;
          HasContent = true;
          pos = runEnd;
        } else {
          Eol = true;
          L.Width -= w;
          if (RightToLeft)
            Xr += w;
          else
            Xl -= w;
        }
      }
    }
    if (pos < end && s[pos] == L'<') {
      if (end - pos <= 2) {
        pos = end;  // a "<" with at most one character after it ends the text
        break;
      }
      if (Eol) break;
      size_t gt = M.find(L'>', pos + 1);
      if (gt == String::npos || gt >= end) {
        pos = end;  // an unterminated tag ends the text
        break;
      }
      const size_t len = gt + 1 - pos;
      ApplyTag(s + pos, len, L);
      if (!StopBefore) {
        if (consumed) consumed->append(s + pos, len);
        pos = gt + 1;
      }
    }
  }
  L.Width -= TrailingBlank;
  // The widest line plus 2 (a later line one pixel wider than an earlier
  // one still counts).
  if (L.Width > 0 && Out.XSize < L.Width + 2) Out.XSize = L.Width + 2;
  if (!measuring && FocusOpen) EndLineInsideFocus(L);
}

void THtmlRenderer::DrawRun(const String& text, TLine& L, int w, int h) {
  const TSize ext(w, h);
  int bottom = L.Rect.bottom;
  if (Sup) bottom -= L.SupSpace;
  if (Sub) bottom += L.SubSpace;
  bottom -= L.Raise;
  const int left = RightToLeft ? Xr - w : Xl;
  if (!P.WordWrap && !RightToLeft && Xl >= L.Rect.right - LWidth()) return;
  TRect r = RightToLeft ? TRect(L.Rect.left, L.Rect.top, Xr, bottom) : TRect(Xl, L.Rect.top, L.Rect.right, bottom);
  if (F->Style().Contains(TFontStyle::fsItalic)) r.right += 2;
  if (Bg != clNone) {
    NotReplayable();
    C->Brush()->SetColor(Bg);
    C->FillRect(TRect(left, bottom - h, Min<int>(left + w, r.right), bottom));
    C->Brush()->SetStyle(TBrushStyle::bsClear);
  }
  if (S->Shadow) {
    TRect sr = r;
    sr.Offset(P.ShadowOffset, P.ShadowOffset);
    TextOut(sr, text, DrawFlags, P.ShadowColor, &ext);
  }
  TextOut(r, text, DrawFlags, F->Color(), &ext);
  if (ErrorMark) DrawZigzag(left, left + w, L.Rect.bottom);
}

void THtmlRenderer::DrawZigzag(int left, int right, int bottom) {
  NotReplayable();
  C->Pen()->SetColor(clRed);
  C->Pen()->SetWidth(1);
  int x = left - (((left % 2) + 2) % 2);  // rounded down to even
  bool low = (((x % 4) + 4) % 4) == 0;
  C->MoveTo(x, low ? bottom + 1 : bottom - 1);
  while (x < right) {
    x += 2;
    low = !low;
    C->LineTo(x, low ? bottom + 1 : bottom - 1);
  }
}

void THtmlRenderer::DrawBand(const TLine& L) {
  if (Bg == clNone) return;  // a gradient band leaves the background clear
  NotReplayable();
  C->Pen()->SetColor(Bg);
  C->Brush()->SetColor(Bg);
  C->Rectangle(P.R.left, L.Rect.top, P.R.right, L.Rect.bottom);
  C->Brush()->SetStyle(TBrushStyle::bsClear);
}

void THtmlRenderer::EndLineInsideFocus(TLine& L) {
  NotReplayable();
  FocusRect.right = RightToLeft ? Xr : Xl;
  FocusRect.bottom = L.Rect.bottom - L.Raise;
  TRect r = FocusRect;
  r.left -= 1;
  r.right += 1;
  C->DrawFocusRect(r);
  FocusRect.top = FocusRect.bottom;
  FocusContinues = true;
}

void THtmlRenderer::ApplyTag(const wchar_t* s, size_t len, TLine& L) {
  TTag t;
  t.Raw.assign(s + 1, len - 2);
  // Upper-cased letter by letter for ASCII; the platform's locale-aware
  // upper-casing only for other letters (face names, picture names).
  t.Upper = t.Raw;
  bool ascii = true;
  for (wchar_t& c : t.Upper) {
    if (c >= L'a' && c <= L'z')
      c = static_cast<wchar_t>(c - 32);
    else if (c >= 0x80)
      ascii = false;
  }
  if (!ascii) {
    String upper = AnsiUpperCase(t.Raw);
    if (upper.size() == t.Raw.size()) t.Upper = upper;
  }
  t.Closing = len >= 4 && t.Raw[0] == L'/';
  t.BodyStart = t.Closing ? 1 : 0;
  if (t.BodyStart >= t.Upper.size()) return;
  size_t blank = t.Upper.find(L' ', t.BodyStart);
  t.AttrStart = blank == String::npos ? t.Upper.size() : blank;
  if (t.Closing)
    CloseTag(t, L);
  else
    OpenTag(t, L);
}

void THtmlRenderer::OpenTag(const TTag& t, TLine& L) {
  const bool drawing = !Measuring;
  const wchar_t c1 = t.At(1);
  switch (t.At(0)) {
    case L'A':
      OpenAnchor(t, L);
      break;
    case L'B':
      if (t.BodyIs(L"B")) {
        F->SetStyle(F->Style() + TFontStyles{TFontStyle::fsBold});
      } else if (c1 == L'L') {
        if (!P.Blink) F->SetColor(BlinkColor);
      } else if (c1 == L'O') {
        BodyTag(t, L);
      } else if (c1 == L'R') {
        if (L.Height == 0) L.Height = Second ? DefaultHeight : TextHeightGh();
        if (!Second) Out.StrippedText += L'\r';
        Eol = true;
      }
      break;
    case L'E':
      if (drawing) ErrorMark = true;
      break;
    case L'F':
      FontTag(t);
      break;
    case L'H':
      if (c1 == L'I') {
        if (drawing) {
          HiColor = F->Color();
          HiStyle = F->Style();
          HiBg = Bg;
          Bg = P.SelectionColor;
          F->SetColor(P.SelectionFontColor);
          F->SetStyle(P.SelectionFontStyle);
        }
      } else if (c1 == L'R') {
        if (drawing) {
          NotReplayable();
          String v = t.Value(L"COLOR");
          C->Pen()->SetColor(v.empty() ? clBlack : ColorValue(v));
          C->Pen()->SetWidth(1);
          C->MoveTo(L.Rect.left, L.Rect.bottom);
          C->LineTo(L.Rect.right, L.Rect.bottom);
        }
        Eol = true;
      }
      break;
    case L'I':
      if (t.BodyIs(L"I")) {
        F->SetStyle(F->Style() + TFontStyles{TFontStyle::fsItalic});
      } else if (c1 == L'N') {
        bool whole = false;
        int n = t.NumberAfterLetter(L'X', whole);
        if (whole) {
          n = Clamp(n, -kMaxCoord, kMaxCoord);
          if (L.Width < n) {
            L.Width = n;
            Xl = L.Rect.left + n;
          }
        }
      } else if (c1 == L'M') {
        ImageTag(t, L);
      }
      break;
    case L'L':
      ListItem(t, L);
      break;
    case L'O':
      if (c1 == L'L') {
        S->ListLevel++;
        Ordered = true;
        ItemNumber = 1;
        if (HasContent) Eol = true;
      } else if (c1 == L'F') {
        bool whole = false;
        int n = Clamp(t.NumberAfterLetter(L'X', whole), -kMaxCoord, kMaxCoord);
        NewLineOffset = n;
        L.Width = n;
        Xl = L.Rect.left + n;
      }
      break;
    case L'P':
      ParagraphTag(t, L);
      break;
    case L'R': {
      bool whole = false;
      int deg = t.NumberAfterLetter(L'A', whole) % 360;
      // The unrotated setting is set aside until the closing tag.
      S->KeptOrientation = F->Orientation();
      F->SetOrientation(deg * 10);
      break;
    }
    case L'S':
      if (t.BodyIs(L"S")) {
        F->SetStyle(F->Style() + TFontStyles{TFontStyle::fsStrikeOut});
      } else if (c1 == L'T') {
        F->SetStyle(F->Style() + TFontStyles{t.At(3) == L'O' ? TFontStyle::fsBold : TFontStyle::fsStrikeOut});
      } else if (c1 == L'H') {
        S->Shadow = true;
      } else if (c1 == L'P') {
        String v = t.Value(L"STYLE");
        if (v.find(L"BACKGROUND-COLOR:") != String::npos) {
          String rest = v.size() > 17 ? v.substr(17) : String();
          if (!rest.empty() && rest[0] == L'#') {
            FontSlotBg = Bg;
            Bg = ColorFromHex(rest);
          }
        }
      } else if (t.BodyIs(L"SUB")) {
        Sub = true;
      } else if (t.BodyIs(L"SUP")) {
        Sup = true;
      }
      break;
    case L'U':
      if (t.BodyIs(L"U")) {
        F->SetStyle(F->Style() + TFontStyles{TFontStyle::fsUnderline});
      } else {
        S->ListLevel++;
        Ordered = false;
        if (HasContent) Eol = true;
      }
      break;
    case L'Z':
      Hidden = true;
      break;
    default:
      break;
  }
}

void THtmlRenderer::CloseTag(const TTag& t, TLine& L) {
  const bool drawing = !Measuring;
  const wchar_t c1 = t.At(1);
  switch (t.At(0)) {
    case L'A':
      CloseAnchor(L);
      break;
    case L'B':
      if (t.BodyIs(L"B"))
        F->SetStyle(F->Style() - TFontStyles{TFontStyle::fsBold});
      else
        F->SetColor(S->SavedColor);  // BLINK and BODY
      break;
    case L'E':
      if (drawing) ErrorMark = false;
      break;
    case L'F':
      F->SetName(BaseName);
      F->SetHeight(BaseHeight);
      if (!Measuring && !P.IgnoreColors) {
        F->SetColor(S->SavedColor);
        Bg = FontSlotBg;
      }
      break;
    case L'H':
      if (c1 == L'I' && drawing) {
        F->SetColor(HiColor);
        F->SetStyle(HiStyle);
        Bg = HiBg;
      }
      break;
    case L'I':
      F->SetStyle(F->Style() - TFontStyles{TFontStyle::fsItalic});
      break;
    case L'L':
      Eol = true;
      break;
    case L'O':
      if (S->ListLevel > 0 && !t.BodyIs(L"O")) {
        S->ListLevel--;
        if (drawing) Ordered = false;
      } else {
        NewLineOffset = 0;
      }
      break;
    case L'P':
      Eol = true;
      if (drawing) Band = false;
      if (!Measuring && !P.IgnoreColors) Bg = PSlotBg;
      break;
    case L'R':
      F->SetOrientation(S->KeptOrientation);
      break;
    case L'S':
      if (c1 == L'T') {
        F->SetStyle(F->Style() - TFontStyles{t.At(3) == L'O' ? TFontStyle::fsBold : TFontStyle::fsStrikeOut});
      } else if (c1 == L'H') {
        S->Shadow = false;
      } else if (c1 == L'P') {
        Bg = FontSlotBg;
      } else if (c1 == L'U') {
        Sub = Sup = false;
      } else {
        F->SetStyle(F->Style() - TFontStyles{TFontStyle::fsStrikeOut});
      }
      break;
    case L'U':
      if (S->ListLevel == 0 || t.BodyIs(L"U"))
        F->SetStyle(F->Style() - TFontStyles{TFontStyle::fsUnderline});
      else
        S->ListLevel--;
      break;
    case L'Z':
      Hidden = false;
      break;
    default:
      break;
  }
}

void THtmlRenderer::OpenAnchor(const TTag& t, TLine& L) {
  const bool drawing = !Measuring;
  S->InAnchorText = true;
  S->SavedColor = F->Color();
  const bool focused = drawing && S->Anchors == P.FocusLink;
  if (focused) {
    FocusOpen = true;
    FocusRect.left = RightToLeft ? Xr : Xl;
    FocusRect.top = L.Rect.top;
  }
  S->Anchors++;
  const bool hovered = S->Anchors == P.HoverLink;
  S->ColorBeforeHover = F->Color();
  if (drawing && (!P.Hover || hovered)) {
    F->SetStyle(F->Style() + TFontStyles{TFontStyle::fsUnderline});
    if (P.HoverColor != clNone) {
      HoverSlotBg = Bg;
      Bg = P.HoverColor;
    }
    if (P.HoverFontColor != clNone) F->SetColor(P.HoverFontColor);
  }
  if (!P.IgnoreColors && (P.HoverFontColor == clNone || !hovered || !P.Hover)) F->SetColor(P.URLColor);
  S->InAnchor = t.Has(L"HREF");
  S->Href = S->InAnchor ? t.Value(L"HREF", true) : String();
  S->Title = t.Value(L"TITLE", true);
  if (focused) Out.FocusAnchor = S->Href;
  if (Measuring) {
    AnchorStartWidth = L.Width;
    AnchorStartTop = L.Rect.top;
    AnchorStartLine = LineNo;
  }
}

void THtmlRenderer::CloseAnchor(TLine& L) {
  const bool drawing = !Measuring;
  S->InAnchorText = false;
  if (drawing && (!P.Hover || S->Anchors == P.HoverLink)) {
    F->SetStyle(F->Style() - TFontStyles{TFontStyle::fsUnderline});
    if (P.HoverColor != clNone) Bg = HoverSlotBg;
    if (P.HoverFontColor != clNone) F->SetColor(S->ColorBeforeHover);
  }
  if (!P.IgnoreColors) F->SetColor(S->SavedColor);
  if (drawing && FocusOpen) {
    NotReplayable();
    FocusRect.right = RightToLeft ? Xr : Xl;
    FocusRect.bottom = L.Rect.bottom - L.Raise;
    FocusRect.top = FocusRect.bottom - TextHeightGh();
    TRect r = FocusRect;
    r.left -= 1;
    r.right += 1;
    C->DrawFocusRect(r);
    FocusOpen = false;
  }
  if (Measuring && Marked) {
    const bool sameLine = AnchorStartLine == LineNo;
    Out.HoverRect = TRect(L.Rect.left + (sameLine ? AnchorStartWidth : 0), sameLine ? AnchorStartTop : L.Rect.top,
                          L.Rect.left + L.Width, L.Rect.bottom);
    Out.MouseLink = S->Anchors;
    Marked = false;
    HoverRectWritten = true;
  }
  S->InAnchor = false;
}

void THtmlRenderer::FontTag(const TTag& t) {
  const bool drawing = !Measuring;
  FontSlotBg = Bg;
  if (t.Has(L"FACE")) {
    String face = t.Value(L"FACE");
    if (!face.empty()) F->SetName(face);
  }
  if (t.Has(L" COLOR") && !P.IgnoreColors && drawing) {
    if (!S->InAnchorText) S->SavedColor = F->Color();
    String v = t.Value(L" COLOR");
    if (!v.empty()) F->SetColor(ColorValue(v));
  }
  if (t.Has(L"BGCOLOR") && !P.IgnoreColors && drawing) {
    String v = t.Value(L"BGCOLOR");
    if (!v.empty()) Bg = ColorValue(v);
  }
  if (t.Has(L"STYLE")) {
    String v = t.Value(L"STYLE");
    size_t pt = v.find(L"PT");
    if (v.find(L"FONT-SIZE:") != String::npos && pt != String::npos && v.size() > 10) {
      String rest = v.substr(10);
      size_t e = rest.find(L"PT");
      int size = StrToIntLoose(Trim(rest.substr(0, e)));
      if (size > 0) F->SetSize(Clamp(size, 1, kMaxFontSize));
    }
  } else if (t.Has(L"SIZE")) {
    int n = t.LooseNumberAfter(L"SIZE");
    static const int kSteps[] = {1, 2, 4, 6, 8};
    int size = n >= 1 && n <= 5 ? BaseSize + kSteps[n - 1] : n;
    F->SetSize(Clamp(size, -kMaxFontSize, kMaxFontSize));
  }
}

void THtmlRenderer::ParagraphTag(const TTag& t, TLine& L) {
  const bool drawing = !Measuring;
  if (t.Has(L"ALIGN")) {
    String v = t.Value(L"ALIGN");
    if (v.find(L"RIGHT") != String::npos) Align = TParaAlign::Right;
    if (v.find(L"LEFT") != String::npos) Align = TParaAlign::Left;
    if (v.find(L"CENTER") != String::npos) Align = TParaAlign::Center;
  }
  if (t.Has(L"INDENT")) Indent = Clamp(StrToIntLoose(t.Value(L"INDENT")), -kMaxCoord, kMaxCoord);
  if (t.Has(L"FLOAT")) {
    String v = t.Value(L"FLOAT");
    int kind = v == L"LEFT" ? 1 : (v == L"RIGHT" ? 2 : 0);
    if (kind) {
      FloatKind = kind;
      FloatLeft = L.Rect.left;
      FloatTop = L.Rect.top;
    }
  }
  if (t.Has(L"BGCOLOR") && !P.IgnoreColors && drawing) {
    NotReplayable();
    Band = true;
    PSlotBg = Bg;
    TColor from = ColorValue(t.Value(L"BGCOLOR"));
    TRect band(P.R.left, L.Rect.top, P.R.right, L.Rect.bottom + L.SubSpace);
    if (t.Has(L"BGCOLORTO")) {
      band.bottom += 2;
      DrawSteppedGradient(C, from, ColorValue(t.Value(L"BGCOLORTO")), true, band, 64);
      Bg = clNone;
    } else {
      Bg = from;
      C->Brush()->SetColor(Bg);
      C->FillRect(band);
    }
    C->Brush()->SetStyle(TBrushStyle::bsClear);
  }
}

void THtmlRenderer::BodyTag(const TTag& t, TLine& L) {
  if (Measuring || P.IgnoreColors) return;
  NotReplayable();
  if (t.Has(L"BGCOLOR")) {
    TColor from = ColorValue(t.Value(L"BGCOLOR"));
    if (t.Has(L"BGCOLORTO")) {
      String dir = t.Value(L"DIR");
      bool horizontal = !t.Has(L"DIR") || dir == L"H";
      DrawSteppedGradient(C, from, ColorValue(t.Value(L"BGCOLORTO")), horizontal, P.R, 64);
      Bg = clNone;
    } else {
      FontSlotBg = Bg;
      Bg = from;
      C->Brush()->SetColor(Bg);
      C->FillRect(TRect(P.R.left - 2, P.R.top, P.R.right, P.R.bottom));
    }
    C->Brush()->SetStyle(TBrushStyle::bsClear);
  }
  // Pictures go over the colour.
  if (t.Has(L"BACKGROUND")) BodyImage(t.Value(L"BACKGROUND"), false, L);
  if (t.Has(L"BGTOPLEFT")) BodyImage(t.Value(L"BGTOPLEFT"), false, L);
  if (t.Has(L"BGTOPRIGHT")) BodyImage(t.Value(L"BGTOPRIGHT"), true, L);
}

void THtmlRenderer::ListItem(const TTag& t, TLine& L) {
  if (LiSeen) {
    StopBefore = true;  // a second item starts a new line
    return;
  }
  LiSeen = true;
  const int level = S->ListLevel;
  L.Width += 12 * level;
  if (Measuring) {
    Xl += 12 * level;
    return;
  }
  Xl += 12 * Max(level - 1, 0);
  NotReplayable();
  const bool hasType = t.Has(L"TYPE");
  const String type = t.Value(L"TYPE");
  const bool hasColor = t.Has(L"COLOR");
  const TColor color = hasColor ? ColorValue(t.Value(L"COLOR")) : F->Color();
  int advance = 12;
  if (hasType) {
    if (!Hidden && (type == L"SQUARE" || type == L"CIRCLE")) {
      C->Pen()->SetColor(color);
      C->Brush()->SetColor(color);
      const int top = L.Rect.top + 2;
      if (type == L"SQUARE")
        C->Rectangle(Xl, top, Xl + 8, top + 8);
      else
        C->Ellipse(Xl, top, Xl + 8, top + 8);
      C->Brush()->SetStyle(TBrushStyle::bsClear);
    }
  } else {
    String bullet;
    if (Ordered)
      bullet = IntToStr(ItemNumber) + L". ";
    else
      bullet = level % 2 == 1 ? String(L"\u00B7") : String(L"o");
    const String name = F->Name();
    const TColor old = F->Color();
    F->SetName(L"Symbol");
    F->SetColor(color);
    if (Ordered) advance = Extent(bullet);
    if (!Hidden) TextOut(TRect(Xl, L.Rect.top, L.Rect.right, L.Rect.bottom), bullet,
                         DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX, color);
    F->SetName(name);
    F->SetColor(old);
    if (Ordered) ItemNumber++;
  }
  Xl += advance;
}

THtmlRenderer::TImageSource THtmlRenderer::ResolveSource(const String& src) {
  TImageSource r;
  const String upper = AnsiUpperCase(src);
  if (upper.rfind(L"IDX:", 0) == 0) {
    const int n = StrToIntLoose(src.substr(4));
    if (P.Images && n >= 0 && n < P.Images->Count()) {
      r.Kind = TImageSource::List;
      r.Index = n;
    }
  } else if (upper.rfind(L"SSYS:", 0) == 0 || upper.rfind(L"LSYS:", 0) == 0) {
    r.Kind = TImageSource::System;
    r.Large = upper[0] == L'L';
    r.Name = src.substr(5);
  } else if (src.find(L"://") != String::npos) {
    if (P.PictureCache) {
      THTMLPicture* pic = P.PictureCache->FindPicture(src);
      if (!pic) {
        // Loaded here and now: an HTML picture never loads on a thread.
        pic = P.PictureCache->AddPicture();
        pic->SetAsynch(false);
        pic->LoadFromURL(src);
        pic = P.PictureCache->FindPicture(src);
      }
      if (pic && !pic->Empty()) {
        r.Kind = TImageSource::Picture;
        r.Pic = pic;
      }
    }
  } else if (src.find(L':') == String::npos) {
    if (P.PictureContainer) {
      THTMLPicture* pic = P.PictureContainer->FindPicture(src);
      if (pic && !pic->Empty()) {
        r.Kind = TImageSource::Picture;
        r.Pic = pic;
      }
    }
  }
  return r;
}

TSize THtmlRenderer::IconSize(const TImageSource& src) {
  TSize size;
  if (src.Kind == TImageSource::List) {
    size = TSize(P.Images->Width(), P.Images->Height());
  } else if (src.Kind == TImageSource::System) {
    DrawSystemIcon(C, 0, 0, size, P.ResFactor, P.Print, false, src.Large, src.Name);
  }
  return size;
}

void THtmlRenderer::DrawIcon(const TImageSource& src, int x, int y) {
  if (src.Kind == TImageSource::List) {
    if (P.Print) {
      TBitmap bmp;
      if (P.Images->GetBitmap(src.Index, &bmp)) {
        const int w = static_cast<int>(Round(P.Images->Width() * P.ResFactor));
        const int h = static_cast<int>(Round(P.Images->Height() * P.ResFactor));
        StretchBitmapToRect(C, TRect(x, y, x + w, y + h), &bmp);
      }
    } else {
      P.Images->Draw(C, x, y, src.Index);
    }
  } else if (src.Kind == TImageSource::System) {
    TSize size;
    DrawSystemIcon(C, x, y, size, P.ResFactor, P.Print, true, src.Large, src.Name);
  }
}

void THtmlRenderer::ImageTag(const TTag& t, TLine& L) {
  const int refH = TextHeightGh();
  const TImageSource src = ResolveSource(t.Value(L"SRC", true));
  if (src.Kind == TImageSource::None) return;  // nothing to show
  HDC dc = C->Handle();
  const int ppiX = GetDeviceCaps(dc, LOGPIXELSX), ppiY = GetDeviceCaps(dc, LOGPIXELSY);
  const bool hasW = t.Has(L"WIDTH"), hasH = t.Has(L"HEIGHT");
  const int wantW = Clamp(StrToIntLoose(t.Value(L"WIDTH")), 0, kMaxImage);
  const int wantH = Clamp(StrToIntLoose(t.Value(L"HEIGHT")), 0, kMaxImage);
  const String align = t.Value(L"ALIGN");
  const String floating = t.Value(L"FLOAT");
  auto* html = dynamic_cast<THTMLPicture*>(src.Pic);

  // 1. Layout size, display size, and the image's own height for the drop.
  int lw = 0, lh = 0, dispW = 0, dispH = 0, ownH = 0;
  bool drop = false;
  if (src.Pic) {
    const int pw = src.Pic->Width(), ph = src.Pic->Height();
    dispW = pw;
    dispH = ph;
    if (hasW && hasH) {
      dispW = wantW;
      dispH = wantH;
    } else if (hasW) {
      dispW = wantW;
      dispH = pw > 0 ? static_cast<int>(Round(static_cast<double>(ph) * wantW / pw)) : ph;
    } else if (hasH) {
      dispH = wantH;
      dispW = ph > 0 ? static_cast<int>(Round(static_cast<double>(pw) * wantH / ph)) : pw;
    }
    if (hasW || hasH) {
      lw = MulDiv(dispW, ppiX, 96);
      lh = MulDiv(dispH, ppiY, 96);
    } else {
      lw = html ? html->MaxWidth() : pw;
      lh = html ? html->MaxHeight() : ph;
      drop = true;
      ownH = ph;
    }
  } else {
    const TSize size = IconSize(src);
    lw = MulDiv(size.cx, ppiX, 96);
    lh = MulDiv(size.cy, ppiY, 96);
    dispW = lw;
    dispH = lh;
    if (src.Kind == TImageSource::List) {
      drop = true;
      ownH = P.Images->Height();
    }
  }

  // 2. Position.
  int x = RightToLeft ? Xr - lw : Xl;
  if (floating == L"LEFT")
    x = P.R.left;
  else if (floating == L"RIGHT" && src.Pic)
    x = L.Rect.right - dispW;
  int y = L.Rect.top;
  if (drop && ownH < refH && align != L"TOP") y += align == L"MIDDLE" ? (refH - ownH) / 2 : refH - ownH;

  // 3. Drawing.
  if (!Measuring) {
    NotReplayable();
    if (!src.Pic) {
      DrawIcon(src, x, y);
    } else if (hasW || hasH) {
      if (html) html->SetStretch(true);
      C->StretchDraw(TRect(x, y, x + dispW, y + dispH), src.Pic);
    } else if (html && html->FrameCount() > 1) {
      C->Pen()->SetColor(BlinkColor);
      C->Brush()->SetColor(BlinkColor);
      C->FillRect(TRect(x, y, x + html->MaxWidth(), y + html->MaxHeight()));
      C->Brush()->SetStyle(TBrushStyle::bsClear);
      C->Draw(x + html->FrameXPos(), y + html->FrameYPos(), src.Pic);
    } else {
      C->Draw(x, y, src.Pic);
    }
  }

  // 4. Hit test.
  const int rel = P.X - L.Rect.left;
  if (rel > L.Width && rel < L.Width + lw && P.Y > L.Rect.top && P.Y < L.Rect.top + lh && S->InAnchor) {
    L.ImgHit = true;
    Out.AnchorVal = S->Href;
    AnchorWritten = true;
    if (!S->Title.empty()) Out.FocusAnchor = S->Title;
  }

  // 5. Fit: an image that does not fit a line with content waits for the
  // next line; the second pass takes what the first one took.
  if (!Second && L.Rect.Width() < L.Width + lw && lw < L.Rect.Width()) {
    StopBefore = true;
    return;
  }
  L.Width += lw + 2;
  if (RightToLeft)
    Xr -= lw + 2;
  else
    Xl += lw + 2;
  L.Height = Max(L.Height, lh);
  TrailingBlank = 0;
  HasContent = true;

  // 6. Text raise for the alignment.
  if (t.Has(L"ALIGN")) {
    if (t.Upper.find(L"\"TOP", t.AttrStart) != String::npos)
      L.Raise = Max(L.Height - refH, 0);
    else if (t.Upper.find(L"\"MIDDLE", t.AttrStart) != String::npos)
      L.Raise = Max((L.Height - refH) / 2, 0);
  }
  if (t.Has(L"WRAP")) {
    L.Height = refH;
    L.Raise = 0;
  }

  // 7. Floating images: the following lines run beside them.
  if (floating == L"LEFT") {
    L.Raise = L.Height - refH;
    FloatLeftMargin = dispW + 2;
    FloatBottom = y + dispH;
    if (!Measuring) L.Height = refH;
  } else if (floating == L"RIGHT") {
    L.Raise = Max(L.Height - refH, 0);
    FloatRightMargin = dispW + 2;
    FloatBottom = y + dispH;
    if (!Measuring) L.Height = refH;
    L.Width = Max<int>(L.Width, L.Rect.Width());  // the line ends here
  }
}

void THtmlRenderer::BodyImage(const String& value, bool right, TLine& L) {
  const TImageSource src = ResolveSource(value);
  if (src.Kind == TImageSource::None) return;
  NotReplayable();
  if (!src.Pic) {
    const TSize size = IconSize(src);
    DrawIcon(src, right ? L.Rect.right - size.cx : Xl, L.Rect.top);
    return;
  }
  const int pw = src.Pic->Width(), ph = src.Pic->Height();
  if (pw <= 0 || ph <= 0) return;
  // Drawn clipped to the rectangle; the old clipping comes back after.
  HDC dc = C->Handle();
  HRGN saved = CreateRectRgn(0, 0, 0, 0);
  const bool hadClip = GetClipRgn(dc, saved) == 1;
  IntersectClipRect(dc, P.R.left, P.R.top, P.R.right, P.R.bottom);
  std::vector<TRect> tiles;
  if (right) {
    for (int y = P.R.top; y < P.R.bottom && tiles.size() < kMaxTiles; y += ph)
      tiles.push_back(TRect(P.R.right - pw, y, P.R.right, y + ph));
  } else {
    for (int y = P.R.top; y < P.R.bottom && tiles.size() < kMaxTiles; y += ph)
      for (int x = P.R.left; x < P.R.right && tiles.size() < kMaxTiles; x += pw) tiles.push_back(TRect(x, y, x + pw, y + ph));
  }
  // The picture is decoded once for all its tiles.
  if (auto* html = dynamic_cast<THTMLPicture*>(src.Pic))
    html->DrawTiles(C, tiles.data(), tiles.size());
  else
    for (const TRect& t : tiles) C->Draw(t.left, t.top, src.Pic);
  SelectClipRgn(dc, hadClip ? saved : nullptr);
  DeleteObject(saved);
}

// True when every tag of the markup only changes how text looks: its
// layout then draws nothing and depends on nothing but the text, the font
// and the parameters.
bool OnlyTextTags(const String& M) {
  static const wchar_t* const kTags[] = {L"B", L"I", L"U", L"S", L"A", L"BR", L"FONT", L"SUB", L"SUP", L"SHAD"};
  const wchar_t* s = M.data();
  const size_t n = M.size();
  for (size_t i = 0; i < n; ++i) {
    if (s[i] != L'<') continue;
    size_t j = i + 1;
    if (j < n && s[j] == L'/') ++j;
    size_t k = j;
    while (k < n && k - j < 8 && ((s[k] >= L'A' && s[k] <= L'Z') || (s[k] >= L'a' && s[k] <= L'z'))) ++k;
    if (k >= n || (s[k] != L'>' && s[k] != L' ' && s[k] != L'/')) return false;
    bool known = false;
    for (const wchar_t* t : kTags) {
      const size_t len = std::wcslen(t);
      if (len != k - j) continue;
      known = true;
      for (size_t c = 0; c < len && known; ++c) known = std::towupper(s[j + c]) == t[c];
      if (known) break;
    }
    if (!known) return false;
  }
  return true;
}

// Everything a layout depends on besides the canvas itself. Measuring
// calls leave the drawing values at their defaults.
struct TLayoutKey {
  size_t Hash;  // of the markup, compared first
  String HTML;
  LOGFONTW Font;
  int Ppi;
  TRect R;
  int X, Y, FocusLink, HoverLink, LineSpacing, ShadowOffset;
  double ResFactor;
  TBiDiMode BiDiMode;
  bool CheckOnly, CheckHeight, Print, IgnoreColors, Blink, Hover, WordWrap, PlainAlign;
  TCustomImageList* Images;
  THTMLPictureCache* PictureCache;
  TPictureContainer* PictureContainer;
  TColor FontColor, BrushColor, URLColor, HoverColor, HoverFontColor, ShadowColor, SelectionColor,
      SelectionFontColor;
  TFontStyles SelectionFontStyle;

  bool operator==(const TLayoutKey& o) const {
    return Hash == o.Hash && std::memcmp(&Font, &o.Font, sizeof Font) == 0 && Ppi == o.Ppi &&
           EqualRect(&R, &o.R) && X == o.X && Y == o.Y && FocusLink == o.FocusLink && HoverLink == o.HoverLink && LineSpacing == o.LineSpacing &&
           ShadowOffset == o.ShadowOffset && ResFactor == o.ResFactor && BiDiMode == o.BiDiMode &&
           CheckOnly == o.CheckOnly && CheckHeight == o.CheckHeight && Print == o.Print &&
           IgnoreColors == o.IgnoreColors && Blink == o.Blink && Hover == o.Hover && WordWrap == o.WordWrap &&
           PlainAlign == o.PlainAlign && Images == o.Images && PictureCache == o.PictureCache &&
           PictureContainer == o.PictureContainer && FontColor == o.FontColor && BrushColor == o.BrushColor &&
           URLColor == o.URLColor && HoverColor == o.HoverColor && HoverFontColor == o.HoverFontColor &&
           ShadowColor == o.ShadowColor && SelectionColor == o.SelectionColor &&
           SelectionFontColor == o.SelectionFontColor && SelectionFontStyle == o.SelectionFontStyle &&
           HTML == o.HTML;
  }
};

TLayoutKey LayoutKey(const THtmlRenderParams& P) {
  TCanvas* c = P.Canvas;
  TFont* font = c->Font();
  TLayoutKey k{std::hash<String>{}(P.HTML),
               P.HTML,
               font->MakeLogFont(),
               font->PixelsPerInch(),
               P.R,
               P.X, P.Y, P.FocusLink, P.HoverLink, P.LineSpacing, 0,
               P.ResFactor,
               P.BiDiMode,
               P.CheckOnly, P.CheckHeight, P.Print, P.IgnoreColors, P.Blink, P.Hover, P.WordWrap, false,
               P.Images,
               P.PictureCache,
               P.PictureContainer,
               clNone, clNone, clNone, clNone, clNone, clNone, clNone, clNone,
               TFontStyles{}};
  if (!P.CheckHeight) {
    k.ShadowOffset = P.ShadowOffset;
    k.PlainAlign = GetTextAlign(c->Handle()) == (TA_LEFT | TA_TOP | TA_NOUPDATECP);
    k.FontColor = font->Color();
    k.BrushColor = c->Brush()->Color();
    k.URLColor = P.URLColor;
    k.HoverColor = P.HoverColor;
    k.HoverFontColor = P.HoverFontColor;
    k.ShadowColor = P.ShadowColor;
    k.SelectionColor = P.SelectionColor;
    k.SelectionFontColor = P.SelectionFontColor;
    k.SelectionFontStyle = P.SelectionFontStyle;
  }
  return k;
}

constexpr size_t kMaxArranged = 4096;

// The order to put recorded runs out in: runs of one font together, so
// that fewer fonts are selected into the canvas, but never a run before an
// earlier one whose rectangle meets its own (where they overlap, the later
// one is drawn over the earlier). A run never draws outside its rectangle:
// runs are clipped to it, and those drawn as DrawTextW draws are cut at it.
// The runs of a line reach to the line's end and keep their order; lines
// below each other are free: the first runs of all lines go out in one
// font, then the second ones, and so on.
void Arrange(TRecording& rec) {
  const size_t n = std::min(rec.Ops.size(), kMaxArranged + 1);
  rec.Order.clear();
  rec.Order.reserve(n);
  if (n > kMaxArranged) {
    // The work grows with the square of the runs on a line: a huge text
    // keeps its order.
    for (size_t i = 0; i < rec.Ops.size(); ++i) rec.Order.push_back(static_cast<uint32_t>(i));
    return;
  }
  // For each run, the earlier runs whose boxes meet its box. Runs come
  // line by line: only those below the highest bottom seen so far need a
  // look.
  std::vector<LONG> maxBottom(n + 1, LONG_MIN);
  for (size_t i = 0; i < n; ++i) maxBottom[i + 1] = std::max(maxBottom[i], rec.Ops[i].Rect.bottom);
  std::vector<uint32_t> waits(n, 0);  // earlier overlapping runs not yet put out
  std::vector<std::vector<uint32_t>> after(n);
  for (size_t i = 0; i < n; ++i) {
    const RECT& b = rec.Ops[i].Rect;
    // maxBottom rises with the index: the earlier runs that may reach
    // below b.top start at the first index where it passes b.top.
    size_t j = std::upper_bound(maxBottom.begin() + 1, maxBottom.begin() + 1 + i, b.top) - (maxBottom.begin() + 1);
    for (; j < i; ++j) {
      const RECT& o = rec.Ops[j].Rect;
      if (o.left < b.right && b.left < o.right && o.top < b.bottom && b.top < o.bottom) {
        ++waits[i];
        after[j].push_back(static_cast<uint32_t>(i));
      }
    }
  }
  // Font by font in the order of first use, each pass putting out every
  // run of the font that waits for nothing more, until all are out.
  std::vector<bool> done(n, false);
  std::vector<uint32_t> ready;
  size_t left = n;
  while (left > 0) {
    const size_t before = left;
    for (size_t f = 0; f < n && left > 0; ++f) {
      if (done[f] || waits[f] != 0) continue;
      const int font = rec.Ops[f].Font;
      for (size_t i = f; i < n; ++i) {
        if (done[i] || waits[i] != 0 || rec.Ops[i].Font != font) continue;
        done[i] = true;
        --left;
        rec.Order.push_back(static_cast<uint32_t>(i));
        for (uint32_t k : after[i]) --waits[k];
      }
    }
    if (left == before) break;  // cannot happen: the first run left waits for nothing
  }
}

// Puts out a recorded call again on the canvas and leaves the canvas as
// the call left it.
void Replay(const TRecording& rec, TCanvas* C) {
  HDC dc = C->Handle();
  C->TextWidth(String());  // the canvas selects its font, as a layout does
  const HFONT base = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  SetBkMode(dc, TRANSPARENT);
  TFontCache& cache = TFontCache::Instance();
  const uint64_t call = cache.BeginCall();
  const BYTE smoothing = SystemFontQuality();
  HFONT fonts[64] = {};
  std::vector<HFONT> more;
  if (rec.Fonts.size() > 64) more.resize(rec.Fonts.size() - 64, nullptr);
  HFONT selected = base;
  COLORREF color = CLR_INVALID;
  const wchar_t* text = rec.Text.data();
  for (uint32_t i : rec.Order) {
    const TTextOp& op = rec.Ops[i];
    HFONT font = base;
    if (op.Font >= 0) {
      HFONT& slot = op.Font < 64 ? fonts[op.Font] : more[op.Font - 64];
      if (!slot) {
        LOGFONTW lf = rec.Fonts[op.Font];
        if (lf.lfQuality == DEFAULT_QUALITY) lf.lfQuality = smoothing;
        slot = cache.Get(lf, call);
        if (!slot) slot = base;
      }
      font = slot;
    }
    if (font != selected) {
      SelectObject(dc, font);
      selected = font;
    }
    if (op.Color != color) {
      SetTextColor(dc, op.Color);
      color = op.Color;
    }
    if (op.Plain) {
      ExtTextOutW(dc, op.X, op.Y, ETO_CLIPPED, &op.Rect, text + op.Start, static_cast<UINT>(op.Length), nullptr);
    } else {
      RECT r = op.Rect;
      DrawTextW(dc, text + op.Start, static_cast<int>(op.Length), &r, op.Flags);
    }
  }
  if (selected != base) SelectObject(dc, base);
  if (rec.LastColor != CLR_INVALID && rec.LastColor != color) SetTextColor(dc, rec.LastColor);
  cache.EndCall(call);
  C->Font()->SetColor(rec.SavedColor);
  SetBkMode(dc, TRANSPARENT);
}

}  // namespace

struct THtmlLayoutCache::TStore {
  struct TEntry {
    TLayoutKey Key;
    THtmlRenderResult Result;
    bool Hit = false;
    bool AnchorWritten = false, HoverRectWritten = false;
    TRecording Runs;  // drawing calls: what was put out
    size_t Chars() const { return Key.HTML.size() + Runs.Text.size(); }
  };
  explicit TStore(size_t Capacity) : Capacity(Capacity) {}
  const size_t Capacity;
  std::list<TEntry> Entries;  // most recently used first
  size_t Chars = 0;
  size_t Hits = 0;

  void Trim() {
    while (!Entries.empty() && (Entries.size() > Capacity || Chars > MaxChars)) {
      Chars -= Entries.back().Chars();
      Entries.pop_back();
    }
  }

  bool Render(const THtmlRenderParams& P, THtmlRenderResult& Out) {
    TCanvas* c = P.Canvas;
    HDC dc = c ? c->Handle() : nullptr;
    const bool drawing = !P.CheckHeight;
    // Only text measured as the screen measures it, with fonts of its own;
    // hit tests without drawing move with the mouse and are not kept.
    if (!dc || (drawing && P.CheckOnly) || P.HTML.size() > MaxChars || !MeasuringDC(dc) || !OnlyTextTags(P.HTML)) {
      THtmlRenderer r(P, Out);
      return r.Run();
    }
    TLayoutKey key = LayoutKey(P);
    for (auto it = Entries.begin(); it != Entries.end(); ++it) {
      if (!(it->Key == key)) continue;
      Entries.splice(Entries.begin(), Entries, it);
      const TEntry& e = Entries.front();
      Out.StrippedText = e.Result.StrippedText;
      Out.FocusAnchor = e.Result.FocusAnchor;
      Out.XSize = e.Result.XSize;
      Out.YSize = e.Result.YSize;
      Out.HyperLinks = e.Result.HyperLinks;
      Out.MouseLink = e.Result.MouseLink;
      if (e.AnchorWritten) Out.AnchorVal = e.Result.AnchorVal;
      if (e.HoverRectWritten) Out.HoverRect = e.Result.HoverRect;
      ++Hits;
      if (drawing)
        Replay(e.Runs, c);
      else
        SetBkMode(dc, TRANSPARENT);  // the canvas is left as a layout leaves it
      return e.Hit;
    }
    TEntry e;
    e.Key = std::move(key);
    THtmlRenderer r(P, Out, drawing ? &e.Runs : nullptr);
    e.Hit = r.Run();
    if (drawing) {
      if (!e.Runs.Valid) return e.Hit;
      e.Runs.SavedColor = r.SavedColor();
      Arrange(e.Runs);
    }
    const bool hit = e.Hit;
    if (e.Chars() > MaxChars) return hit;
    e.Result = Out;
    e.AnchorWritten = r.AnchorWritten;
    e.HoverRectWritten = r.HoverRectWritten;
    Chars += e.Chars();
    Entries.push_front(std::move(e));
    Trim();
    return hit;
  }
};

THtmlLayoutCache::THtmlLayoutCache(size_t Entries) : FStore(std::make_unique<TStore>(Max<size_t>(Entries, 1))) {}

THtmlLayoutCache::~THtmlLayoutCache() = default;

size_t THtmlLayoutCache::Count() const { return FStore->Entries.size(); }

size_t THtmlLayoutCache::Capacity() const { return FStore->Capacity; }

size_t THtmlLayoutCache::Hits() const { return FStore->Hits; }

void THtmlLayoutCache::Clear() {
  FStore->Entries.clear();
  FStore->Chars = 0;
  FStore->Hits = 0;
}

bool RenderHtml(const THtmlRenderParams& Params, THtmlRenderResult& Result) {
  if (Params.Cache) return Params.Cache->Store().Render(Params, Result);
  THtmlRenderer r(Params, Result);
  return r.Run();
}

bool RenderHtml(TCanvas* Canvas, const String& HTML, const TRect& R, TCustomImageList* Images, int X, int Y,
                int FocusLink, int HoverLink, int ShadowOffset, bool CheckOnly, bool CheckHeight, bool Print,
                bool IgnoreColors, bool Blink, bool Hover, bool WordWrap, double ResFactor, TColor URLColor,
                TColor HoverColor, TColor HoverFontColor, TColor ShadowColor, String& AnchorVal,
                String& StrippedText, String& FocusAnchor, int& XSize, int& YSize, int& HyperLinks, int& MouseLink,
                TRect& HoverRect, THTMLPictureCache* PictureCache, TPictureContainer* PictureContainer,
                int LineSpacing, TBiDiMode BiDiMode, TColor SelectionColor, TColor SelectionFontColor,
                TFontStyles SelectionFontStyle) {
  THtmlRenderParams p;
  p.Canvas = Canvas;
  p.HTML = HTML;
  p.R = R;
  p.Images = Images;
  p.X = X;
  p.Y = Y;
  p.FocusLink = FocusLink;
  p.HoverLink = HoverLink;
  p.ShadowOffset = ShadowOffset;
  p.CheckOnly = CheckOnly;
  p.CheckHeight = CheckHeight;
  p.Print = Print;
  p.IgnoreColors = IgnoreColors;
  p.Blink = Blink;
  p.Hover = Hover;
  p.WordWrap = WordWrap;
  p.ResFactor = ResFactor;
  p.URLColor = URLColor;
  p.HoverColor = HoverColor;
  p.HoverFontColor = HoverFontColor;
  p.ShadowColor = ShadowColor;
  p.PictureCache = PictureCache;
  p.PictureContainer = PictureContainer;
  p.LineSpacing = LineSpacing;
  p.BiDiMode = BiDiMode;
  p.SelectionColor = SelectionColor;
  p.SelectionFontColor = SelectionFontColor;
  p.SelectionFontStyle = SelectionFontStyle;
  THtmlRenderResult r;
  r.AnchorVal = AnchorVal;
  r.HoverRect = HoverRect;
  bool hit = RenderHtml(p, r);
  AnchorVal = r.AnchorVal;
  StrippedText = r.StrippedText;
  FocusAnchor = r.FocusAnchor;
  XSize = r.XSize;
  YSize = r.YSize;
  HyperLinks = r.HyperLinks;
  MouseLink = r.MouseLink;
  HoverRect = r.HoverRect;
  return hit;
}

bool RenderHtmlBasic(TCanvas* Canvas, const String& HTML, const TRect& R, TCustomImageList* Images, int X, int Y,
                     bool CheckOnly, bool CheckHeight, bool Print, bool IgnoreColors, bool Blink, double ResFactor,
                     TColor URLColor, String& AnchorVal, String& StrippedText, int& XSize, int& YSize) {
  String focusAnchor;
  int hyperLinks = 0, mouseLink = -1;
  TRect hoverRect;
  return RenderHtml(Canvas, HTML, R, Images, X, Y, -1, -1, 1, CheckOnly, CheckHeight, Print, IgnoreColors, Blink,
                    false, false, ResFactor, URLColor, clNone, clNone, 0x808080, AnchorVal, StrippedText,
                    focusAnchor, XSize, YSize, hyperLinks, mouseLink, hoverRect, nullptr, nullptr, 0,
                    TBiDiMode::bdLeftToRight, clHighlight, clHighlightText, TFontStyles{});
}
