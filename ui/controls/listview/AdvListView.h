// The advanced list view: a report-mode list view whose cells can hold
// HTML-subset markup, links, progress bars and rich text, with cell
// addressing, cell selection and in-place editing, a header of its own
// drawing with a filter bar, sorting in several styles, column layouts kept
// in an INI file or the registry, printing and preview, a save file, CSV,
// XML, HTML and fixed-width exports, the clipboard, and an exchange with
// spreadsheet and word-processor programs by automation.
#pragma once

#include <vector>

#include "base/ListView.h"
#include "base/Printers.h"
#include "base/RichEdit.h"
#include "ui/draw/HtmlRender.h"

class TCustomImageList;
class TPictureContainer;
class THTMLPictureCache;
class TAdvListView;
class TStream;
struct TPrintRun;

VANTREL_EXCEPTION(EAdvListViewError, Exception)

enum class TVAlignment { vtaCenter, vtaTop, vtaBottom };
enum class TSortDirection { sdAscending, sdDescending };
enum class TSortIndicator { siLeft, siRight };
enum class TSortStyle {
  ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS, ssCustom,
  ssFinancial, ssRaw, ssAnsiAlphaCase, ssAnsiAlphaNoCase
};
enum class TSizeStorage { stInifile, stRegistry };
enum class TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum class TPrintBorders { pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal };
enum class TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// The colours and value text of progress-bar cells.
class TProgressSettings : public TPersistent {
  VANTREL_CLASS(TProgressSettings)
 public:
  TProgressSettings();
  // Copies the colours and ShowValue, not ValueFormat.
  void Assign(TPersistent* Source) override;
  TColor ColorFrom() const { return FColorFrom; }
  void SetColorFrom(TColor Value);
  TColor FontColorFrom() const { return FFontColorFrom; }
  void SetFontColorFrom(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor FontColorTo() const { return FFontColorTo; }
  void SetFontColorTo(TColor Value);
  bool ShowValue() const { return FShowValue; }
  void SetShowValue(bool Value);
  const String& ValueFormat() const { return FValueFormat; }
  void SetValueFormat(const String& Value);
  TNotifyEvent OnChange;

 private:
  void Changed();
  TColor FColorFrom = clSilver;
  TColor FFontColorFrom = clBlack;
  TColor FColorTo = clWhite;
  TColor FFontColorTo = clGray;
  bool FShowValue = true;
  String FValueFormat = L"%d%%";
};

// The detail line drawn under each item.
class TDetails : public TPersistent {
  VANTREL_CLASS(TDetails)
 public:
  explicit TDetails(TAdvListView* AOwner);
  ~TDetails() override;
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Column() const { return FColumn; }
  void SetColumn(int Value);
  TFont* Font() { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  bool SplitLine() const { return FSplitLine; }
  void SetSplitLine(bool Value);

 private:
  void Changed();
  TAdvListView* FOwner;
  bool FVisible = false;
  int FColumn = 0;
  TFont* FFont;
  int FHeight = 16;
  int FIndent = 0;
  bool FSplitLine = false;
};

// Where column widths are kept, and the stretching of the last column.
class TColumnSize : public TPersistent {
  VANTREL_CLASS(TColumnSize)
 public:
  explicit TColumnSize(TAdvListView* AOwner) : FOwner(AOwner) {}
  bool Save() const { return FSave; }
  void SetSave(bool Value) { FSave = Value; }
  const String& Key() const { return FKey; }
  void SetKey(const String& Value) { FKey = Value; }
  const String& Section() const { return FSection; }
  void SetSection(const String& Value) { FSection = Value; }
  bool Stretch() const { return FStretch; }
  // Outside loading, stretches the last column at once.
  void SetStretch(bool Value);
  TSizeStorage Storage() const { return FStorage; }
  void SetStorage(TSizeStorage Value) { FStorage = Value; }
  TPersistent* GetOwner() override;

