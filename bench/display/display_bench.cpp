// What a 64 KiB datagram costs the window thread when it is shown: each
// kind of content handed to the main window's dispatcher as the log line,
// an in-box message and an out-box message (the program's five windows in
// this process, shown). Prints the median and the worst of 20 deliveries of
// each; the goal is well under 100 ms for every one.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "app/AppUnits.h"
#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/Program.h"
#include "base/Forms.h"

namespace {

double NowMs() {
  LARGE_INTEGER c, f;
  QueryPerformanceCounter(&c);
  QueryPerformanceFrequency(&f);
  return c.QuadPart * 1000.0 / f.QuadPart;
}

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

String Repeat(const String& Piece, size_t Size) {
  String s;
  while (s.size() < Size) s += Piece;
  s.resize(Size);
  return s;
}

}  // namespace

int main() {
  std::vector<TUnitEntry> units;
  for (const TUnitEntry& e : AppUnits())
    if (wcscmp(e.Name, L"SingleInstance") != 0) units.push_back(e);
  if (!InitializeUnits(units)) return 3;
  CreateProgramForms();
  for (TTimer* t : {Form1->Timer1, Form1->Timer2, Form1->Timer3, Form1->Timer4}) t->SetEnabled(false);
  for (TCustomForm* f : {static_cast<TCustomForm*>(Form1), static_cast<TCustomForm*>(frmNewSMS),
                         static_cast<TCustomForm*>(frmSmsInBox), static_cast<TCustomForm*>(frmSMSOutBox)})
    f->Show();
  Pump();
  const size_t kSize = 65507;
  struct Content {
    const char* Name;
    String Text;
  } contents[] = {
      {"one line", Repeat(L"x", kSize)},
      {"words", Repeat(L"lorem ipsum ", kSize)},
      {"line breaks", Repeat(L"\r\n", kSize)},
      {"tabs", Repeat(L"\t", kSize)},
      {"tildes", Repeat(L"~", kSize)},
      {"modifier letters", Repeat(L"\x02DC", kSize)},
      {"control bytes", Repeat(String(L"\x01\x98\x1b", 3), kSize)},
  };
  const char* places[] = {"log", "in-box", "out-box"};
  std::printf("%-18s %-8s %10s %10s\n", "content", "shown in", "median ms", "worst ms");
  double worstOfAll = 0;
  for (const Content& c : contents) {
    for (int place = 0; place < 3; ++place) {
      String packet = place == 0 ? c.Text
                      : place == 1 ? L"AT+NEWSMS=+48600~" + c.Text
                                   : L"AT+SMS_SEND_OK=+48600~1~1~" + c.Text;
      std::vector<double> ms;
      for (int i = 0; i < 20; ++i) {
        String response;
        double start = NowMs();
        Form1->OvUDPS1GetPacketUDP(Form1->OvUDPS1, packet, L"", L"10.77.0.1", L"43000", response);
        Pump();
        ms.push_back(NowMs() - start);
      }
      std::sort(ms.begin(), ms.end());
      worstOfAll = std::max(worstOfAll, ms.back());
      std::printf("%-18s %-8s %10.1f %10.1f\n", c.Name, places[place], ms[ms.size() / 2], ms.back());
      std::fflush(stdout);
    }
  }
  std::printf("worst delivery: %.1f ms (goal: well under 100 ms)\n", worstOfAll);
  Application->DestroyComponents();
  FinalizeUnits();
  return 0;
}
