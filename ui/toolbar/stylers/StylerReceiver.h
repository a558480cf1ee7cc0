// How a toolbar styler reaches the controls registered with it. The styler
// sits below the docking toolbars and the ribbon pager: it keeps its
// controls as TCustomControl pointers and finds what it may ask of them by
// dynamic_cast to the interfaces below, which the dock panel, the toolbar
// and the pager implement.
//
//   control          implements               the styler asks it to
//   dock panel       IToolBarStylerHost       apply a change; give up the
//                                             styler when the styler goes
//   toolbar          IToolBarStylerReceiver   apply a change (its compact
//                                             window's toolbar first)
//   ribbon pager     IToolBarStylerPager      apply a change; give up the
//                                             styler; glass and scenic
//                                             flags; Office tones; relayout
//
// A control hears a broadcast only while it is registered
// (TCustomAdvToolBarStyler::AddControl) and its Name is not empty, in
// registration order, once per registration. An exception raised by one
// receiver is swallowed and the broadcast goes on.
#pragma once

#include "ui/draw/KelStyle.h"

class TCustomAdvToolBarStyler;
class TAppColor;

// The numbered change kinds of a broadcast, and what prompts each.
namespace StylerChange {
// BackGround, BackGroundDisplay, BackGroundTransparent or Font.
constexpr int Background = 1;
// A whole gradient style applied; Color, DockColor or CaptionAppearance
// changed; a border, right-hand, floating-window, CaptionFont,
// RightHandleImage, RoundEdges, UseBevel, bevel, shadow or 3D setting.
constexpr int Style = 2;
// ContainerAppearance changed.
constexpr int Container = 4;
// DragGripStyle set.
constexpr int DragGrip = 5;
// AdvMenuStyler set.
constexpr int MenuStyler = 6;
// GlowButtonAppearance or CompactGlowButtonAppearance changed.
constexpr int GlowButtons = 7;
// TabAppearance, PageAppearance or GroupAppearance changed.
constexpr int Ribbon = 10;
// PagerCaption changed or SysButtonColor set.
constexpr int PagerCaption = 11;
// QATAppearance changed.
constexpr int QuickAccess = 12;
}  // namespace StylerChange

// Every control that registers with a styler.
class IToolBarStylerReceiver {
 public:
  // Re-read what the change kind concerns (StylerChange) and repaint.
  virtual void ApplyStylerChange(int Kind) = 0;
  // A toolbar in compact mode answers the toolbar inside its compact window,
  // which hears each change just before the toolbar itself; all others
  // answer nullptr.
  virtual IToolBarStylerReceiver* CompactStylerReceiver() { return nullptr; }

 protected:
  ~IToolBarStylerReceiver() = default;
};

// Dock panels and pagers: controls with an assignable styler that fall
// back to an internal one of their own.
class IToolBarStylerHost : public IToolBarStylerReceiver {
 public:
  // The styler assigned to the control, or nullptr while it uses its
  // internal one.
  virtual TCustomAdvToolBarStyler* ToolBarStyler() const = 0;
  // With nullptr (the styler is being freed): unregister from the old
  // styler (RemoveControl), take the internal styler again and pass it on.
  virtual void SetToolBarStyler(TCustomAdvToolBarStyler* Value) = 0;

 protected:
  ~IToolBarStylerHost() = default;
};

// The ribbon pager's tone look.
enum class TGroupStyle : uint8_t { gsClassic, gsOffice2013, gsWindows8, gsOffice2016 };

// The colour tones a flat style hands to a pager; App is the styler's own
// application colours.
struct TOfficeTones {
  TColorTones Buttons;
  TColorTones Tab;
  TColorTones Pager;
  TAppColor* App;
};

// What UpdatePagerGlass decides for a pager.
struct TPagerGlass {
  // False for a custom style: Glass and Win7ScenicRibbon stay as they are.
  bool SetFlags;
  bool Glass;
  bool Win7ScenicRibbon;
};

class IToolBarStylerPager : public IToolBarStylerHost {
 public:
  // With SetFlags: the tab settings' Glass, then Win7ScenicRibbon. Always:
  // the shaded tab background becomes (tab glass on and the pager in Aero
  // mode), and the help button is marked for refresh and refreshed.
  virtual void ApplyPagerGlass(const TPagerGlass& Glass) = 0;
  // Clears the Office 2013 and tones flags (group style gsClassic) and tells
  // the form ("TBSetOffice2013", wParam 0).
  virtual void ClearOfficeTones() = 0;
  // Refills the pager's own appearances and caption buttons from the tones
  // (nothing while loading or already setting tones).
  virtual void SetOfficeTones(const TOfficeTones& Tones, TGroupStyle GroupStyle) = 0;
  // Lays the pager out again in full.
  virtual void UpdateQAT() = 0;

 protected:
  ~IToolBarStylerPager() = default;
};
