#include <gtest/gtest.h>

#include <cstring>

#include "base/Streams.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const char* s) { return Bytes(s, s + std::strlen(s)); }

Bytes Content(TMemoryStream& m) {
  auto* p = static_cast<uint8_t*>(m.Memory());
  return Bytes(p, p + m.Size());
}

Bytes Pattern(size_t n) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 7 + i / 251);
  return b;
}

// A stream that moves at most Step bytes per call and holds at most
// Capacity bytes, like a pipe or a full disk; it leaves Size to TStream.
class TTrickleStream : public TStream {
  VANTREL_CLASS(TTrickleStream)
 public:
  Bytes Data;
  int Step = 3;
  int64_t Capacity = INT64_MAX;
  int Read(void* Buffer, int Count) override {
    int n = std::min<int64_t>({Count, Step, static_cast<int64_t>(Data.size()) - Pos});
    if (n <= 0) return 0;
    std::memcpy(Buffer, Data.data() + Pos, n);
    Pos += n;
    return n;
  }
  int Write(const void* Buffer, int Count) override {
    int n = std::min<int64_t>({Count, Step, Capacity - Pos});
    if (n <= 0) return 0;
    if (Pos + n > static_cast<int64_t>(Data.size())) Data.resize(Pos + n);
    std::memcpy(Data.data() + Pos, Buffer, n);
    Pos += n;
    return n;
  }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override {
    ++Seeks;
    int64_t base = Origin == TSeekOrigin::soBeginning ? 0 : Origin == TSeekOrigin::soCurrent ? Pos : Data.size();
    return Pos = base + Offset;
  }
  void SetSize(int64_t NewSize) override { Data.resize(NewSize); }
  int64_t Pos = 0;
  int Seeks = 0;
};

TEST(MemoryStream, ReadsWritesAndSeeksFromEachOrigin) {
  TMemoryStream m;
  Bytes hello = BytesOf("hello world");
  EXPECT_EQ(m.Write(hello.data(), 11), 11);
  EXPECT_EQ(m.Position(), 11);
  EXPECT_EQ(m.Size(), 11);
  EXPECT_EQ(Content(m), hello);

  char buf[16] = {};
  EXPECT_EQ(m.Seek(-5, TSeekOrigin::soEnd), 6);
  EXPECT_EQ(m.Read(buf, 10), 5);  // only what is there
  EXPECT_STREQ(buf, "world");
  EXPECT_EQ(m.Read(buf, 10), 0);
  EXPECT_EQ(m.Position(), 11);
  EXPECT_EQ(m.Seek(2, TSeekOrigin::soBeginning), 2);
  EXPECT_EQ(m.Seek(3, TSeekOrigin::soCurrent), 5);
  EXPECT_EQ(m.Seek(-1, TSeekOrigin::soCurrent), 4);
  m.Write("O", 1);
  EXPECT_EQ(Content(m), BytesOf("hellO world"));
  m.SetPosition(0);
  EXPECT_EQ(m.Read(buf, 0), 0);
  EXPECT_EQ(m.Read(buf, -1), 0);
  EXPECT_EQ(m.Position(), 0);
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
  TMemoryStream m;
  m.Write("ab", 2);
  EXPECT_EQ(m.Seek(3, TSeekOrigin::soEnd), 5);
  EXPECT_EQ(m.Size(), 2);
  char buf[4];
  EXPECT_EQ(m.Read(buf, 4), 0);
  m.Write("z", 1);
  EXPECT_EQ(Content(m), (Bytes{'a', 'b', 0, 0, 0, 'z'}));
  EXPECT_EQ(m.Position(), 6);
}

TEST(MemoryStream, SetSizeKeepsTheContentAndClampsThePosition) {
  TMemoryStream m;
  m.Write("abcdef", 6);
  m.SetSize(3);
  EXPECT_EQ(m.Position(), 3);
  EXPECT_EQ(Content(m), BytesOf("abc"));
  m.SetPosition(1);
  m.SetSize(5);
  EXPECT_EQ(m.Position(), 1);
  EXPECT_EQ(Content(m), (Bytes{'a', 'b', 'c', 0, 0}));
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.Position(), 0);
}

