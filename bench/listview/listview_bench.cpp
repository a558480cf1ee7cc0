// Filling a large list: the advanced list view against the platform's own
// list control (SysListView32 driven by its messages) with the same columns,
// rows and texts, on the same form size and in the same run. Each figure is
// the median of a few fills; the list is shown while it fills, as a user's
// list is, each inside its update bracket (no redrawing until the end).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/Forms.h"
#include "base/Units.h"
#include "ui/controls/listview/AdvListView.h"
#include "ui/draw/GdiPlus.h"

namespace {

double NowMs() {
  LARGE_INTEGER c, f;
  QueryPerformanceCounter(&c);
  QueryPerformanceFrequency(&f);
  return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

std::wstring Cell(int Row, int Column) { return L"r" + std::to_wstring(Row) + L"c" + std::to_wstring(Column); }

// The advanced list view on a shown form: columns, then rows with their
// sub-items, then one pass of painting.
double FillOurs(int Rows, int Columns) {
  auto* form = new TForm(nullptr);
  form->SetBounds(0, 0, 800, 600);
  auto* list = new TAdvListView(form);
  list->SetParent(form);
  list->SetBounds(0, 0, 780, 560);
  list->SetViewStyle(TViewStyle::vsReport);
  form->Show();
  Pump();
  double t0 = NowMs();
  list->BeginUpdate();
  for (int c = 0; c < Columns; ++c) {
    TListColumn* col = list->Columns()->Add();
    col->SetCaption(L"Column " + std::to_wstring(c));
    col->SetWidth(60);
  }
  for (int r = 0; r < Rows; ++r) {
    TListItem* item = list->Items()->Add();
    item->SetCaption(Cell(r, 0));
    for (int c = 1; c < Columns; ++c) item->SubItems()->Add(Cell(r, c));
  }
  list->EndUpdate();
  UpdateWindow(list->Handle());
  Pump();
  double ms = NowMs() - t0;
  form->Free();
  Pump();
  return ms;
}

// The platform's list control on a plain window, filled by its messages.
double FillPlatform(int Rows, int Columns) {
  HWND top = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 780, 560,
                              top, nullptr, GetModuleHandleW(nullptr), nullptr);
  Pump();
  double t0 = NowMs();
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int c = 0; c < Columns; ++c) {
    std::wstring caption = L"Column " + std::to_wstring(c);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.fmt = LVCFMT_LEFT;
    col.cx = 60;
    col.pszText = caption.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
  }
  for (int r = 0; r < Rows; ++r) {
    std::wstring text = Cell(r, 0);
    LVITEMW it{};
    it.mask = LVIF_TEXT;
    it.iItem = r;
    it.pszText = text.data();
    int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
    for (int c = 1; c < Columns; ++c) {
      std::wstring sub = Cell(r, c);
      LVITEMW s{};
      s.iSubItem = c;
      s.pszText = sub.data();
      SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&s));
    }
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  Pump();
  double ms = NowMs() - t0;
  DestroyWindow(top);
  Pump();
  return ms;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Compare(const char* Name, int Rows, int Columns, int Runs) {
  std::vector<double> ours, platform;
  // Alternating, so that a slow moment of the machine falls on both.
  for (int i = 0; i < Runs; ++i) {
    platform.push_back(FillPlatform(Rows, Columns));
    ours.push_back(FillOurs(Rows, Columns));
  }
  double a = Median(ours), b = Median(platform);
  std::printf("%-34s TAdvListView %9.1f ms   SysListView32 %9.1f ms   ratio %5.2f (goal at most 2)\n", Name, a, b,
              a / b);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  // "listview_bench ROWS COLUMNS RUNS" measures one size only.
  std::vector<TUnitEntry> units = BaseUnits();
  units.push_back({L"GDIPlus", InitGdiplusUnit, FiniGdiplusUnit});
  if (!InitializeUnits(units)) return 3;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  if (argc == 4) {
    std::printf("Filling a list, median of %d alternating fills\n", std::max(1, atoi(argv[3])));
    Compare("given size", std::max(1, atoi(argv[1])), std::max(1, atoi(argv[2])), std::max(1, atoi(argv[3])));
    FinalizeUnits();
    return 0;
  }
  std::printf("Filling a list, median of 3 alternating fills each\n");
  Compare("10,000 rows x 20 columns", 10000, 20, 3);
  Compare("1,000 rows x 260 columns", 1000, 260, 3);
  FinalizeUnits();
  return 0;
}
