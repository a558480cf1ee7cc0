#include "base/Streams.h"

#include <algorithm>
#include <cstring>

// ---------------------------------------------------------------------------
// TStream

int64_t TStream::Size() {
  int64_t pos = Seek(0, TSeekOrigin::soCurrent);
  int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(pos, TSeekOrigin::soBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, int Count) {
  auto* p = static_cast<uint8_t*>(Buffer);
  int done = 0;
  while (done < Count) {
    int n = Read(p + done, Count - done);
    if (n <= 0) break;
    done += n;
  }
  if (done != Count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
  auto* p = static_cast<const uint8_t*>(Buffer);
  int done = 0;
  while (done < Count) {
    int n = Write(p + done, Count - done);
    if (n <= 0) break;
    done += n;
  }
  if (done != Count) throw EWriteError(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count) {
  if (Count <= 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  const int64_t kChunk = 64 * 1024;
  std::vector<uint8_t> buf(static_cast<size_t>(std::min(Count, kChunk)));
  for (int64_t left = Count; left > 0;) {
    int n = static_cast<int>(std::min(left, kChunk));
    Source->ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    left -= n;
  }
  return Count;
}

// ---------------------------------------------------------------------------
// TMemoryStream

int TMemoryStream::Read(void* Buffer, int Count) {
  int64_t size = Size();
  if (Count <= 0 || FPosition >= size) return 0;
  int n = static_cast<int>(std::min<int64_t>(Count, size - FPosition));
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int TMemoryStream::Write(const void* Buffer, int Count) {
  if (Count <= 0) return 0;
  int64_t end = FPosition + Count;
  if (end > Size()) FData.resize(static_cast<size_t>(end));
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = end;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t base = Origin == TSeekOrigin::soBeginning ? 0 : Origin == TSeekOrigin::soCurrent ? FPosition : Size();
  int64_t pos = base + Offset;
  if (pos < 0) throw EStreamError(L"Seek before the start of the stream (%d)", {pos});
  FPosition = pos;
  return pos;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) NewSize = 0;
  FData.resize(static_cast<size_t>(NewSize));
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  std::vector<uint8_t>().swap(FData);
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  int64_t count = Stream->Size();
  SetSize(count);
  FPosition = 0;
  // ReadBuffer takes an int: large sources go in chunks.
  for (int64_t done = 0; done < count;) {
    int n = static_cast<int>(std::min<int64_t>(count - done, 1 << 30));
    Stream->ReadBuffer(FData.data() + done, n);
    done += n;
  }
}

void TMemoryStream::SaveToStream(TStream* Stream) {
  int64_t count = Size();
  for (int64_t done = 0; done < count;) {
    int n = static_cast<int>(std::min<int64_t>(count - done, 1 << 30));
    Stream->WriteBuffer(FData.data() + done, n);
    done += n;
  }
}

namespace {
struct THandle {
  HANDLE H;
  ~THandle() {
    if (H != INVALID_HANDLE_VALUE) CloseHandle(H);
  }
};
}  // namespace

void TMemoryStream::LoadFromFile(const String& FileName) {
  THandle f{CreateFileW(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (f.H == INVALID_HANDLE_VALUE)
    throw EFOpenError(L"Cannot open file \"%s\". %s", {FileName, SysErrorMessage(GetLastError())});
  LARGE_INTEGER size;
  if (!GetFileSizeEx(f.H, &size))
    throw EReadError(L"Cannot read file \"%s\". %s", {FileName, SysErrorMessage(GetLastError())});
  std::vector<uint8_t> data(static_cast<size_t>(size.QuadPart));
  for (size_t done = 0; done < data.size();) {
    DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 30)), got = 0;
    if (!ReadFile(f.H, data.data() + done, want, &got, nullptr) || got == 0)
      throw EReadError(L"Cannot read file \"%s\". %s", {FileName, SysErrorMessage(GetLastError())});
    done += got;
  }
  FData.swap(data);
  FPosition = 0;
}

void TMemoryStream::SaveToFile(const String& FileName) {
  THandle f{CreateFileW(FileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr)};
  if (f.H == INVALID_HANDLE_VALUE)
    throw EFCreateError(L"Cannot create file \"%s\". %s", {FileName, SysErrorMessage(GetLastError())});
  for (size_t done = 0; done < FData.size();) {
    DWORD want = static_cast<DWORD>(std::min<size_t>(FData.size() - done, 1 << 30)), wrote = 0;
    if (!WriteFile(f.H, FData.data() + done, want, &wrote, nullptr) || wrote == 0)
      throw EWriteError(L"Cannot write file \"%s\". %s", {FileName, SysErrorMessage(GetLastError())});
    done += wrote;
  }
}
