// TCaptionLayer: the transparent child the pager lays over its caption bar
// while the caption lies on glass (the pager on a ribbon form). Its text is
// painted by the pager's text-paint handler; a press in its top six pixel
// rows resizes the form at its top edge, a press elsewhere on a maximized
// form drags the form by its caption, and presses and double clicks are
// passed on to the pager through its events.
#pragma once

#include "ui/controls/buttons/AdvGlowButton.h"

// Paints the caption text: Text, its rectangle and alignment may be changed.
using TTextPaintEvent = std::function<void(TObject* Sender, String& Text, TRect& TxtR, TAlignment& Algn)>;
using TDblClickEvent = std::function<void(TObject* Sender, int X, int Y)>;

enum class TResizingClip { rcLeft, rcTop, rcRight, rcBottom };

class TCaptionLayer : public TCustomControl {
  VANTREL_CLASS(TCaptionLayer)
 public:
  explicit TCaptionLayer(TComponent* AOwner);

  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value) { FBackColor = Value; }
  // A top-edge resize runs (from the press to the release).
  bool Resizing() const { return FResizing; }
  TResizingClip ResizingClip() const { return FResizingClip; }
  int ResizingDir() const { return FResizingDir; }
  // The rows from the top edge in which a press resizes the form.
  static constexpr int ResizeBand = 6;

  void Loaded() override;
  void Dispatch(TMessage& Message) override;

  TTextPaintEvent OnTextPaint;
  TDblClickEvent OnDoubleClick;

 protected:
  // Painting into a given device context: the text through OnTextPaint, or
  // as glow text on glass.
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TCustomForm* TopForm();
  // The text through OnTextPaint on the window's own paint.
  void PaintText(TMessage& Message);
  void EndResize();

  TColor FBackColor = clNone;
  TAdvGlowButton* FRefGlowButton = nullptr;  // owned as a component
  bool FRef = false;
  bool FResizing = false;
  // The pointer's screen row at the press, and the form's top and height
  // then: the top edge follows the pointer from where it was pressed.
  int FMouseY = 0;
  int FStartTop = 0;
  int FStartHeight = 0;
  int FResizingDir = 0;
  TResizingClip FResizingClip = TResizingClip::rcTop;
  TCursor FOldCursor = crDefault;
};
