// The printer: a print job's pages drawn on a canvas. Where the pages go is
// a device of its own: the system's default printer, or any other device
// (tests record the pages in bitmaps).
#pragma once

#include <memory>
#include <vector>

#include "base/Graphics.h"

enum class TPrinterOrientation { poPortrait, poLandscape };

// Where a print job goes.
class TPrinterDevice {
 public:
  virtual ~TPrinterDevice() = default;
  // Starts the job and its first page; returns the page's device context.
  virtual HDC BeginDoc(const String& Title, TPrinterOrientation Orientation) = 0;
  // Ends the page and starts the next; returns its device context.
  virtual HDC NewPage() = 0;
  virtual void EndDoc() = 0;
  virtual void Abort() = 0;
};

// The system's default printer; BeginDoc raises EPrinter when there is none.
class TSystemPrinterDevice : public TPrinterDevice {
 public:
  ~TSystemPrinterDevice() override;
  HDC BeginDoc(const String& Title, TPrinterOrientation Orientation) override;
  HDC NewPage() override;
  void EndDoc() override;
  void Abort() override;

 private:
  void Close();
  HDC FDC = nullptr;
};

VANTREL_EXCEPTION(EPrinter, Exception)

class TPrinter : public TObject {
  VANTREL_CLASS(TPrinter)
 public:
  TPrinter();
  ~TPrinter() override;

  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value);
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  // EPrinter while a job runs, or when the device fails.
  void BeginDoc();
  void EndDoc();
  void Abort();
  void NewPage();
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  // 1 on the first page.
  int PageNumber() const { return FPageNumber; }
  // The canvas of the current page (only while printing).
  TCanvas* Canvas() { return FCanvas; }
  // The page in device pixels.
  int PageWidth();
  int PageHeight();
  // The names of the installed printers, the default one first.
  std::vector<String> Printers() const;

  // Puts a device in place of the system printer (nullptr: the system
  // printer again).
  void SetDevice(std::unique_ptr<TPrinterDevice> Device);

 private:
  void Attach(HDC DC);
  std::unique_ptr<TPrinterDevice> FDevice;
  TCanvas* FCanvas;
  TPrinterOrientation FOrientation = TPrinterOrientation::poPortrait;
  String FTitle;
  bool FPrinting = false;
  bool FAborted = false;
  int FPageNumber = 0;
  HDC FDC = nullptr;
};

// The process's printer, made on first use.
TPrinter* Printer();
// Frees it (the next use makes a new one).
void FreePrinter();
