// The rich edit control (riched20): text with CR LF line ends, RTF and
// plain streams, the selection's attributes and the background colour.
#pragma once

#include "base/Lists.h"
#include "base/StdCtrls.h"

class TCustomRichEdit;

// TScrollStyle comes from StdCtrls.h (the memo has scroll bars too).

// The character attributes of the selection.
class TTextAttributes : public TPersistent {
  VANTREL_CLASS(TTextAttributes)
 public:
  explicit TTextAttributes(TCustomRichEdit* AOwner) : FOwner(AOwner) {}
  TColor Color();
  void SetColor(TColor Value);

 private:
  TCustomRichEdit* FOwner;
};

// The lines of a rich edit: the control's text split at its line ends.
// Streams carry RTF unless the control's PlainText is on.
class TRichEditStrings : public TStrings {
  VANTREL_CLASS(TRichEditStrings)
 public:
  explicit TRichEditStrings(TCustomRichEdit* AOwner) : FOwner(AOwner) {}
  void Insert(int Index, const String& S) override;
  void Delete(int Index) override;
  void Clear() override;
  void SetText(const String& Value) override;
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream, TTextEncoding Encoding = TTextEncoding::teAnsi) override;

 protected:
  String Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const String& S) override;

 private:
  TCustomRichEdit* FOwner;
};

class TCustomRichEdit : public TCustomEdit {
  VANTREL_CLASS(TCustomRichEdit)
 public:
  explicit TCustomRichEdit(TComponent* AOwner);

  TStrings* Lines() { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  // The whole text, lines joined by CR LF.
  String Text() override;
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool Value) { FPlainText = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TTextAttributes* SelAttributes() { return FSelAttributes; }
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  // Empties the text; always reported through OnChange.
  void Clear();

  void Dispatch(TMessage& Message) override;

 protected:
  void Destroy() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void SaveWindowState() override;
  bool MultiLine() const override { return true; }

 private:
  friend class TRichEditStrings;
  friend class TTextAttributes;
  void StreamIn(const AnsiString& Data, UINT Format);
  AnsiString StreamOut(UINT Format);

  TRichEditStrings* FLines;
  TTextAttributes* FSelAttributes;
  bool FPlainText = false;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = TScrollStyle::ssNone;
  bool FSettingText = false;
  AnsiString FSavedRtf;  // the content while the window is being made again
};

class TRichEdit : public TCustomRichEdit {
  VANTREL_CLASS(TRichEdit)
 public:
  using TCustomRichEdit::TCustomRichEdit;
};
