// ConvertCharset UTF-8 -> CP1250 -> UTF-8 on 1 MiB of Polish text, beside
// MultiByteToWideChar/WideCharToMultiByte doing the same in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "net/charsets.h"

namespace {

const char kParagraph[] =
    "Litwo! Ojczyzno moja! ty jesteś jak zdrowie. Ile cię trzeba cenić, ten tylko się dowie, "
    "kto cię stracił. Dziś piękność twą w całej ozdobie widzę i opisuję, bo tęsknię po tobie. "
    "Zażółć gęślą jaźń. Żółw śpiący, źrebię śmiało, Łódź, Środa.\r\n";

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

std::string PlatformConvert(const std::string& s, UINT from, UINT to) {
  int n = MultiByteToWideChar(from, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(from, 0, s.data(), int(s.size()), w.data(), n);
  int m = WideCharToMultiByte(to, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(m, '\0');
  WideCharToMultiByte(to, 0, w.data(), n, out.data(), m, nullptr, nullptr);
  return out;
}

struct Result {
  double toCp1250, toUtf8;
};

template <class F>
Result Measure(F convert, const std::string& utf8, int runs, bool& same) {
  std::vector<double> a, b;
  for (int i = 0; i < runs; ++i) {
    double t0 = Now();
    std::string cp = convert(utf8, true);
    double t1 = Now();
    std::string back = convert(cp, false);
    double t2 = Now();
    same = same && back == utf8;
    a.push_back(t1 - t0);
    b.push_back(t2 - t1);
  }
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return {a[a.size() / 2], b[b.size() / 2]};
}

}  // namespace

int main() {
  InitCharsetsUnit();
  std::string text;
  while (text.size() < (1u << 20)) text += kParagraph;
  text.resize(1u << 20);
  while ((text.back() & 0xC0) == 0x80 || (text.back() & 0x80)) text.pop_back();  // whole characters

  const int runs = 21;
  bool oursRound = true, platformRound = true;
  Result ours = Measure(
      [](const std::string& s, bool toCp) {
        return toCp ? ConvertCharset(s, TMimeChar::UTF_8, TMimeChar::CP1250)
                    : ConvertCharset(s, TMimeChar::CP1250, TMimeChar::UTF_8);
      },
      text, runs, oursRound);
  Result platform = Measure(
      [](const std::string& s, bool toCp) {
        return toCp ? PlatformConvert(s, CP_UTF8, 1250) : PlatformConvert(s, 1250, CP_UTF8);
      },
      text, runs, platformRound);
  bool agree = ConvertCharset(text, TMimeChar::UTF_8, TMimeChar::CP1250) == PlatformConvert(text, CP_UTF8, 1250);

  double mib = double(text.size()) / (1 << 20);
  std::printf("ConvertCharset on %.2f MiB of Polish UTF-8 text, median of %d runs\n", mib, runs);
  std::printf("%-34s %10s %10s %12s\n", "", "ms", "MiB/s", "vs platform");
  auto row = [&](const char* name, double ms, double platformMs) {
    std::printf("%-34s %10.2f %10.1f %11.2fx\n", name, ms, mib / (ms / 1000.0), platformMs / ms);
  };
  row("ours UTF-8 -> CP1250", ours.toCp1250, platform.toCp1250);
  row("platform UTF-8 -> CP1250", platform.toCp1250, platform.toCp1250);
  row("ours CP1250 -> UTF-8", ours.toUtf8, platform.toUtf8);
  row("platform CP1250 -> UTF-8", platform.toUtf8, platform.toUtf8);
  std::printf("round trips intact: ours %s, platform %s; same CP1250 bytes: %s\n", oursRound ? "yes" : "NO",
              platformRound ? "yes" : "NO", agree ? "yes" : "NO");
  FiniCharsetsUnit();
  return oursRound && agree ? 0 : 1;
}
