// A list of text items, each with an object. Drawn by the system, or, in the
// owner-drawn form, row by row through OnDrawItem on the list's canvas.
#pragma once

#include <functional>
#include <vector>

#include "base/Graphics.h"
#include "base/Lists.h"
#include "base/StdCtrls.h"
#include "base/WindowStrings.h"

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };

// Draws one row of an owner-drawn list or combo box: Rect in client
// coordinates, the canvas is the control's.
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;

// Paints one row of an owner-drawn list or combo box of Control on Canvas:
// the canvas gets the control's font and the row's back colour (highlight
// when selected), then Event paints it, or, without one, the row is filled
// and its text drawn; a focused row gets the focus frame.
void DrawOwnerDrawnRow(TWinControl* Control, TCanvas* Canvas, TStrings* Items, const TDrawItemEvent& Event,
                       const DRAWITEMSTRUCT& Item);
// Answers CN_MEASUREITEM (every row ItemHeight pixels high) or CN_DRAWITEM
// (the row painted by DrawOwnerDrawnRow) for an owner-drawn list or combo
// box.
void AnswerOwnerDrawnRow(TWinControl* Control, TCanvas* Canvas, TStrings* Items, const TDrawItemEvent& Event,
                         int ItemHeight, TMessage& Message);

// The row of a list-box window at a client point, -1 for none (or beyond
// Count rows).
int ListBoxItemAtPos(HWND Window, const TPoint& Pos, int Count);
// Height of a text line in Font.
int FontLineHeight(TFont* Font);

class TListBox : public TWinControl {
  VANTREL_CLASS(TListBox)
 public:
  explicit TListBox(TComponent* AOwner);

  // Every change shows at once.
  TStrings* Items() { return FItems; }
  // The selected row, -1 for none. Setting it fires nothing.
  int ItemIndex();
  void SetItemIndex(int Value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  // Height of every row; 0 (the default) takes the font's.
  int ItemHeight();
  void SetItemHeight(int Value);
  // The row at a client point, -1 for none.
  int ItemAtPos(const TPoint& Pos);
  TRect ItemRect(int Index);
  TCanvas* Canvas() { return FCanvas; }

  // OnClick fires when the user selects a row (mouse or keys).
  TDrawItemEvent OnDrawItem;

  void Dispatch(TMessage& Message) override;

 protected:
  void Destroy() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void SaveWindowState() override;

 private:
  int FItemIndex = -1;  // while there is no window
  TOwned<TWindowStrings> FItems;
  TOwned<TCanvas> FCanvas;
  TListBoxStyle FStyle = TListBoxStyle::lbStandard;
  int FItemHeight = 0;
};