 private:
  TAdvListView* FOwner;
  bool FSave = false;
  String FKey;
  String FSection;
  bool FStretch = false;
  TSizeStorage FStorage = TSizeStorage::stInifile;
};

// The shape of the HTML export.
class THTMLSettings : public TPersistent {
  VANTREL_CLASS(THTMLSettings)
 public:
  void Assign(TPersistent* Source) override;
  int BorderSize() const { return FBorderSize; }
  void SetBorderSize(int Value) { FBorderSize = Value; }
  int CellSpacing() const { return FCellSpacing; }
  void SetCellSpacing(int Value) { FCellSpacing = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  bool SaveColor() const { return FSaveColor; }
  void SetSaveColor(bool Value) { FSaveColor = Value; }
  bool SaveFonts() const { return FSaveFonts; }
  void SetSaveFonts(bool Value) { FSaveFonts = Value; }
  const String& HeaderFile() const { return FHeaderFile; }
  void SetHeaderFile(const String& Value) { FHeaderFile = Value; }
  const String& FooterFile() const { return FFooterFile; }
  void SetFooterFile(const String& Value) { FFooterFile = Value; }
  const String& PrefixTag() const { return FPrefixTag; }
  void SetPrefixTag(const String& Value) { FPrefixTag = Value; }
  const String& SuffixTag() const { return FSuffixTag; }
  void SetSuffixTag(const String& Value) { FSuffixTag = Value; }
  // Stored with the forms; the export does not use it.
  const String& TableStyle() const { return FTableStyle; }
  void SetTableStyle(const String& Value) { FTableStyle = Value; }

 private:
  int FBorderSize = 1;
  int FCellSpacing = 0;
  int FWidth = 100;
  bool FSaveColor = true;
  bool FSaveFonts = true;
  String FHeaderFile;
  String FFooterFile;
  String FPrefixTag;
  String FSuffixTag;
  String FTableStyle;
};

// The print layout. Sizes are in tenths of a millimetre.
class TPrintsettings : public TPersistent {
  VANTREL_CLASS(TPrintsettings)
 public:
  TPrintsettings();
  ~TPrintsettings() override;
  // Setting a font copies it.
  TFont* Font() { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TFont* HeaderFont() { return FHeaderFont; }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  TFont* FooterFont() { return FFooterFont; }
  void SetFooterFont(TFont* Value) { FFooterFont->Assign(Value); }
  TPrintPosition Time() const { return FTime; }
  void SetTime(TPrintPosition Value) { FTime = Value; }
  TPrintPosition Date() const { return FDate; }
  void SetDate(TPrintPosition Value) { FDate = Value; }
  const String& DateFormat() const { return FDateFormat; }
  void SetDateFormat(const String& Value) { FDateFormat = Value; }
  TPrintPosition PageNr() const { return FPageNr; }
  void SetPageNr(TPrintPosition Value) { FPageNr = Value; }
  const String& PagePrefix() const { return FPagePrefix; }
  void SetPagePrefix(const String& Value) { FPagePrefix = Value; }
  const String& PageSuffix() const { return FPageSuffix; }
  void SetPageSuffix(const String& Value) { FPageSuffix = Value; }
  // Stored only.
  const String& PageNumSep() const { return FPageNumSep; }
  void SetPageNumSep(const String& Value) { FPageNumSep = Value; }
  TPrintPosition Title() const { return FTitle; }
  void SetTitle(TPrintPosition Value) { FTitle = Value; }
  const String& TitleText() const { return FTitleText; }
  void SetTitleText(const String& Value) { FTitleText = Value; }
  TPrintBorders Borders() const { return FBorders; }
  void SetBorders(TPrintBorders Value) { FBorders = Value; }
  TPenStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TPenStyle Value) { FBorderStyle = Value; }
  bool Centered() const { return FCentered; }
  void SetCentered(bool Value) { FCentered = Value; }
  bool RepeatHeaders() const { return FRepeatHeaders; }
  void SetRepeatHeaders(bool Value) { FRepeatHeaders = Value; }
  int HeaderSize() const { return FHeaderSize; }
  void SetHeaderSize(int Value) { FHeaderSize = Value; }
  int FooterSize() const { return FFooterSize; }
  void SetFooterSize(int Value) { FFooterSize = Value; }
  int LeftSize() const { return FLeftSize; }
  void SetLeftSize(int Value) { FLeftSize = Value; }
  int RightSize() const { return FRightSize; }
  void SetRightSize(int Value) { FRightSize = Value; }
  int ColumnSpacing() const { return FColumnSpacing; }
  void SetColumnSpacing(int Value) { FColumnSpacing = Value; }
  // Stored only.
  int RowSpacing() const { return FRowSpacing; }
  void SetRowSpacing(int Value) { FRowSpacing = Value; }
  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value) { FOrientation = Value; }
  int FixedWidth() const { return FFixedWidth; }
  void SetFixedWidth(int Value) { FFixedWidth = Value; }
  bool UseFixedWidth() const { return FUseFixedWidth; }
  void SetUseFixedWidth(bool Value) { FUseFixedWidth = Value; }
  int FixedHeight() const { return FFixedHeight; }
  void SetFixedHeight(int Value) { FFixedHeight = Value; }
  bool UseFixedHeight() const { return FUseFixedHeight; }
  void SetUseFixedHeight(bool Value) { FUseFixedHeight = Value; }
  TFitToPage FitToPage() const { return FFitToPage; }
  void SetFitToPage(TFitToPage Value) { FFitToPage = Value; }
  const String& JobName() const { return FJobName; }
  void SetJobName(const String& Value) { FJobName = Value; }

