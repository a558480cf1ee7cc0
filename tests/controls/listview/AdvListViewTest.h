// The advanced list view on a form, for the tests.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "base/Forms.h"
#include "tests/support/Gui.h"
#include "ui/controls/listview/AdvListView.h"

struct AdvFixture : ::testing::Test {
  TForm* Form = nullptr;
  TAdvListView* List = nullptr;

  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(30, 30, 460, 320);
    List = new TAdvListView(Form);
    List->SetParent(Form);
    List->SetBounds(0, 0, 440, 280);
    List->SetViewStyle(TViewStyle::vsReport);
    List->SetColor(clWhite);
  }
  void TearDown() override { Form->Free(); }

  void AddColumns(std::initializer_list<int> Widths) {
    for (int w : Widths) {
      TListColumn* c = List->Columns()->Add();
      c->SetWidth(w);
      c->SetCaption(L"c" + std::to_wstring(List->Columns()->Count() - 1));
    }
  }
  TListItem* AddRow(const String& Caption, std::initializer_list<String> Subs = {}) {
    TListItem* item = List->Items()->Add();
    item->SetCaption(Caption);
    for (const String& s : Subs) item->SubItems()->Add(s);
    return item;
  }
  // The middle of a cell, by our own column walk.
  POINT CellPoint(int Row, int Column) {
    TRect r = List->Items()->Item(Row)->DisplayRect(TDisplayCode::drBounds);
    std::vector<int> order = List->ColumnOrder();
    int x = r.left;
    for (int k : order) {
      if (k == Column) break;
      x += List->Columns()->Items(k)->Width();
    }
    return POINT{x + List->Columns()->Items(Column)->Width() / 2, (r.top + r.bottom) / 2};
  }
  void Send(UINT Msg, WPARAM W, POINT P) { SendMessageW(List->Handle(), Msg, W, MAKELPARAM(P.x, P.y)); }
  void Click(POINT P) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, P);
    Send(WM_LBUTTONUP, 0, P);
  }
  // Holds Ctrl or Shift down in this thread's key state while F runs.
  template <class F>
  void WithKeys(std::initializer_list<int> Keys, F Body) {
    BYTE state[256];
    GetKeyboardState(state);
    BYTE saved[256];
    memcpy(saved, state, 256);
    for (int k : Keys) state[k] = 0x80;
    SetKeyboardState(state);
    Body();
    SetKeyboardState(saved);
  }
};
