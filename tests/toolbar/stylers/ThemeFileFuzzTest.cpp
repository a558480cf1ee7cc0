// Seeded fuzzing of the theme file reader: saved files of several styles are
// mutated (bytes, lines, numbers, keys, lengths) and loaded. Every file
// either loads, and then what the styler holds saves to a file that loads
// again, or is refused with ECorruptThemeFile and leaves the styler as it
// was. Nothing else may escape, and every load ends. VANTREL_FUZZ_SEED and
// VANTREL_FUZZ_RUNS replace the fixed seed and the number of files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "base/FileStreams.h"
#include "ui/toolbar/stylers/ToolBarThemeFile.h"

using S = TToolBarStyle;

namespace {

unsigned EnvNumber(const char* Name, unsigned Default) {
  const char* v = std::getenv(Name);
  return v && *v ? static_cast<unsigned>(std::strtoul(v, nullptr, 10)) : Default;
}

class Mutator {
 public:
  explicit Mutator(unsigned Seed) : FRandom(Seed) {}

  AnsiString Mutate(AnsiString Text) {
    const int steps = 1 + Pick(4);
    for (int i = 0; i < steps; ++i) Text = Once(Text);
    return Text;
  }

 private:
  int Pick(int N) { return static_cast<int>(FRandom() % static_cast<unsigned>(N)); }

  std::vector<AnsiString> SplitLines(const AnsiString& T) {
    std::vector<AnsiString> l;
    size_t start = 0, p;
    while ((p = T.find("\r\n", start)) != AnsiString::npos) {
      l.push_back(T.substr(start, p - start));
      start = p + 2;
    }
    if (start < T.size()) l.push_back(T.substr(start));
    return l;
  }
  static AnsiString Join(const std::vector<AnsiString>& L) {
    AnsiString t;
    for (const AnsiString& s : L) t += s + "\r\n";
    return t;
  }

  AnsiString Once(AnsiString T) {
    std::vector<AnsiString> lines = SplitLines(T);
    const size_t n = lines.size();
    auto line = [&]() -> AnsiString& { return lines[static_cast<size_t>(Pick(static_cast<int>(n)))]; };
    static const char* const kValues[] = {"",         "-1",         "2147483647", "-2147483648", "99999999999",
                                          "$",        "$FFFFFFFF",  "clNone",     "CLBTNFACE",   "True",
                                          "\"",       "\"\"\"",     ",,,",        "   ",         "1025",
                                          "0",        "gdVertical", "ggRadial",   "dsNone",      "fsBold,fsBold"};
    switch (Pick(10)) {
      case 0:  // a byte changed
        if (!T.empty()) T[static_cast<size_t>(Pick(static_cast<int>(T.size())))] = static_cast<char>(FRandom());
        return T;
      case 1:  // cut short
        return T.substr(0, T.empty() ? 0 : static_cast<size_t>(Pick(static_cast<int>(T.size()))));
      case 2:  // a line dropped
        if (n) lines.erase(lines.begin() + Pick(static_cast<int>(n)));
        return Join(lines);
      case 3:  // a line repeated
        if (n) lines.insert(lines.begin() + Pick(static_cast<int>(n)), line());
        return Join(lines);
      case 4:  // two lines swapped
        if (n) std::swap(line(), line());
        return Join(lines);
      case 5: {  // a value replaced
        if (!n) return T;
        AnsiString& l = line();
        l = l.substr(0, l.find('=') == AnsiString::npos ? l.size() : l.find('=') + 1) + kValues[Pick(20)];
        return Join(lines);
      }
      case 6: {  // bytes inserted
        AnsiString junk;
        for (int i = Pick(40); i > 0; --i) junk += static_cast<char>(FRandom());
        T.insert(T.empty() ? 0 : static_cast<size_t>(Pick(static_cast<int>(T.size()))), junk);
        return T;
      }
      case 7:  // line ends changed
        for (char& c : T)
          if (c == '\r' && Pick(8) == 0) c = '\n';
        return T;
      case 8:  // quotes and blanks
        if (n) line().insert(0, Pick(2) ? "\"" : "  ");
        return Join(lines);
      default:  // another style's line 1
        if (n) lines[0] = WideToAnsi(ThemeStyleName(static_cast<S>(Pick(ToolBarStyleCount))));
        return Join(lines);
    }
  }

  std::mt19937 FRandom;
};

}  // namespace

TEST(ThemeFileFuzz, EveryFileLoadsWholeOrIsRefusedWithoutAChange) {
  const unsigned seed = EnvNumber("VANTREL_FUZZ_SEED", 20240521);
  const unsigned runs = EnvNumber("VANTREL_FUZZ_RUNS", 1500);
  SCOPED_TRACE("seed " + std::to_string(seed));
  auto* owner = new TComponent(nullptr);
  auto* source = new TAdvToolBarOfficeStyler(owner);
  auto* target = new TAdvToolBarOfficeStyler(owner);
  std::vector<AnsiString> corpus;
  for (S style : {S::bsOffice2003Blue, S::bsOffice2007Luna, S::bsWindowsXP, S::bsOffice2010Black, S::bsWindows8,
                  S::bsOffice2016Black}) {
    source->SetStyle(style);
    corpus.push_back(WideToAnsi(EncodeThemeFile(source)));
  }
  Mutator m(seed);
  int refused = 0;
  for (unsigned run = 0; run < runs; ++run) {
    const AnsiString file = m.Mutate(corpus[run % corpus.size()]);
    const String before = EncodeThemeFile(target);
    try {
      ApplyTheme(target, DecodeThemeFile(AnsiToWide(file)));
    } catch (const ECorruptThemeFile& e) {
      ++refused;
      ASSERT_GE(e.Line(), 1) << "run " << run;
      ASSERT_EQ(EncodeThemeFile(target), before) << "run " << run;
      continue;
    } catch (const std::exception& e) {
      FAIL() << "run " << run << ": " << e.what();
    }
    // What a loaded file left in the styler saves and loads again.
    ASSERT_NO_THROW(DecodeThemeFile(EncodeThemeFile(target))) << "run " << run;
  }
  // The mutations reach both outcomes.
  EXPECT_GT(refused, 0);
  EXPECT_LT(refused, static_cast<int>(runs));
  owner->Free();
}

TEST(ThemeFileFuzz, RandomBytesThroughTheFileAreRefusedWhole) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const String file = String(dir) + L"vantrel_theme_fuzz.txt";
  auto* owner = new TComponent(nullptr);
  auto* target = new TAdvToolBarOfficeStyler(owner);
  target->SetStyle(S::bsOffice2007Silver);
  const String before = EncodeThemeFile(target);
  std::mt19937 random(EnvNumber("VANTREL_FUZZ_SEED", 7));
  for (int run = 0; run < 50; ++run) {
    AnsiString bytes(static_cast<size_t>(random() % 20000), '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    {
      TFileStream f(file, fmCreate);
      if (!bytes.empty()) f.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    }
    EXPECT_THROW(target->LoadFromFile(file), ECorruptThemeFile) << run;
    EXPECT_EQ(EncodeThemeFile(target), before) << run;
  }
  DeleteFileW(file.c_str());
  owner->Free();
}