 private:
  TFont* FFont;
  TFont* FHeaderFont;
  TFont* FFooterFont;
  TPrintPosition FTime = TPrintPosition::ppNone;
  TPrintPosition FDate = TPrintPosition::ppNone;
  String FDateFormat = L"dd/mm/yyyy";
  TPrintPosition FPageNr = TPrintPosition::ppNone;
  String FPagePrefix;
  String FPageSuffix;
  String FPageNumSep = L"/";
  TPrintPosition FTitle = TPrintPosition::ppNone;
  String FTitleText;
  TPrintBorders FBorders = TPrintBorders::pbNoborder;
  TPenStyle FBorderStyle = TPenStyle::psSolid;
  bool FCentered = false;
  bool FRepeatHeaders = false;
  int FHeaderSize = 0;
  int FFooterSize = 0;
  int FLeftSize = 0;
  int FRightSize = 0;
  int FColumnSpacing = 0;
  int FRowSpacing = 0;
  TPrinterOrientation FOrientation;
  int FFixedWidth = 0;
  bool FUseFixedWidth = false;
  int FFixedHeight = 0;
  bool FUseFixedHeight = false;
  TFitToPage FFitToPage = TFitToPage::fpNever;
  String FJobName;
};

// The hidden editor that turns rich-text cells into text and back.
class TAdvRichEdit : public TRichEdit {
  VANTREL_CLASS(TAdvRichEdit)
 public:
  using TRichEdit::TRichEdit;
  // The selection's character offset: 0, 40 twips down, 40 twips up.
  void SelNormal();
  void SelSubscript();
  void SelSuperscript();

 private:
  void SetOffset(int Twips);
};

using TAnchorEvent = std::function<void(TObject* Sender, const String& Anchor)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, int iItem, int iSubItem, bool& Allow)>;
using TCheckboxClickEvent = std::function<void(TObject* Sender, int iItem, bool State)>;
using TColumnEvent = std::function<void(TObject* Sender, int Column)>;
using TStartColumnTrackEvent = std::function<void(TObject* Sender, int Column, bool& Allow)>;
using TCustomCompareEvent =
    std::function<void(TObject* Sender, int ACol, const String& str1, const String& str2, int& res)>;
using TDrawDetailPropEvent = std::function<void(TObject* Sender, int ItemIndex, TOwnerDrawState AState,
                                                TBrush* ABrush, TFont* AFont, const String& ItemText)>;
using TAdvDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* aCanvas, int itemindex, const TRect& Rect, TOwnerDrawState State)>;
using TDrawItemPropEvent = std::function<void(TObject* Sender, int ItemIndex, int SubitemIndex,
                                              TOwnerDrawState AState, TBrush* ABrush, TFont* AFont,
                                              const String& ItemText)>;
using TItemEvent = std::function<void(TObject* Sender, int iItem)>;
using TFitToPageEvent = std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)>;
using TGetFormatEvent =
    std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix)>;
