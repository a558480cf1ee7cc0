#include "ui/controls/menus/AdvMenuOfficeStyler.h"

#include "ui/controls/menus/AdvMenuOfficeStyles.h"
#include "ui/controls/menus/AdvMenus.h"

namespace {

TThemeSchemeQuery gSchemeSource = nullptr;

// The colour scheme of the active visual style; false when there is none.
bool QueryThemeScheme(String& Scheme) {
  OSVERSIONINFOW vi{sizeof(vi)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&vi)) return false;
#pragma GCC diagnostic pop
  if (!(vi.dwMajorVersion > 5 || (vi.dwMajorVersion == 5 && vi.dwMinorVersion > 0))) return false;
  HMODULE lib = LoadLibraryW(L"uxtheme.dll");
  if (!lib) return false;
  bool found = false;
  using IsThemeActiveFn = BOOL(WINAPI*)();
  using GetCurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
  auto isActive = reinterpret_cast<IsThemeActiveFn>(reinterpret_cast<void*>(GetProcAddress(lib, "IsThemeActive")));
  if (isActive && isActive()) {
    auto name = reinterpret_cast<GetCurrentThemeNameFn>(
        reinterpret_cast<void*>(GetProcAddress(lib, "GetCurrentThemeName")));
    if (name) {
      wchar_t file[255] = {}, scheme[255] = {}, size[255] = {};
      name(file, 255, scheme, 255, size, 255);
      Scheme = scheme;
      found = true;
    }
  }
  FreeLibrary(lib);
  return found;
}

}  // namespace

int GetXPColorScheme() {
  String scheme;
  if (!(gSchemeSource ? gSchemeSource(scheme) : QueryThemeScheme(scheme))) return 0;
  if (scheme == L"NormalColor") return 1;
  if (scheme == L"HomeStead") return 2;
  if (scheme == L"Metallic") return 3;
  return 0;
}

void SetThemeSchemeSource(TThemeSchemeQuery Source) { gSchemeSource = Source; }

// ---------------------------------------------------------------------------
// TNotifierWindow

TAdvMenuOfficeStyler::TNotifierWindow::TNotifierWindow(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 0;
  FHeight = 0;
}

void TAdvMenuOfficeStyler::TNotifierWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_THEMECHANGED && OnThemeChange) OnThemeChange(this);
  TWinControl::WndProc(Message);
}

// ---------------------------------------------------------------------------
// TAdvMenuOfficeStyler

TAdvMenuOfficeStyler::TAdvMenuOfficeStyler(TComponent* AOwner) : TCustomAdvMenuStyler(AOwner) {
  SetStyle(TOfficeStyle::osOffice2003Blue);
  FNotifierWindow = new TNotifierWindow(this);
  for (TComponent* o = AOwner; o; o = o->Owner()) {
    if (auto* w = dynamic_cast<TWinControl*>(o)) {
      FNotifierWindow->SetParent(w);
      break;
    }
  }
  FNotifierWindow->OnThemeChange = [this](TObject*) { AdaptToTheme(); };
}

void TAdvMenuOfficeStyler::Loaded() {
  TCustomAdvMenuStyler::Loaded();
  AdaptToTheme();
}

void TAdvMenuOfficeStyler::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomAdvMenuStyler::Notification(AComponent, Operation);
  // The parent form may free the window before us.
  if (Operation == TOperation::opRemove && AComponent == FNotifierWindow) FNotifierWindow = nullptr;
}

void TAdvMenuOfficeStyler::SetAutoThemeAdapt(bool Value) {
  if (FAutoThemeAdapt == Value) return;
  FAutoThemeAdapt = Value;
  AdaptToTheme();
}

void TAdvMenuOfficeStyler::AdaptToTheme() {
  if (!FAutoThemeAdapt) return;
  switch (GetXPColorScheme()) {
    case 1: SetStyle(TOfficeStyle::osOffice2003Blue); break;
    case 2: SetStyle(TOfficeStyle::osOffice2003Olive); break;
    case 3: SetStyle(TOfficeStyle::osOffice2003Silver); break;
    default: SetStyle(TOfficeStyle::osOfficeXP); break;
  }
}

void TAdvMenuOfficeStyler::SetComponentStyle(TKelStyle AStyle) {
  using K = TKelStyle;
  using O = TOfficeStyle;
  O style;
  switch (AStyle) {
    case K::tsOffice2003Blue: style = O::osOffice2003Blue; break;
    case K::tsOffice2003Silver: style = O::osOffice2003Silver; break;
    case K::tsOffice2003Olive: style = O::osOffice2003Olive; break;
    case K::tsOffice2003Classic: style = O::osOfficeXP; break;
    case K::tsOffice2007Luna: style = O::osOffice2007Luna; break;
    case K::tsOffice2007Obsidian: style = O::osOffice2007Obsidian; break;
    case K::tsWindowsXP: style = O::osOfficeXP; break;
    case K::tsWhidbey: style = O::osWhidbey; break;
    case K::tsCustom: return;
    case K::tsOffice2007Silver: style = O::osOffice2007Silver; break;
    case K::tsWindowsVista: style = O::osVista; break;
    case K::tsWindows7: style = O::osWindows7; break;
    case K::tsTerminal: style = O::osTerminal; break;
    case K::tsOffice2010Blue: style = O::osOffice2010Blue; break;
    case K::tsOffice2010Silver: style = O::osOffice2010Silver; break;
    case K::tsOffice2010Black: style = O::osOffice2010Black; break;
    case K::tsWindows8: style = O::osWindows8; break;
    case K::tsOffice2013White: style = O::osOffice2013White; break;
    case K::tsOffice2013LightGray: style = O::osOffice2013LightGray; break;
    case K::tsOffice2013Gray: style = O::osOffice2013Gray; break;
    case K::tsWindows10: style = O::osWindows10; break;
    case K::tsOffice2016White: style = O::osOffice2016White; break;
    case K::tsOffice2016Gray: style = O::osOffice2016Gray; break;
    case K::tsOffice2016Black: style = O::osOffice2016Black; break;
    default: return;
  }
  SetStyle(style);
}

