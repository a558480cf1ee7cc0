#include "base/Printers.h"

#include <winspool.h>

namespace {

String DefaultPrinterName() {
  DWORD n = 0;
  GetDefaultPrinterW(nullptr, &n);
  if (n == 0) return String();
  String name(n, L'\0');
  if (!GetDefaultPrinterW(name.data(), &n)) return String();
  name.resize(wcslen(name.c_str()));
  return name;
}

std::unique_ptr<TPrinter>& Instance() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}

}  // namespace

// ---------------------------------------------------------------------------
// TSystemPrinterDevice

TSystemPrinterDevice::~TSystemPrinterDevice() { Close(); }

void TSystemPrinterDevice::Close() {
  if (FDC) DeleteDC(FDC);
  FDC = nullptr;
}

HDC TSystemPrinterDevice::BeginDoc(const String& Title, TPrinterOrientation Orientation) {
  String name = DefaultPrinterName();
  if (name.empty()) throw EPrinter(L"There is no default printer");
  HANDLE printer = nullptr;
  std::vector<BYTE> mode;
  if (OpenPrinterW(name.data(), &printer, nullptr)) {
    LONG size = DocumentPropertiesW(nullptr, printer, name.data(), nullptr, nullptr, 0);
    if (size > 0) {
      mode.resize(static_cast<size_t>(size));
      auto* dm = reinterpret_cast<DEVMODEW*>(mode.data());
      if (DocumentPropertiesW(nullptr, printer, name.data(), dm, nullptr, DM_OUT_BUFFER) == IDOK) {
        dm->dmFields |= DM_ORIENTATION;
        dm->dmOrientation = Orientation == TPrinterOrientation::poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
      } else {
        mode.clear();
      }
    }
    ClosePrinter(printer);
  }
  FDC = CreateDCW(L"WINSPOOL", name.c_str(), nullptr,
                  mode.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(mode.data()));
  if (!FDC) throw EPrinter(L"Cannot open the printer %s", {name});
  DOCINFOW doc{};
  doc.cbSize = sizeof(doc);
  doc.lpszDocName = Title.c_str();
  if (StartDocW(FDC, &doc) <= 0 || StartPage(FDC) <= 0) {
    Close();
    throw EPrinter(L"The printer %s cannot start the job", {name});
  }
  return FDC;
}

HDC TSystemPrinterDevice::NewPage() {
  EndPage(FDC);
  StartPage(FDC);
  return FDC;
}

void TSystemPrinterDevice::EndDoc() {
  if (!FDC) return;
  EndPage(FDC);
  ::EndDoc(FDC);
  Close();
}

void TSystemPrinterDevice::Abort() {
  if (!FDC) return;
  AbortDoc(FDC);
  Close();
}

// ---------------------------------------------------------------------------
// TPrinter

TPrinter::TPrinter() : FDevice(new TSystemPrinterDevice), FCanvas(new TCanvas) {}

TPrinter::~TPrinter() {
  if (FPrinting) {
    try {
      Abort();
    } catch (...) {
    }
  }
  delete FCanvas;
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  if (FPrinting) throw EPrinter(L"Printing in progress");
  FOrientation = Value;
}

void TPrinter::Attach(HDC DC) {
  FCanvas->SetHandle(nullptr);
  FDC = DC;
  FCanvas->SetHandle(DC);
}

void TPrinter::BeginDoc() {
  if (FPrinting) throw EPrinter(L"Printing in progress");
  HDC dc = FDevice->BeginDoc(FTitle, FOrientation);
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
  Attach(dc);
}

void TPrinter::NewPage() {
  if (!FPrinting) throw EPrinter(L"Printer is not currently printing");
  FCanvas->SetHandle(nullptr);
  Attach(FDevice->NewPage());
  ++FPageNumber;
}

void TPrinter::EndDoc() {
  if (!FPrinting) throw EPrinter(L"Printer is not currently printing");
  FCanvas->SetHandle(nullptr);
  FDC = nullptr;
  FPrinting = false;
  FDevice->EndDoc();
}

void TPrinter::Abort() {
  if (!FPrinting) throw EPrinter(L"Printer is not currently printing");
  FCanvas->SetHandle(nullptr);
  FDC = nullptr;
  FPrinting = false;
  FAborted = true;
  FDevice->Abort();
}

namespace {
// A page drawn in memory is the size of its bitmap; a printer's is its
// printable area.
SIZE PageSize(HDC DC) {
  if (!DC) return SIZE{0, 0};
  if (GetObjectType(DC) == OBJ_MEMDC) {
    BITMAP bm{};
    if (GetObjectW(GetCurrentObject(DC, OBJ_BITMAP), sizeof(bm), &bm)) return SIZE{bm.bmWidth, bm.bmHeight};
  }
  return SIZE{GetDeviceCaps(DC, HORZRES), GetDeviceCaps(DC, VERTRES)};
}
}  // namespace

int TPrinter::PageWidth() { return PageSize(FDC).cx; }
int TPrinter::PageHeight() { return PageSize(FDC).cy; }

std::vector<String> TPrinter::Printers() const {
  std::vector<String> names;
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed) {
    std::vector<BYTE> buf(needed);
    if (EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buf.data(), needed, &needed, &count)) {
      auto* info = reinterpret_cast<PRINTER_INFO_4W*>(buf.data());
      for (DWORD i = 0; i < count; ++i) names.push_back(info[i].pPrinterName);
    }
  }
  String def = DefaultPrinterName();
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == def) {
      names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
      names.insert(names.begin(), def);
      break;
    }
  return names;
}

void TPrinter::SetDevice(std::unique_ptr<TPrinterDevice> Device) {
  if (FPrinting) throw EPrinter(L"Printing in progress");
  FDevice = Device ? std::move(Device) : std::unique_ptr<TPrinterDevice>(new TSystemPrinterDevice);
}

TPrinter* Printer() {
  auto& p = Instance();
  if (!p) p.reset(new TPrinter);
  return p.get();
}

void FreePrinter() { Instance().reset(); }