using TClickCellEvent = std::function<void(TObject* Sender, int iItem, int iSubItem)>;
using TPrintNewPageEvent = std::function<void(TObject* Sender, int ARow, bool& NewPage)>;
using TPrintPageEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int pagenr, int pagexsize, int pageysize)>;
using TPrintColumnWidthEvent = std::function<void(TObject* Sender, int ACol, int& width)>;
using TRawCompareEvent = std::function<void(TObject* Sender, int Col, int Row1, int Row2, int& res)>;
using TRearrangeEvent = std::function<void(TObject* Sender, int SwapFrom, int SwapTo)>;
using TSaveValueEvent = std::function<void(TObject* Sender, int iItem, int iSubItem, String& AValue)>;
using TSortStartEvent = std::function<void(TObject* Sender, int Column, bool& Enable)>;
using TURLClickEvent = std::function<void(TObject* Sender, int iItem, const String& URL, bool& Handled)>;

class TAdvListView : public TCustomListView {
  VANTREL_CLASS(TAdvListView)
 public:
  explicit TAdvListView(TComponent* AOwner);

  // --- Cells: column c (0 the caption, c >= 1 sub-item c - 1), row r (-1
  // the column captions).
  String GetTextAtColRow(int c, int r);
  void SetTextAtColRow(int c, int r, const String& s);
  bool GetIndexAtPoint(int x, int y, int& iItem, int& iSubItem);
  String GetTextAtPoint(int x, int y);
  TRect GetItemRect(int iItem, int iSubItem);
  void ItemToRich(int itemindex, int subitemindex, TCustomRichEdit* RichEditor);
  void RichToItem(int itemindex, int subitemindex, TCustomRichEdit* RichEditor);
  // Nested; the list and its header redraw at the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  // Removes every item and every column.
  void Clear() override;
  // r rows of c + 1 empty cells under c columns with empty captions.
  void ClearInit(int r, int c);
  void HilightInList(const String& HiText, bool DoCase);
  void HilightInItem(int ItemIndex, const String& HiText, bool DoCase);
  void UnHilightInList();
  void UnHilightInItem(int ItemIndex);
  void MarkInList(const String& HiText, bool DoCase);
  void MarkInItem(int ItemIndex, const String& HiText, bool DoCase);
  void UnMarkInList();
  void UnMarkInItem(int ItemIndex);
  int ComCtrlVersion() const { return FComctrlVersion; }
  int ColumnIndex() const { return FColumnIndex; }
  void SetColumnIndex(int Value);
  int VisibleItems();

