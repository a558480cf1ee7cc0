// Streams over files and resources, and a COM stream over global memory
// for the interfaces (GDI+) that read pictures from an IStream.
#pragma once

#include <objidl.h>

#include "base/Streams.h"

// Open modes (one of the first group, optionally one share mode).
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFF00;

// A stream over a file. fmCreate makes (or empties) the file; failures
// raise EFCreateError or EFOpenError naming the file.
class TFileStream : public TStream {
  VANTREL_CLASS(TFileStream)
 public:
  TFileStream(const String& AFileName, unsigned Mode);
  ~TFileStream() override;
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;
  const String& FileName() const { return FFileName; }
  HANDLE Handle() const { return FHandle; }

 private:
  String FFileName;
  HANDLE FHandle = INVALID_HANDLE_VALUE;
};

// The bytes of a resource (RT_RCDATA unless another type is named), read
// like a memory stream. A missing resource raises EResNotFound naming it.
class TResourceStream : public TMemoryStream {
  VANTREL_CLASS(TResourceStream)
 public:
  TResourceStream(HINSTANCE Instance, const String& ResName, LPCWSTR ResType = RT_RCDATA);
  TResourceStream(HINSTANCE Instance, int ResID, LPCWSTR ResType = RT_RCDATA);
  // Whether the module holds the resource.
  static bool Exists(HINSTANCE Instance, LPCWSTR Name, LPCWSTR ResType = RT_RCDATA);

 private:
  void Initialize(HINSTANCE Instance, LPCWSTR Name, LPCWSTR ResType, const String& Shown);
};

// How global memory is had: tests replace the allocator to reach the
// failure path. nullptr restores GlobalAlloc.
using TGlobalAllocator = HGLOBAL (*)(UINT Flags, SIZE_T Bytes);
void SetGlobalAllocator(TGlobalAllocator Allocator);
HGLOBAL AllocGlobal(UINT Flags, SIZE_T Bytes);

enum class TGlobalStreamResult { gsOk, gsNoMemory, gsNoStream, gsShortWrite };

// A read-only COM stream over a new global block that holds a copy of Data;
// the stream frees the block when it and its clones are released. It is
// positioned at its start, and no read ever goes past the copy's end, after
// any seek. Stream is nullptr unless the result is gsOk.
TGlobalStreamResult CreateGlobalStream(const void* Data, size_t Size, IStream** Stream);
