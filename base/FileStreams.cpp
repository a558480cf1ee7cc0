#include "base/FileStreams.h"

#include <algorithm>
#include <cstring>

// ---------------------------------------------------------------------------
// TFileStream

TFileStream::TFileStream(const String& AFileName, unsigned Mode) : FFileName(AFileName) {
  if (Mode == fmCreate || (Mode & 0xFF00) == fmCreate) {
    FHandle = CreateFileW(AFileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE)
      throw EFCreateError(L"Cannot create file \"%s\". %s", {AFileName, SysErrorMessage(GetLastError())});
    return;
  }
  static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  switch (Mode & 0xF0) {
    case fmShareExclusive: share = 0; break;
    case fmShareDenyWrite: share = FILE_SHARE_READ; break;
    default: break;
  }
  FHandle = CreateFileW(AFileName.c_str(), access[std::min(Mode & 3u, 2u)], share, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  if (FHandle == INVALID_HANDLE_VALUE)
    throw EFOpenError(L"Cannot open file \"%s\". %s", {AFileName, SysErrorMessage(GetLastError())});
}

TFileStream::~TFileStream() {
  if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

int TFileStream::Read(void* Buffer, int Count) {
  DWORD got = 0;
  if (Count <= 0 || !ReadFile(FHandle, Buffer, static_cast<DWORD>(Count), &got, nullptr)) return 0;
  return static_cast<int>(got);
}

int TFileStream::Write(const void* Buffer, int Count) {
  DWORD wrote = 0;
  if (Count <= 0 || !WriteFile(FHandle, Buffer, static_cast<DWORD>(Count), &wrote, nullptr)) return 0;
  return static_cast<int>(wrote);
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER dist, pos;
  dist.QuadPart = Offset;
  if (!SetFilePointerEx(FHandle, dist, &pos, methods[static_cast<int>(Origin)]))
    throw EStreamError(L"Seek error in \"%s\". %s", {FFileName, SysErrorMessage(GetLastError())});
  return pos.QuadPart;
}

void TFileStream::SetSize(int64_t NewSize) {
  int64_t pos = Position();
  Seek(NewSize, TSeekOrigin::soBeginning);
  if (!SetEndOfFile(FHandle))
    throw EStreamError(L"Cannot size \"%s\". %s", {FFileName, SysErrorMessage(GetLastError())});
  Seek(std::min(pos, NewSize), TSeekOrigin::soBeginning);
}

// ---------------------------------------------------------------------------
// TResourceStream

TResourceStream::TResourceStream(HINSTANCE Instance, const String& ResName, LPCWSTR ResType) {
  Initialize(Instance, ResName.c_str(), ResType, ResName);
}

TResourceStream::TResourceStream(HINSTANCE Instance, int ResID, LPCWSTR ResType) {
  Initialize(Instance, MAKEINTRESOURCEW(ResID), ResType, IntToStr(ResID));
}

bool TResourceStream::Exists(HINSTANCE Instance, LPCWSTR Name, LPCWSTR ResType) {
  return FindResourceW(Instance, Name, ResType) != nullptr;
}

void TResourceStream::Initialize(HINSTANCE Instance, LPCWSTR Name, LPCWSTR ResType, const String& Shown) {
  HRSRC res = FindResourceW(Instance, Name, ResType);
  if (!res) throw EResNotFound(L"Resource %s not found", {Shown});
  HGLOBAL data = LoadResource(Instance, res);
  DWORD size = SizeofResource(Instance, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes && size) throw EResNotFound(L"Resource %s cannot be loaded", {Shown});
  if (size) WriteBuffer(bytes, static_cast<int>(size));
  SetPosition(0);
}

// ---------------------------------------------------------------------------
// Global memory streams

namespace {
TGlobalAllocator gAllocator = nullptr;
}

void SetGlobalAllocator(TGlobalAllocator Allocator) { gAllocator = Allocator; }

HGLOBAL AllocGlobal(UINT Flags, SIZE_T Bytes) {
  return gAllocator ? gAllocator(Flags, Bytes) : GlobalAlloc(Flags, Bytes);
}

TGlobalStreamResult CreateGlobalStream(const void* Data, size_t Size, IStream** Stream) {
  *Stream = nullptr;
  HGLOBAL block = AllocGlobal(GMEM_MOVEABLE, Size);
  if (!block) return TGlobalStreamResult::gsNoMemory;
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
    GlobalFree(block);
    return TGlobalStreamResult::gsNoStream;
  }
  ULONG written = 0;
  HRESULT hr = Size ? stream->Write(Data, static_cast<ULONG>(Size), &written) : S_OK;
  if (FAILED(hr) || written != Size) {
    stream->Release();
    return TGlobalStreamResult::gsShortWrite;
  }
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  *Stream = stream;
  return TGlobalStreamResult::gsOk;
}
