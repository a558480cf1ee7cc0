// Download throughput of the update: a 64 MiB file from the local HTTP
// server (tools/update/test_servers.py on loopback) through
// TNetUpdate::URLGetFile, beside a plain WinINet InternetReadFile loop that
// writes the same file, in the same run, taking turns. Goal: ours at least
// 0.9 of the plain loop's throughput.
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/FileUtils.h"
#include "tools/update/ServerProcess.h"
#include "update/NetUpdate.h"

namespace {

constexpr int64_t kSize = 64ll * 1024 * 1024;
constexpr int kRuns = 9;

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

int64_t SizeOf(const String& File) { return FileSize(File); }

// Seconds for the plain loop: open, read in 64 KiB blocks, write a file.
double PlainRun(const String& Url, const String& File) {
  double start = Now();
  HINTERNET session = InternetOpenW(L"bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  HINTERNET request = InternetOpenUrlW(session, Url.c_str(), nullptr, 0, 0x84000100, 0);
  HANDLE out = CreateFileW(File.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::vector<char> buf(64 * 1024);
  DWORD got = 0, put = 0;
  while (request && InternetReadFile(request, buf.data(), static_cast<DWORD>(buf.size()), &got) && got)
    WriteFile(out, buf.data(), got, &put, nullptr);
  CloseHandle(out);
  if (request) InternetCloseHandle(request);
  InternetCloseHandle(session);
  return Now() - start;
}

// Seconds for the component: its session, then URLGetFile into Folder.
double OurRun(const String& Url, const String& Folder) {
  double start = Now();
  TNetUpdate* update = new TNetUpdate(nullptr);
  // As in a run, the component's URL names the update server.
  update->SetURL(Url);
  update->SetUseWinTempDir(false);
  update->SetTempDirectory(Folder);
  update->StartConnection();
  bool ok = update->URLGetFile(update->HintConnect(), Url, Folder, false);
  update->StopConnection();
  update->Free();
  double seconds = Now() - start;
  return ok ? seconds : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int wmain() {
  String folder = IncludeTrailingPathDelimiter(GetTempDir()) + L"vantrel_download_bench\\";
  ForceDirectories(folder);
  std::map<std::string, std::string> ports;
  if (!StartUpdateServers(folder, L"--no-tls --no-ftp", ports)) {
    std::printf("download bench: the local HTTP server did not start\n");
    return 1;
  }
  String url = L"http://127.0.0.1:" + AnsiToWide(ports["http"]) + L"/big/" + IntToStr(kSize);
  std::vector<double> plain, ours, ratios;
  for (int i = 0; i < kRuns; ++i) {
    // Each run writes a new file; which way goes first alternates, so that
    // the write-back of the file before falls on both alike.
    DeleteFileW((folder + L"plain.bin").c_str());
    DeleteFileW((folder + IntToStr(kSize)).c_str());
    double p = 0, t = 0;
    if (i % 2 == 0) {
      p = PlainRun(url, folder + L"plain.bin");
      t = OurRun(url, folder);
    } else {
      t = OurRun(url, folder);
      p = PlainRun(url, folder + L"plain.bin");
    }
    if (t < 0 || SizeOf(folder + IntToStr(kSize)) != kSize) {
      std::printf("download bench: URLGetFile did not bring the whole file\n");
      return 1;
    }
    plain.push_back(p);
    ours.push_back(t);
    ratios.push_back(p / t);  // our rate over the plain rate
  }
  if (SizeOf(folder + L"plain.bin") != kSize) {
    std::printf("download bench: the plain loop did not bring the whole file\n");
    return 1;
  }
  double mb = static_cast<double>(kSize) / (1024.0 * 1024.0);
  double plainRate = mb / Median(plain), ourRate = mb / Median(ours);
  std::printf("64 MiB over HTTP from loopback, %d runs of each taking turns, medians:\n", kRuns);
  std::printf("  plain WinINet read loop: %8.1f MiB/s\n", plainRate);
  std::printf("  URLGetFile:              %8.1f MiB/s\n", ourRate);
  std::printf("  ratio %.2f (median of the runs' ratios; lowest %.2f; goal: at least 0.90)\n", Median(ratios),
              *std::min_element(ratios.begin(), ratios.end()));
  DeleteFileW((folder + L"plain.bin").c_str());
  DeleteFileW((folder + IntToStr(kSize)).c_str());
  return 0;
}
