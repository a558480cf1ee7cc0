// The toolbar styler's theme file on any bytes: a file either loads whole,
// and what the styler then holds saves to a file that loads again, or it is
// refused with ECorruptThemeFile naming a line and the styler keeps every
// value it had.
#include "tests/fuzz/Fuzz.h"
#include "ui/toolbar/stylers/ToolBarThemeFile.h"

namespace {

TAdvToolBarOfficeStyler* Target() {
  static TComponent* owner = nullptr;
  static TAdvToolBarOfficeStyler* styler = nullptr;
  if (!owner) {
    owner = new TComponent(nullptr);
    styler = new TAdvToolBarOfficeStyler(owner);
    styler->SetStyle(TToolBarStyle::bsOffice2007Silver);
    FuzzAtEnd([] { owner->Free(); });
  }
  return styler;
}

}  // namespace

void FuzzOne(const uint8_t* Data, size_t Size) {
  TAdvToolBarOfficeStyler* styler = Target();
  // As LoadFromFile hands it on: the file's bytes in the ANSI code page.
  const String text = AnsiToWide(std::string(reinterpret_cast<const char*>(Data), Size));
  const String before = EncodeThemeFile(styler);
  try {
    ApplyTheme(styler, DecodeThemeFile(text));
  } catch (const ECorruptThemeFile& e) {
    FuzzCheck(e.Line() >= 1, "a refused file names no line");
    FuzzCheck(EncodeThemeFile(styler) == before, "a refused file changed the styler");
    return;
  }
  // What a loaded file left in the styler saves and loads again.
  try {
    DecodeThemeFile(EncodeThemeFile(styler));
  } catch (const ECorruptThemeFile&) {
    FuzzFail("a loaded theme does not load again once saved");
  }
}