TEST(MemoryStream, SeekBeforeTheStartRaisesAndKeepsThePosition) {
  TMemoryStream m;
  m.Write("abc", 3);
  EXPECT_THROW(m.Seek(-4, TSeekOrigin::soEnd), EStreamError);
  EXPECT_THROW(m.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
  EXPECT_EQ(m.Position(), 3);
}

TEST(Stream, ReadBufferAndWriteBufferMoveAllOrRaise) {
  TTrickleStream t;
  t.Data = Pattern(10);
  Bytes got(10);
  t.ReadBuffer(got.data(), 10);  // in pieces of 3
  EXPECT_EQ(got, Pattern(10));
  t.SetPosition(8);
  EXPECT_THROW(t.ReadBuffer(got.data(), 3), EReadError);
  t.ReadBuffer(got.data(), 0);

  TTrickleStream w;
  w.Capacity = 5;
  Bytes src = Pattern(8);
  w.WriteBuffer(src.data(), 4);
  EXPECT_THROW(w.WriteBuffer(src.data(), 2), EWriteError);
  EXPECT_EQ(w.Data.size(), 5u);
  w.WriteBuffer(src.data(), 0);
}

TEST(Stream, DefaultSizeKeepsThePosition) {
  TTrickleStream t;
  t.Data = Pattern(42);
  t.SetPosition(7);
  EXPECT_EQ(t.Size(), 42);
  EXPECT_EQ(t.Position(), 7);
}

TEST(Stream, CopyFromTakesCountFromThePositionOrZeroForAll) {
  const Bytes data = Pattern(200000);  // several chunks
  TMemoryStream src;
  src.WriteBuffer(data.data(), static_cast<int>(data.size()));
  // Count 0: everything, from the start, wherever the source stands.
  TMemoryStream all;
  all.Write("x", 1);
  EXPECT_EQ(all.CopyFrom(&src, 0), 200000);
  EXPECT_EQ(all.Size(), 200001);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), Content(all).begin() + 1));
  EXPECT_EQ(src.Position(), 200000);

  src.SetPosition(100);
  TTrickleStream part;
  EXPECT_EQ(part.CopyFrom(&src, 70000), 70000);
  EXPECT_EQ(part.Data, Bytes(data.begin() + 100, data.begin() + 70100));
  EXPECT_EQ(src.Position(), 70100);

  src.SetPosition(199990);
  TMemoryStream tooMuch;
  EXPECT_THROW(tooMuch.CopyFrom(&src, 11), EReadError);
}

TEST(MemoryStream, LoadsAWholeStreamAndSavesAtTheTargetsPosition) {
  TTrickleStream src;
  src.Data = Pattern(50);
  src.SetPosition(20);
  TMemoryStream m;
  m.Write("old content that is longer than fifty bytes, to be replaced whole", 66);
  m.LoadFromStream(&src);
  EXPECT_EQ(Content(m), Pattern(50));
  EXPECT_EQ(m.Position(), 0);

  TTrickleStream dst;
  dst.Data = BytesOf("head");
  dst.SetPosition(4);
  m.SaveToStream(&dst);
  Bytes expected = BytesOf("head");
  Bytes p = Pattern(50);
  expected.insert(expected.end(), p.begin(), p.end());
  EXPECT_EQ(dst.Data, expected);
}

class MemoryStreamFiles : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, tmp), 0u);
    Dir = String(tmp) + L"vantrel-streams-" + IntToStr(GetCurrentProcessId());
    CreateDirectoryW(Dir.c_str(), nullptr);
    ASSERT_TRUE(DirectoryExists(Dir));
  }
  void TearDown() override {
    for (auto& f : Made) DeleteFileW(f.c_str());
    RemoveDirectoryW(Dir.c_str());
  }
  String File(const String& name) {
    Made.push_back(Dir + L"\\" + name);
    return Made.back();
  }
  String Dir;
  std::vector<String> Made;
};

TEST_F(MemoryStreamFiles, SaveAndLoadRoundTrip) {
  for (size_t n : {size_t{0}, size_t{1}, size_t{70000}}) {
    String name = File(L"data" + IntToStr(n) + L".bin");
    TMemoryStream out;
    Bytes data = Pattern(n);
    out.WriteBuffer(data.data(), static_cast<int>(n));
    out.SaveToFile(name);
    TMemoryStream in;
    in.Write("stale", 5);
    in.LoadFromFile(name);
    EXPECT_EQ(Content(in), data) << n;
    EXPECT_EQ(in.Position(), 0);
  }
  // Saving again replaces the file, even with less.
  String name = File(L"shrink.bin");
  TMemoryStream m;
  m.Write("longer", 6);
  m.SaveToFile(name);
  m.SetSize(2);
  m.SaveToFile(name);
  m.LoadFromFile(name);
  EXPECT_EQ(Content(m), BytesOf("lo"));
}

TEST_F(MemoryStreamFiles, FailuresNameTheFile) {
  String missing = Dir + L"\\no such file.bin";
  TMemoryStream m;
  m.Write("keep", 4);
  try {
    m.LoadFromFile(missing);
    ADD_FAILURE() << "no EFOpenError";
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find(missing), String::npos);
  }
  EXPECT_EQ(Content(m), BytesOf("keep"));

  String nowhere = Dir + L"\\missing folder\\out.bin";
  try {
    m.SaveToFile(nowhere);
    ADD_FAILURE() << "no EFCreateError";
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find(nowhere), String::npos);
  }
  // Both are stream errors to a caller that does not care which.
  EXPECT_THROW(m.LoadFromFile(missing), EStreamError);
}

}  // namespace
