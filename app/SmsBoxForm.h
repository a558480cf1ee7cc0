// What the in-box and the out-box share: a header strip with a picture and
// the window's name in a reflection label at the right, the list of
// messages in report view with alternating row colours, a splitter, and the
// bottom panel with one message's text; the list's styled popup menu and
// the window's settings store.
#pragma once

#include <initializer_list>

#include "app/OvFormSR.h"
#include "app/TaskbarForm.h"
#include "base/ExtCtrls.h"
#include "base/Forms.h"
#include "base/Image.h"
#include "base/RichEdit.h"
#include "base/Splitter.h"
#include "base/StdCtrls.h"
#include "ui/controls/listview/AdvListView.h"

class TAdvPopupMenu;
class TAdvReflectionLabel;
class TMenuItem;

// How one box looks.
struct TSmsBoxLayout {
  const wchar_t* Name;     // the window's component name
  const wchar_t* Caption;
  int MinWidth, MinHeight;
  const wchar_t* Title;    // the reflection label's text
  TColor TitleColor;
  TColor TextColor;        // background of the message's text
  TColor OddRowColor;      // background of odd rows; even rows are white
  int PanelHeight;         // the bottom panel's height at design
};

// One column of the list; the column with AutoSize takes the width that
// the others leave.
struct TSmsBoxColumn {
  const wchar_t* Caption;
  int Width;
  TAlignment Alignment;
  bool AutoSize;
};

class TSmsBoxForm : public TTaskbarForm {
  VANTREL_CLASS(TSmsBoxForm)
 public:
  TPanel* Panel2;  // header strip
  TImage* Image1;  // the header's picture
  TAdvReflectionLabel* AdvReflectionLabel1;  // the window's name, at the right
  TAdvListView* ListView1;
  TSplitter* Splitter1;
  TPanel* Panel1;  // bottom panel
  TRichEdit* Memo1;  // one message's text
  TAdvPopupMenu* PopupMenu1;
  TOvFormSR* OvFormSR1;

  // Removes every message.
  void ClearClick(TObject* Sender);

 protected:
  // Builds the common parts while loading; the box's own constructor adds
  // its controls and ends the loading.
  TSmsBoxForm(TComponent* AOwner, const TSmsBoxLayout& Layout, std::initializer_list<TSmsBoxColumn> Columns);
  // Appends an item to the list's popup menu.
  TMenuItem* AddMenuItem(const wchar_t* Name, const wchar_t* Caption, int ImageIndex, TNotifyEvent OnClick);
  // Appends "Clear", which removes every message.
  TMenuItem* AddClearItem();
  // Draws the box's pictures (header, list images); runs once, when the
  // window is first shown, so that a start with the box hidden draws none.
  virtual void DrawPictures() {}
  void DoShow() override;

 private:
  void ListView1Resize(TObject* Sender);
  void ListView1AdvancedCustomDrawItem(TCustomListView* Sender, TListItem* Item, TCustomDrawState State,
                                       TCustomDrawStage Stage, bool& DefaultDraw);

  TColor FOddRowColor;
  int FFillColumn = -1;  // the column that takes the rest of the width
  int FFixedWidth = 0;   // the width of the other columns
  bool FPicturesDrawn = false;
};