void TAdvMenuOfficeStyler::SetStyle(TOfficeStyle Value) {
  FStyle = Value;
  FFont->SetColor(clWindowText);
  SetUseSystemFont(true);
  if (const TOfficeMenuColors* c = OfficeMenuColors(Value)) {
    auto set = [](TColor Value, auto Store) {
      if (Value != kKeep) Store(Value);
    };
    TBackground* bg = FBackground;
    bg->SetColor(0, c->Background);
    bg->SetColor(1, c->BackgroundTo);
    FMenuBorderColor = c->MenuBorder;

    TRootItem* root = FRootItem;
    root->SetColor(0, c->Root);
    root->SetColor(1, c->RootTo);
    if (c->RootGradient >= 0) root->SetGradientDirection(static_cast<TGradientDirection>(c->RootGradient));
    root->SetSelectedColor(0, c->RootSelected);
    root->SetSelectedColor(1, c->RootSelectedTo);
    set(c->RootSelectedMirror, [&](TColor v) { root->SetSelectedColor(2, v); });
    set(c->RootSelectedMirrorTo, [&](TColor v) { root->SetSelectedColor(3, v); });
    root->SetSelectedBorderColor(c->RootSelectedBorder);
    set(c->RootSelectedText, [&](TColor v) { root->SetSelectedTextColor(v); });
    root->SetHoverColor(0, c->RootHover);
    root->SetHoverColor(1, c->RootHoverTo);
    root->SetHoverColor(2, c->RootHoverMirror);
    root->SetHoverColor(3, c->RootHoverMirrorTo);
    root->SetHoverBorderColor(c->RootHoverBorder);
    root->SetHoverTextColor(c->RootHoverText);
    root->Font()->SetColor(c->RootFontColor);
    if (Value == TOfficeStyle::osOffice2016Gray || Value == TOfficeStyle::osOffice2016Black)
      root->SetUseSystemFont(false);

    TSelectedItem* sel = FSelectedItem;
    sel->SetColor(0, c->Selected);
    sel->SetColor(1, c->SelectedTo);
    sel->SetColorMirror(c->SelectedMirror);
    sel->SetColorMirrorTo(c->SelectedMirrorTo);
    sel->SetBorderColor(c->SelectedBorder);
    sel->SetCheckColor(0, c->SelectedCheck);
    sel->SetCheckColor(1, c->SelectedCheckTo);
    sel->SetRadioColor(0, c->SelectedRadio);
    sel->SetRadioColor(1, c->SelectedRadioTo);
    sel->SetCheckBorder(c->SelectedCheckBorder);
    sel->SetRadioBorder(c->SelectedRadioBorder);

    TIconBar* icon = FIconBar;
    icon->SetColor(0, c->Icon);
    icon->SetColor(1, c->IconTo);
    icon->SetCheckColor(0, c->IconCheck);
    icon->SetCheckColor(1, c->IconCheckTo);
    icon->SetCheckBorder(c->IconCheckBorder);
    icon->SetRadioColor(0, c->IconRadio);
    icon->SetRadioColor(1, c->IconRadioTo);
    icon->SetRadioBorder(c->IconRadioBorder);
    set(c->IconSeparator, [&](TColor v) { icon->SetSeparatorColor(v); });

    FSeparator->SetColor(0, c->Separator);
    FSeparator->SetColor(1, c->SeparatorTo);

    TButtonAppearance* b = FButtonAppearance;
    set(c->ButtonDown, [&](TColor v) { b->SetDownColor(v); });
    set(c->ButtonDownTo, [&](TColor v) { b->SetDownColorTo(v); });
    set(c->ButtonHover, [&](TColor v) { b->SetHoverColor(v); });
    set(c->ButtonHoverTo, [&](TColor v) { b->SetHoverColorTo(v); });
    set(c->ButtonDownBorder, [&](TColor v) { b->SetDownBorderColor(v); });
    set(c->ButtonHoverBorder, [&](TColor v) { b->SetHoverBorderColor(v); });

    if (Value == TOfficeStyle::osOffice2016Black) {
      FFont->SetColor(0xC6C6C6);
      sel->Font()->SetColor(0x000000);
      sel->SetUseSystemFont(false);
      SetUseSystemFont(false);
    }
  }
  if (auto* main = dynamic_cast<TAdvMainMenu*>(FMenu))
    if (main->WindowHandle()) DrawMenuBar(main->WindowHandle());
}
