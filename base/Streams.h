// Byte streams.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Object.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  VANTREL_CLASS(TStream)
 public:
  // Transfer up to Count bytes at the position and advance it; return the
  // number transferred.
  virtual int Read(void* Buffer, int Count) = 0;
  virtual int Write(const void* Buffer, int Count) = 0;
  // Returns the new position. A position before the start raises
  // EStreamError.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

  virtual int64_t Size();
  virtual void SetSize(int64_t NewSize) = 0;
  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, TSeekOrigin::soBeginning); }

  // All Count bytes or EReadError / EWriteError.
  void ReadBuffer(void* Buffer, int Count);
  void WriteBuffer(const void* Buffer, int Count);
  // Copies Count bytes from Source's position; Count 0 (or less) copies the
  // whole of Source from its start. Returns the bytes copied.
  int64_t CopyFrom(TStream* Source, int64_t Count);
};

// A stream in memory, growing as it is written. Seeking past the end is
// allowed; a write there fills the gap with zeros.
class TMemoryStream : public TStream {
  VANTREL_CLASS(TMemoryStream)
 public:
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }
  // Keeps the content up to NewSize (new bytes are zero); a position beyond
  // the new end moves to it.
  void SetSize(int64_t NewSize) override;

  // The content; valid until the size changes.
  void* Memory() { return FData.data(); }
  void Clear();
  // The whole of Stream, from its start; the position becomes 0.
  void LoadFromStream(TStream* Stream);
  // The whole content, written at Stream's position.
  void SaveToStream(TStream* Stream);
  // Full paths: a relative one resolves against the current folder. Raise
  // EFOpenError / EFCreateError naming the file.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

 private:
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};

// A memory stream over a byte string: the bytes written are DataString.
class TStringStream : public TMemoryStream {
  VANTREL_CLASS(TStringStream)
 public:
  TStringStream() = default;
  explicit TStringStream(const AnsiString& Data);
  AnsiString DataString();
  void WriteString(const AnsiString& Data);
  // Reads Count bytes (all that remain when Count is negative) from the
  // position.
  AnsiString ReadString(int Count = -1);
};