  // --- Settings.
  bool AllowSelection() const { return FAllowSelection; }
  void SetAllowSelection(bool Value) { FAllowSelection = Value; }
  bool AutoHint() const { return FAutoHint; }
  void SetAutoHint(bool Value) { FAutoHint = Value; }
  TBitmap* CheckTrueGlyph() { return FCheckTrueGlyph; }
  void SetCheckTrueGlyph(TBitmap* Value) { FCheckTrueGlyph->Assign(Value); }
  TBitmap* CheckFalseGlyph() { return FCheckFalseGlyph; }
  void SetCheckFalseGlyph(TBitmap* Value) { FCheckFalseGlyph->Assign(Value); }
  bool ClipboardEnable() const { return FClipboardEnable; }
  void SetClipboardEnable(bool Value) { FClipboardEnable = Value; }
  TColumnSize* ColumnSize() { return FColumnSize; }
  TDetails* DetailView() { return FDetailView; }
  bool FilterBar() const { return FFilterBar; }
  void SetFilterBar(bool Value);
  int FilterTimeOut() const { return FFilterTimeOut; }
  void SetFilterTimeOut(int Value);
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value);
  bool HeaderDragDrop() const { return FHeaderDragDrop; }
  void SetHeaderDragDrop(bool Value);
  bool HeaderFlatStyle() const { return FHeaderFlatStyle; }
  void SetHeaderFlatStyle(bool Value);
  TFont* HeaderFont() { return FHeaderFont; }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int Value);
  bool HeaderHotTrack() const { return FHeaderHotTrack; }
  void SetHeaderHotTrack(bool Value);
  TCustomImageList* HeaderImages() const { return FHeaderImages; }
  void SetHeaderImages(TCustomImageList* Value);
  bool HeaderOwnerDraw() const { return FHeaderOwnerDraw; }
  void SetHeaderOwnerDraw(bool Value);
  bool HintLargeText() const { return FHintLargeText; }
  void SetHintLargeText(bool Value) { FHintLargeText = Value; }
  int HoverTime() const { return FHoverTime; }
  void SetHoverTime(int Value);
  bool HTMLHint() const { return FHTMLHint; }
  void SetHTMLHint(bool Value) { FHTMLHint = Value; }
  THTMLSettings* HTMLSettings() { return FHTMLSettings; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  bool LoadHeader() const { return FLoadHeader; }
  void SetLoadHeader(bool Value) { FLoadHeader = Value; }
  bool SaveHeader() const { return FSaveHeader; }
  void SetSaveHeader(bool Value) { FSaveHeader = Value; }
  TPictureContainer* PictureContainer() const { return FPictureContainer; }
  void SetPictureContainer(TPictureContainer* Value);
  TPrintsettings* PrintSettings() { return FPrintSettings; }
  TProgressSettings* ProgressSettings() { return FProgressSettings; }
  bool ReArrangeItems() const { return FReArrangeItems; }
  void SetReArrangeItems(bool Value) { FReArrangeItems = Value; }
  bool ScrollHint() const { return FScrollHint; }
  void SetScrollHint(bool Value) { FScrollHint = Value; }
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value);
  bool SelectionRTFKeep() const { return FSelectionRTFKeep; }
  void SetSelectionRTFKeep(bool Value);
  TColor SelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value);
  bool SizeWithForm() const { return FSizeWithForm; }
  void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
  bool StretchColumn() const { return FStretchColumn; }
  void SetStretchColumn(bool Value);
  bool SubImages() const { return FSubImages; }
  void SetSubImages(bool Value);
  bool SubItemEdit() const { return FSubItemEdit; }
  void SetSubItemEdit(bool Value);
  bool SubItemSelect() const { return FSubItemSelect; }
  void SetSubItemSelect(bool Value) { FSubItemSelect = Value; }
  TColor URLColor() const { return FURLColor; }
  void SetURLColor(TColor Value);
  bool URLFull() const { return FURLFull; }
  void SetURLFull(bool Value);
  bool URLShow() const { return FURLShow; }
  void SetURLShow(bool Value);
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  TBitmap* Wallpaper() { return FWallpaper; }
  void SetWallpaper(TBitmap* Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // "1.7.4.1"; assigning has no effect.
  String Version();
  void SetVersion(const String&) {}
  int VersionNr() { return GetVersionNr(); }
  String VersionString() { return GetVersionString(); }
  wchar_t Delimiter() const { return FDelimiter; }
  void SetDelimiter(wchar_t Value) { FDelimiter = Value; }

  // --- Drawing (owner-drawn lists).
  virtual void DrawListItem(int Index, const TRect& Rect, TOwnerDrawState State);
  void DrawRichCell(int Index, int SubItemIndex, const TRect& Rect, TCanvas* Canvas);

  // --- Input.
  int RefreshFocusedItem();
  void SetHeaderItemFormat(int Column);
  void ApplyColumnAlignment(int Column);
  // The format of a header item that draws its own text: a string in its
  // column's alignment.
  int HeaderTextFormat(int Column);
  void HeaderFontChanged();

  // --- In-place editing and filter bar.
  void StartEdit(int Item, int SubItem);
  void SetEditText(const String& AValue);
  void ShowFilter(bool onoff);
  void EditFilter(int index);
  String GetFilter(int index, int filtertype);
  void SetFilter(int index, int filtertype, int ivalue, const String& sValue);

  // --- Printing and preview.
  void Print();
  void Preview(TCanvas* Canvas, const TRect& DisplayRect);
  int GetPrintColWidth(int Acol) const;
  int GetPrintColOffset(int Acol) const;
  int PrintColWidth(int Acol) const { return GetPrintColWidth(Acol); }
  int PrintColOffset(int Acol) const { return GetPrintColOffset(Acol); }
  int PrintPageWidth() const { return FPrintPageWidth; }
  int PrintColStart() const { return FPrintColStart; }
  int PrintColEnd() const { return FPrintColEnd; }
  // The page header or footer text at one position for a page (from 0).
  String PageText(TPrintPosition Position, int Page);

  // --- Header and columns.
  void StretchRightColumn();
  void AutoSizeColumn(int i);
  void AutoSizeColumns();
  void LoadColumnSizes();
  void SaveColumnSizes();
  int IndexOfColumn(int DisplIndex);
  void SwapColumns(int aIdx1, int aIdx2);
  void MoveColumn(int aIdx1, int aIdx2);
  void SetHeaderSize(int AValue);
  void RepaintHeader();
  void ReOrganize();
  void DrawHeaderItem(const DRAWITEMSTRUCT& DrawItemStruct);
  int ColumnImages(int Column);
  void SetColumnImages(int Column, int AValue);

  // --- Files.
  void SaveToFile(const String& filename, bool SaveWithHTML = true, bool Unicode = false);
  void LoadFromFile(const String& filename);
  void SaveToStream(TStream* stream, bool SaveWithHTML = true);
  void LoadFromStream(TStream* stream);
  void SaveToCSV(const String& filename, bool SaveWithHTML = true, bool Unicode = false);
  void LoadFromCSV(const String& filename);
  void InsertFromCSV(const String& filename);
  void SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr, TStrings* FieldDescr,
                 bool SaveWithHTML = true, bool Unicode = false);
  void SaveToHTML(const String& filename, bool SaveWithHTML = true, bool Unicode = false);
  void SaveToAscii(const String& filename, bool SaveWithHTML = true);
  void LoadFromXLS(const String& Filename);
  void SaveToXLS(const String& Filename, bool SaveWithHTML = true);
  void SaveToDOC(const String& Filename, bool SaveWithHTML = true);

  // --- Cell settings, clipboard and item operations.
  int Progress(int Item, int Column);
  void SetProgress(int Item, int Column, int Value);
  int SubItemImages(int Item, int SubItem);
  void SetSubItemImages(int Item, int SubItem, int Value);
  int ItemIndents(int Item, int SubItem);
  void SetItemIndents(int Item, int SubItem, int Value);
  TAdvRichEdit* RichEdit();
  void CopyToClipBoard();
  void CopySelectionToClipboard();
  void CutToClipboard();
  void CutSelectionToClipboard();
  void PasteFromClipboard();
  void SelectItem(int aIdx);
  void SwapItems(int aIdx1, int aIdx2);
  void MoveItem(int aIdx1, int aIdx2);
  void TestFill(int ColCount, int RowCount);
  // The hint for the cell at a client point: empty when none shows; Pos gets
  // the hint's screen position.
  String BuildCellHint(const TPoint& P, TPoint& Pos);
  // The hint beside the thumb while it is dragged (ScrollHint).
  bool ScrollHintShowing() const;
  String ScrollHintText() const;
  HWND ScrollHintWindow() const { return FScrollHintWnd; }

  // --- Sorting.
  void Sort();
  int SortColumn() const { return FSortColumn; }
  void SetSortColumn(int Value);
  TSortDirection SortDirection() const { return FSortDirection; }
  void SetSortDirection(TSortDirection Value);
  bool SortShow() const { return FSortShow; }
  void SetSortShow(bool Value);
  TSortIndicator SortIndicator() const { return FSortIndicator; }
  void SetSortIndicator(TSortIndicator Value) { FSortIndicator = Value; }
  TBitmap* SortUpGlyph() { return FSortUpGlyph; }
  void SetSortUpGlyph(TBitmap* Value) { FSortUpGlyph->Assign(Value); }
  TBitmap* SortDownGlyph() { return FSortDownGlyph; }
  void SetSortDownGlyph(TBitmap* Value) { FSortDownGlyph->Assign(Value); }
  void GetFormat(int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix);
  void CustCompare(int ACol, const String& str1, const String& str2, int& res);
  void RawCompare(int Col, int Row1, int Row2, int& res);
  // The comparison of two rows by the sort settings; sign as for sorting.
  int SortCompare(TListItem* Item1, TListItem* Item2);

  // --- Events.
  TAnchorEvent OnAnchorClick;
  TAnchorEvent OnAnchorEnter;
  TAnchorEvent OnAnchorExit;
  TCanEditCellEvent OnCanEditCell;
  TCheckboxClickEvent OnCheckboxClick;
  TColumnEvent OnColumnRClick;
  TColumnEvent OnColumnSized;
  TCustomCompareEvent OnCustomCompare;
  TDrawDetailPropEvent OnDrawDetailProp;
  TAdvDrawItemEvent OnDrawItem;
  TDrawItemPropEvent OnDrawItemProp;
  TColumnEvent OnEndColumnTrack;
  TStartColumnTrackEvent OnStartColumnTrack;
  TItemEvent OnFilterBtnClick;
  TItemEvent OnFilterChange;
  TFitToPageEvent OnFitToPage;
  TGetFormatEvent OnGetFormat;
  TClickCellEvent OnLeftClickCell;
  TClickCellEvent OnRightClickCell;
  TPrintNewPageEvent OnPrintNewPage;
  TPrintPageEvent OnPrintPage;
  TPrintColumnWidthEvent OnPrintSetColumnWidth;
  TRawCompareEvent OnRawCompare;
  TRearrangeEvent OnRearrange;
  TSaveValueEvent OnSaveValue;
  TSortStartEvent OnSortStart;
  TColumnEvent OnSortDone;
  TURLClickEvent OnURLClick;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void Loaded() override;

 protected:
  void Destroy() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void CNNotify(TMessage& Message) override;
  void CNDrawItem(TMessage& Message) override;
  void CNMeasureItem(TMessage& Message) override;
  void ColClick(TListColumn* Column) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

  virtual void ItemSelected(int Index) {}
  virtual void DoLeftClickCell(int iItem, int iSubItem);
  virtual void DoRightClickCell(int iItem, int iSubItem);
  virtual void DoDrawItemProp(int ItemIndex, int SubItemIndex, TOwnerDrawState AState, TBrush* ABrush,
                              TFont* AFont, const String& ItemText);
  virtual void DoSaveValue(int iItem, int iSubItem, String& AValue);
  virtual int GetVersionNr();
  virtual String GetVersionString();

 private:
  friend class TColumnSize;
  friend class TDetails;
  // Helpers shared by the parts of the list view.
  std::vector<int> OrderArray();
  int ColumnWidthAt(int Column);
  TAlignment ColumnAlignment(int Column);
  String CellText(TListItem* Item, int Column);
  String PlainCell(const String& Text);
  String Export(const String& Text, bool SaveWithHTML);
  // Markup of a cell laid out in R with the list's images, wrapping, link
  // colour and pictures.
  THtmlRenderParams CellHtml(TCanvas* Canvas, const String& Html, const TRect& R);
  bool ReallyLoading() const;
  void NudgeHeight();
  void ApplyWallpaper();
  void HeaderNotify(TMessage& Message);
  void ListTimer();
  void HandleKeyDown(TMessage& Message);
  void HandleLButtonDown(TMessage& Message);
  void HandleLButtonUp(TMessage& Message);
  void HandleVScroll(TMessage& Message);
  bool AnchorAt(int X, int Y, int Item, int Column, String& Href, String& Title);
  void OpenLink(const String& Target, bool AppParent);
  void BeginLabelEdit(TMessage& Message);
  void EndLabelEdit(TMessage& Message);
  void ReadCSV(const String& filename, bool Insert);
  void DrawCell(int Index, int k, const std::vector<int>& Order, TRect ItemRect, int ContentBottom,
                TOwnerDrawState State);
  void DrawDetail(int Index, TRect& ItemRect, const std::vector<int>& Order, TOwnerDrawState State);
  void PrintLayout(TCanvas* Canvas, bool IsPreview);
  TSize MeasurePrintCell(TPrintRun& Run, int Row, int Column);
  void PrintCellStyle(TPrintRun& Run, int Row, int Column, const String& Text, TFont& Font, TBrush& Brush);
  int PrintRowHeight(TPrintRun& Run, int Row);
  int PrintRowAt(TPrintRun& Run, int Row, int Y);
  void PrintBandLines(TPrintRun& Run, int Y);
  void PrintPageTexts(TPrintRun& Run, int Page);
  void SortOnColumn(int a);
  // OnSortStart, and unless it refuses: the sort, the columns' alignment
  // and OnSortDone.
  void SortWithEvents(int Column);
  void ShowSortIndicator(int a);
  void ClearSortIndicator(int a);
  void CopyText(bool SelectionOnly);
  String RichPlainText(int Item, int SubItem);

  TOwned<TControlCanvas> FDrawCanvas;
  TOwned<TFont> FOldfont;
  int FColumnIndex = 0;
  int FItemIndex = 0;
  String FItemCaption;
  bool FEditBusy = false;
  bool FBlockSelection = false;
  bool FAllowSelection = true;
  int FReArrangeIndex = -1;
  bool FInAnchor = false;
  String FLastAnchor;
  TPoint FLastHintPos{-1, -1};
  int FUpdateCount = 0;
  int FListTimerID = -1;
  int FVAlign;
  TAdvRichEdit* FRichEdit = nullptr;
  int MaxWidths[256] = {};
  int Indents[257] = {};
  int FComctrlVersion = -1;
  TRect PrevRect;
  TOwned<TPrintsettings> FPrintSettings;
  TOwned<THTMLSettings> FHTMLSettings;
  TOwned<TDetails> FDetailView;
  TOwned<THTMLPictureCache> FPictureCache;
  TOwned<TProgressSettings> FProgressSettings;
  TOwned<TBitmap> FWallpaper;
  TOwned<TColumnSize> FColumnSize;
  TOwned<TBitmap> FSortUpGlyph;
  TOwned<TBitmap> FSortDownGlyph;
  TOwned<TBitmap> FCheckTrueGlyph;
  TOwned<TBitmap> FCheckFalseGlyph;
  TOwned<TFont> FHeaderFont;
  TOwned<TFont> FHeaderSizeFont;
  TCursor FOldCursor = crDefault;
  bool FHeaderTracking = false;
  bool FHeaderUpdating = false;
  double FDPIScale = 1.0;
  bool FAutoHint = false;
  bool FClipboardEnable = false;
  bool FFilterBar = false;
  int FFilterTimeOut = 500;
  TColor FHeaderColor = clNone;
  bool FHeaderDragDrop = false;
  bool FHeaderFlatStyle = false;
  int FHeaderHeight = 13;
  bool FHeaderHotTrack = false;
  TCustomImageList* FHeaderImages = nullptr;
  bool FHeaderOwnerDraw = false;
  bool FHintLargeText = false;
  int FHoverTime = -1;
  bool FHTMLHint = false;
  int FItemHeight = 13;
  bool FLoadHeader = false;
  bool FSaveHeader = false;
  TPictureContainer* FPictureContainer = nullptr;
  bool FReArrangeItems = false;
  bool FScrollHint = false;
  TColor FSelectionColor = clHighlight;
  bool FSelectionRTFKeep = false;
  TColor FSelectionTextColor = clHighlightText;
  bool FSizeWithForm = false;
  bool FStretchColumn = false;
  bool FSubImages = false;
  bool FSubItemEdit = false;
  bool FSubItemSelect = false;
  TColor FURLColor = clBlue;
  bool FURLFull = false;
  bool FURLShow = false;
  TVAlignment FVAlignment = TVAlignment::vtaCenter;
  bool FWordWrap = false;
  wchar_t FDelimiter = 0;
  int FSortColumn = -2;
  int FLastSortColumn = -1;
  TSortDirection FSortDirection = TSortDirection::sdAscending;
  bool FSortShow = false;
  TSortIndicator FSortIndicator = TSortIndicator::siLeft;
  int FPrintPageWidth = 0;
  int FPrintColStart = 0;
  int FPrintColEnd = 0;
  HWND FScrollHintWnd = nullptr;
  String FScrollHintText;
  // The layouts of the cells' markup, kept from paint to paint: enough for
  // the cells of a screenful, each measured and drawn.
  THtmlLayoutCache FHtmlCache{512};
};
