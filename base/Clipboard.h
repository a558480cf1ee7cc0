// The system clipboard.
#pragma once

#include "base/Object.h"

class TClipboard : public TObject {
  VANTREL_CLASS(TClipboard)
 public:
  TClipboard() = default;
  ~TClipboard() override;

  // Opening retries briefly while another program holds the clipboard, then
  // raises Exception. Open and Close nest.
  void Open();
  void Close();

  String AsText();  // CF_UNICODETEXT; "" when the clipboard holds no text
  void SetAsText(const String& Value);
  bool HasFormat(UINT Format) const;

 private:
  HWND FHandle = nullptr;  // a message-only window that owns what we put there
  int FOpenRefCount = 0;
};

// The process-wide clipboard object, created on first use.
TClipboard* Clipboard();
