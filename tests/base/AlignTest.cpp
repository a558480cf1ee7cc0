// A parent hears of every child that moves or changes size, through
// AlignControls with that child, after AdjustClientRect has given the room.
#include <gtest/gtest.h>

#include "base/ExtCtrls.h"
#include "tests/support/Gui.h"

namespace {

class TRecordingParent : public TCustomControl {
  VANTREL_CLASS(TRecordingParent)
 public:
  using TCustomControl::TCustomControl;
  std::vector<TControl*> Moved;
  int Margin = 0;

 protected:
  void AdjustClientRect(TRect& Rect) override { Rect.Inflate(-Margin, -Margin); }
  void AlignControls(TControl* AControl, TRect& Rect) override {
    Moved.push_back(AControl);
    TCustomControl::AlignControls(AControl, Rect);
  }
};

TEST(Align, AChildThatMovesOrResizesIsNamedToItsParent) {
  auto* parent = new TRecordingParent(nullptr);
  parent->SetBounds(0, 0, 200, 100);
  auto* a = new TGraphicControl(parent);
  a->SetParent(parent);
  auto* b = new TGraphicControl(parent);
  b->SetParent(parent);
  parent->Moved.clear();

  a->SetBounds(10, 10, 30, 20);  // moved and sized
  b->SetLeft(50);                // moved
  b->SetBounds(50, 0, 30, 20);   // sized only
  a->SetBounds(10, 10, 30, 20);  // unchanged: nothing to tell
  EXPECT_EQ(parent->Moved, (std::vector<TControl*>{a, b, b}));

  parent->Moved.clear();
  parent->SetWidth(300);  // the parent itself: no child named
  EXPECT_EQ(parent->Moved, (std::vector<TControl*>{nullptr}));
  parent->Free();
}

TEST(Align, AlignedChildrenShareTheRoomThatAdjustClientRectLeaves) {
  auto* parent = new TRecordingParent(nullptr);
  parent->Margin = 4;
  parent->SetBounds(0, 0, 200, 100);
  auto* top = new TGraphicControl(parent);
  top->SetParent(parent);
  top->SetHeight(20);
  top->SetAlign(TAlign::alTop);
  auto* free = new TGraphicControl(parent);
  free->SetParent(parent);
  auto* client = new TGraphicControl(parent);
  client->SetParent(parent);
  client->SetAlign(TAlign::alClient);
  EXPECT_EQ(top->BoundsRect(), TRect(4, 4, 196, 24));
  EXPECT_EQ(client->BoundsRect(), TRect(4, 24, 196, 96));

  // Moving a child that is not aligned leaves the aligned ones in place,
  // and a child placed by the parent's own alignment does not ask again.
  parent->Moved.clear();
  free->SetBounds(30, 30, 10, 10);
  EXPECT_EQ(parent->Moved, (std::vector<TControl*>{free}));
  EXPECT_EQ(client->BoundsRect(), TRect(4, 24, 196, 96));
  parent->Free();
}

}  // namespace
