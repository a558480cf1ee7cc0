#include <gtest/gtest.h>

#include "base/FileStreams.h"
#include "ui/controls/AdvMenus.h"
#include "ui/controls/AdvMenuUtil.h"
#include "tests/menus/MenuDriver.h"
#include "tests/support/Gui.h"

TEST(Explore, Popup) {
  auto* owner = new TForm(nullptr);
  auto* menu = new TAdvPopupMenu(owner);
  for (const wchar_t* c : {L"Show", L"-", L"Always on top", L"Exit", L"Sub"}) {
    auto* i = new TMenuItem(owner);
    i->SetCaption(c);
    menu->Items()->Add(i);
  }
  auto* sub = new TMenuItem(owner);
  sub->SetCaption(L"Child");
  menu->Items()->Items(4)->Add(sub);
  menu->Items()->Items(2)->SetChecked(true);
  menu->Items()->Items(3)->SetShortCut(ShortCut('X', {TShiftStateItem::ssCtrl}));
  TMenuIdleHook hook([&](HWND w) {
    PostMenuKey(VK_DOWN);
    PostMenuKey(VK_DOWN);
  });
  SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto wins = OpenMenuWindows();
    if (!wins.empty()) {
      TBitmap* b = CaptureWindow(wins.front());
      TFileStream fs(L"Z:\\tmp\\menushot.bmp", fmCreate);
      b->SaveToStream(&fs);
      b->Free();
    }
    EndMenu();
  });
  menu->Popup(100, 100);
  owner->Free();
}
