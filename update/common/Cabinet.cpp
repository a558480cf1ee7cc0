#include "update/common/Cabinet.h"

#include <fdi.h>
#include <mutex>

#include "base/FileUtils.h"
#include "update/common/UpdatePaths.h"

namespace {

using FDICreateFn = HFDI(DIAMONDAPI*)(PFNALLOC, PFNFREE, PFNOPEN, PFNREAD, PFNWRITE, PFNCLOSE, PFNSEEK, int, PERF);
using FDIIsCabinetFn = BOOL(DIAMONDAPI*)(HFDI, INT_PTR, PFDICABINETINFO);
using FDICopyFn = BOOL(DIAMONDAPI*)(HFDI, char*, char*, int, PFNFDINOTIFY, PFNFDIDECRYPT, void*);
using FDIDestroyFn = BOOL(DIAMONDAPI*)(HFDI);

// The extraction under way (one at a time).
struct TExtraction {
  String TargetDir;
  bool Extracting = false;
  bool NoTarget = false;
  bool Failed = false;
};
TExtraction gState;
std::mutex gLock;

FNALLOC(Alloc) { return HeapAlloc(GetProcessHeap(), 0, cb); }
FNFREE(Free) { HeapFree(GetProcessHeap(), 0, pv); }

// FDI hands names in the ANSI code page (or UTF-8 where the cabinet says
// so); the files are opened with their wide names.
String NameFromFdi(const char* Name, bool Utf8) { return AnsiToWide(Name ? Name : "", Utf8 ? CP_UTF8 : CP_ACP); }

INT_PTR OpenHandle(const String& Name, int Flags) {
  DWORD access = GENERIC_READ, disposition = OPEN_EXISTING;
  if ((Flags & 3) == 1) access = GENERIC_WRITE;
  if ((Flags & 3) == 2) access = GENERIC_READ | GENERIC_WRITE;
  if (Flags & 0x0100) disposition = (Flags & 0x0200) ? CREATE_ALWAYS : OPEN_ALWAYS;  // _O_CREAT, _O_TRUNC
  HANDLE h = CreateFileW(Name.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<INT_PTR>(h);
}

FNOPEN(Open) { return OpenHandle(NameFromFdi(pszFile, false), oflag); }

FNREAD(Read) {
  DWORD got = 0;
  if (!ReadFile(reinterpret_cast<HANDLE>(hf), pv, cb, &got, nullptr)) return static_cast<UINT>(-1);
  return got;
}

FNWRITE(Write) {
  DWORD put = 0;
  if (!WriteFile(reinterpret_cast<HANDLE>(hf), pv, cb, &put, nullptr)) return static_cast<UINT>(-1);
  return put;
}

FNCLOSE(Close) { return CloseHandle(reinterpret_cast<HANDLE>(hf)) ? 0 : -1; }

FNSEEK(Seek) {
  DWORD r = SetFilePointer(reinterpret_cast<HANDLE>(hf), dist, nullptr, static_cast<DWORD>(seektype));
  return r == INVALID_SET_FILE_POINTER ? -1 : static_cast<long>(r);
}

// The stored date and time as the file's last write time, taken as local
// time; 0 and 0 mean now.
void SetStoredTime(HANDLE File, USHORT Date, USHORT Time) {
  FILETIME utc;
  if (Date == 0 && Time == 0) {
    GetSystemTimeAsFileTime(&utc);
  } else {
    FILETIME local;
    if (!DosDateTimeToFileTime(Date, Time, &local) || !LocalFileTimeToFileTime(&local, &utc)) return;
  }
  SetFileTime(File, nullptr, nullptr, &utc);
}

FNFDINOTIFY(Notify) {
  switch (fdint) {
    case fdintCOPY_FILE: {
      if (!gState.Extracting) return 0;
      String stored = StringReplaceAll(NameFromFdi(pfdin->psz1, (pfdin->attribs & _A_NAME_IS_UTF) != 0), L"/", L"\\");
      if (!IsSafeRelativePath(stored)) {
        gState.Failed = true;
        return 0;  // skipped
      }
      String base = gState.NoTarget ? IncludeTrailingPathDelimiter(GetCurrentDir()) : gState.TargetDir;
      String target = base + stored;
      String folder = ExtractFilePath(target);
      if (!folder.empty() && !DirectoryExists(folder) && !ForceDirectories(folder)) return -1;
      return OpenHandle(target, 0x0301 /* write, create, truncate */);
    }
    case fdintCLOSE_FILE_INFO:
      if (!gState.Extracting) return TRUE;
      SetStoredTime(reinterpret_cast<HANDLE>(pfdin->hf), pfdin->date, pfdin->time);
      CloseHandle(reinterpret_cast<HANDLE>(pfdin->hf));
      return TRUE;
    default:
      return 0;
  }
}

// The cabinet's path as FDI wants it: ANSI, with a short form when the
// long one does not survive the code page.
std::string AnsiPath(const String& Path) {
  std::string a = WideToAnsi(Path);
  if (AnsiToWide(a) == Path) return a;
  wchar_t shortPath[MAX_PATH * 2];
  DWORD n = GetShortPathNameW(Path.c_str(), shortPath, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return std::string();
  return WideToAnsi(String(shortPath, n));
}

}  // namespace

int ExtractCabinet(const String& CabFile, const String& TargetDir) {
  HANDLE probe = CreateFileW(CabFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return -1;
  CloseHandle(probe);
  HMODULE lib = LoadLibraryW(L"cabinet.dll");
  if (!lib) return -1;
  std::lock_guard<std::mutex> lock(gLock);
  auto create = reinterpret_cast<FDICreateFn>(GetProcAddress(lib, "FDICreate"));
  auto isCabinet = reinterpret_cast<FDIIsCabinetFn>(GetProcAddress(lib, "FDIIsCabinet"));
  auto copy = reinterpret_cast<FDICopyFn>(GetProcAddress(lib, "FDICopy"));
  auto destroy = reinterpret_cast<FDIDestroyFn>(GetProcAddress(lib, "FDIDestroy"));
  int result = -1;
  std::string full = AnsiPath(ExpandFileName(CabFile));
  if (create && isCabinet && copy && destroy && !full.empty()) {
    gState = TExtraction{TargetDir.empty() ? String() : IncludeTrailingPathDelimiter(TargetDir)};
    ERF erf{};
    HFDI fdi = create(Alloc, Free, Open, Read, Write, Close, Seek, cpu80386, &erf);
    if (fdi) {
      INT_PTR h = OpenHandle(ExpandFileName(CabFile), 0);
      FDICABINETINFO info{};
      bool cabinet = h != -1 && isCabinet(fdi, h, &info);
      if (h != -1) CloseHandle(reinterpret_cast<HANDLE>(h));
      if (cabinet) {
        gState.Extracting = true;
        gState.NoTarget = TargetDir.empty();
        size_t slash = full.find_last_of('\\');
        std::string name = full.substr(slash + 1);
        std::string folder = full.substr(0, slash + 1);
        bool copied = copy(fdi, name.data(), folder.data(), 0, Notify, nullptr, nullptr) != 0;
        gState.Extracting = false;
        bool destroyed = destroy(fdi) != 0;
        result = copied && destroyed && !gState.Failed ? 0 : -1;
      } else {
        destroy(fdi);
      }
    }
    gState = TExtraction{};
  }
  FreeLibrary(lib);
  return result;
}
