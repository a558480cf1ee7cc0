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

namespace {

// A read-only COM stream over a copy of some bytes in a global block. Every
// read stops at the end of the bytes and a seek may go anywhere at or past
// the start, as the interface allows, but nothing is ever read from beyond
// the end: decoders get exactly the data they were given, whatever the
// platform's own memory streams do after a seek past their end. Clones
// share the block.
class TBoundedStream final : public IStream {
 public:
  struct TBlock {
    HGLOBAL Handle;
    const uint8_t* Bytes;
    ULONGLONG Size;
    LONG Refs = 1;
  };
  TBoundedStream(TBlock* Block, ULONGLONG Position) : FBlock(Block), FPosition(Position) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream) {
      *out = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&FRefs);
    if (left == 0) {
      if (InterlockedDecrement(&FBlock->Refs) == 0) {
        GlobalUnlock(FBlock->Handle);
        GlobalFree(FBlock->Handle);
        delete FBlock;
      }
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override {
    if (!pv && cb) return STG_E_INVALIDPOINTER;
    ULONGLONG left = FPosition < FBlock->Size ? FBlock->Size - FPosition : 0;
    ULONG n = static_cast<ULONG>(std::min<ULONGLONG>(cb, left));
    if (n) std::memcpy(pv, FBlock->Bytes + FPosition, n);
    FPosition += n;
    if (pcbRead) *pcbRead = n;
    return n == cb ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* pcbWritten) override {
    if (pcbWritten) *pcbWritten = 0;
    return STG_E_ACCESSDENIED;
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER Move, DWORD Origin, ULARGE_INTEGER* NewPosition) override {
    LONGLONG base = Origin == STREAM_SEEK_SET   ? 0
                    : Origin == STREAM_SEEK_CUR ? static_cast<LONGLONG>(FPosition)
                    : Origin == STREAM_SEEK_END ? static_cast<LONGLONG>(FBlock->Size)
                                                : -1;
    if (base < 0) return STG_E_INVALIDFUNCTION;
    // No wrap-around: a move below the start, or past what a position can
    // hold, is refused and the position stays.
    if ((Move.QuadPart < 0 && -Move.QuadPart > base) ||
        (Move.QuadPart > 0 && Move.QuadPart > INT64_MAX - base))
      return STG_E_INVALIDFUNCTION;
    FPosition = static_cast<ULONGLONG>(base + Move.QuadPart);
    if (NewPosition) NewPosition->QuadPart = FPosition;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* Target, ULARGE_INTEGER cb, ULARGE_INTEGER* Read,
                                   ULARGE_INTEGER* Written) override {
    if (!Target) return STG_E_INVALIDPOINTER;
    ULONGLONG left = FPosition < FBlock->Size ? FBlock->Size - FPosition : 0;
    ULONG n = static_cast<ULONG>(std::min<ULONGLONG>({cb.QuadPart, left, 0xFFFFFFFFull}));
    ULONG wrote = 0;
    HRESULT hr = n ? Target->Write(FBlock->Bytes + FPosition, n, &wrote) : S_OK;
    FPosition += n;
    if (Read) Read->QuadPart = n;
    if (Written) Written->QuadPart = wrote;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* Info, DWORD) override {
    if (!Info) return STG_E_INVALIDPOINTER;
    *Info = STATSTG{};
    Info->type = STGTY_STREAM;
    Info->cbSize.QuadPart = FBlock->Size;
    Info->grfMode = STGM_READ;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream** Copy) override {
    if (!Copy) return STG_E_INVALIDPOINTER;
    InterlockedIncrement(&FBlock->Refs);
    *Copy = new TBoundedStream(FBlock, FPosition);
    return S_OK;
  }

 private:
  TBlock* FBlock;
  ULONGLONG FPosition;
  LONG FRefs = 1;
};

}  // namespace

TGlobalStreamResult CreateGlobalStream(const void* Data, size_t Size, IStream** Stream) {
  *Stream = nullptr;
  HGLOBAL block = AllocGlobal(GMEM_MOVEABLE, Size ? Size : 1);
  if (!block) return TGlobalStreamResult::gsNoMemory;
  void* bytes = GlobalLock(block);
  if (!bytes) {
    GlobalFree(block);
    return TGlobalStreamResult::gsNoStream;
  }
  if (Size) std::memcpy(bytes, Data, Size);
  *Stream = new TBoundedStream(new TBoundedStream::TBlock{block, static_cast<const uint8_t*>(bytes), Size}, 0);
  return TGlobalStreamResult::gsOk;
}
