#include "tests/controls/listview/AutoServerSupport.h"

#include "base/Registry.h"

namespace {

const wchar_t* const kProgIds[] = {L"excel.application", L"word.application"};

std::wstring GuidText(const CLSID& Id) {
  wchar_t buf[64];
  StringFromGUID2(Id, buf, 64);
  return buf;
}

template <class F>
F Export(HMODULE Module, const char* Name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Module, Name)));
}

}  // namespace

TAutoServer::TAutoServer() {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path = exe;
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"vantrel_autoserver.dll";
  FModule = LoadLibraryW(path.c_str());
  if (!FModule) return;
  auto classOf = Export<const CLSID* (*)(int)>(FModule, "ServerClass");
  TRegistry reg;
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  for (int i = 0; i < 2; ++i) {
    std::wstring clsid = GuidText(*classOf(i));
    if (reg.OpenKey(std::wstring(L"\\") + kProgIds[i] + L"\\CLSID", true)) {
      reg.WriteString(L"", clsid);
      reg.CloseKey();
    }
    if (reg.OpenKey(L"\\CLSID\\" + clsid + L"\\InprocServer32", true)) {
      reg.WriteString(L"", path);
      reg.WriteString(L"ThreadingModel", L"Apartment");
      reg.CloseKey();
    }
  }
  Reset();
}

TAutoServer::~TAutoServer() { Unregister(); }

void TAutoServer::Unregister() {
  if (!FModule) return;
  auto classOf = Export<const CLSID* (*)(int)>(FModule, "ServerClass");
  TRegistry reg;
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  for (int i = 0; i < 2; ++i) {
    reg.DeleteKey(std::wstring(L"\\") + kProgIds[i]);
    reg.DeleteKey(L"\\CLSID\\" + GuidText(*classOf(i)));
  }
}

void TAutoServer::Reset() {
  if (FModule) Export<void (*)()>(FModule, "ServerReset")();
}

std::wstring TAutoServer::Log() {
  return FModule ? Export<const wchar_t* (*)()>(FModule, "ServerLog")() : L"";
}

int TAutoServer::LiveObjects() { return FModule ? Export<int (*)()>(FModule, "ServerLiveObjects")() : -1; }

void TAutoServer::SetBlock(const wchar_t* Address, const wchar_t* Cells) {
  if (FModule) Export<void (*)(const wchar_t*, const wchar_t*)>(FModule, "ServerSetBlock")(Address, Cells);
}

void TAutoServer::SetExactBlock(bool On) {
  if (FModule) Export<void (*)(bool)>(FModule, "ServerSetExactBlock")(On);
}

void TAutoServer::FailOn(const wchar_t* Name) {
  if (FModule) Export<void (*)(const wchar_t*)>(FModule, "ServerFailOn")(Name);
}
