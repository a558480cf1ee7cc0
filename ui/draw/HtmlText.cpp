#include "ui/draw/HtmlText.h"

#include <vector>

namespace {

wchar_t UpChar(wchar_t c) {
  wchar_t buf[1] = {c};
  CharUpperBuffW(buf, 1);
  return buf[0];
}

// Every occurrence of Find (ASCII, any case) replaced by Replacement.
String ReplaceAllNoCase(const String& Text, const String& Find, const String& Replacement) {
  String upper = UpperCase(Text);
  String out;
  out.reserve(Text.size());
  size_t from = 0;
  for (;;) {
    size_t p = upper.find(Find, from);
    if (p == String::npos) break;
    out.append(Text, from, p - from);
    out += Replacement;
    from = p + Find.size();
  }
  out.append(Text, from, String::npos);
  return out;
}

// Takes out the hidden sections Open ... Close (case-sensitive). A section
// without its end is not hidden: its opening tag goes with the other tags.
String RemoveHiddenSections(const String& Text, const String& Open, const String& Close) {
  String out;
  size_t from = 0;
  for (;;) {
    size_t p = Text.find(Open, from);
    if (p == String::npos) break;
    size_t q = Text.find(Close, p + Open.size());
    if (q == String::npos) break;
    out.append(Text, from, p - from);
    from = q + Close.size();
  }
  out.append(Text, from, String::npos);
  return out;
}

}  // namespace

String StripTags(const String& Markup) {
  String out;
  out.reserve(Markup.size());
  size_t from = 0;
  for (;;) {
    size_t lt = Markup.find(L'<', from);
    if (lt == String::npos) break;
    size_t gt = Markup.find(L'>', lt + 1);
    if (gt == String::npos) break;  // an unterminated tag stays as text
    out.append(Markup, from, lt - from);
    from = gt + 1;
  }
  out.append(Markup, from, String::npos);
  return out;
}

String HtmlToPlainText(const String& Markup) {
  String s = ReplaceAllNoCase(Markup, L"<BR>", L"\r\n");
  s = ReplaceAllNoCase(s, L"<HR>", L"\r\n");
  s = RemoveHiddenSections(s, L"<z>", L"</z>");
  s = RemoveHiddenSections(s, L"<Z>", L"</Z>");
  return StripTags(s);
}

int TextPosToMarkupPos(const String& Markup, int N) {
  if (N < 1) return 0;
  int visible = 0;
  bool inside = false;
  const int len = static_cast<int>(Markup.size());
  for (int i = 0; i < len; ++i) {
    if (visible == N - 1) return i + 1;
    wchar_t c = Markup[i];
    if (c == L'<') {
      // A tag only when it ends; an unterminated "<" hides the rest, as the
      // engine drops it.
      inside = true;
    } else if (c == L'>' && inside) {
      inside = false;
    } else if (!inside) {
      ++visible;
    }
  }
  return visible == N - 1 ? len + 1 : 0;
}

int FindInText(const String& Sub, const String& Text, int Offset, int& Position, bool CaseSensitive) {
  Position = 0;
  if (Offset < 0) Offset = 0;
  if (Offset > static_cast<int>(Text.size())) return 0;
  String rest = Text.substr(static_cast<size_t>(Offset));
  int p = CaseSensitive ? Pos(Sub, rest) : Pos(AnsiUpperCase(Sub), AnsiUpperCase(rest));
  if (p == 0) return 0;
  Position = Offset + p;
  return Position;
}

namespace {

// The start of every occurrence of Sub in Text (0-based), each search going
// on after the end of the last occurrence; linear in both lengths.
std::vector<size_t> FindAll(const String& Sub, const String& Text) {
  std::vector<size_t> found;
  const size_t m = Sub.size();
  if (m == 0 || m > Text.size()) return found;
  std::vector<size_t> border(m + 1, 0);  // Knuth-Morris-Pratt failure table
  for (size_t i = 1, k = 0; i < m; ++i) {
    while (k > 0 && Sub[i] != Sub[k]) k = border[k];
    if (Sub[i] == Sub[k]) ++k;
    border[i + 1] = k;
  }
  for (size_t i = 0, k = 0; i < Text.size(); ++i) {
    while (k > 0 && Text[i] != Sub[k]) k = border[k];
    if (Text[i] == Sub[k]) ++k;
    if (k == m) {
      found.push_back(i + 1 - m);
      k = 0;  // no overlaps
    }
  }
  return found;
}

}  // namespace

void InsertMarkTags(const String& Markup, const String& Sub, const String& Tag, String& Result, bool CaseSensitive) {
  Result = Markup;
  if (Sub.empty()) return;
  const String visible = StripTags(Markup);
  const String open = L"<" + Tag + L">", close = L"</" + Tag + L">";
  // Where each visible character ends in the markup, as TextPosToMarkupPos
  // counts them: after[k] is the index just after the k-th one (after[0] is
  // 0); text after an unterminated "<" counts as hidden.
  std::vector<size_t> after{0};
  after.reserve(Markup.size() + 1);
  bool inside = false;
  for (size_t i = 0; i < Markup.size(); ++i) {
    wchar_t c = Markup[i];
    if (c == L'<') inside = true;
    else if (c == L'>' && inside) inside = false;
    else if (!inside) after.push_back(i + 1);
  }
  const size_t shown = after.size() - 1;
  std::vector<size_t> matches =
      CaseSensitive ? FindAll(Sub, visible) : FindAll(AnsiUpperCase(Sub), AnsiUpperCase(visible));
  // One pass: the markup up to each insertion point, then the tag. A match
  // that begins where the last one ended opens after that one's close.
  String out;
  out.reserve(Markup.size() + matches.size() * (open.size() + close.size()));
  size_t from = 0;
  for (size_t m : matches) {
    if (m > shown) break;
    out.append(Markup, from, after[m] - from);
    out += open;
    from = after[m];
    if (m + Sub.size() > shown) break;
    out.append(Markup, from, after[m + Sub.size()] - from);
    out += close;
    from = after[m + Sub.size()];
  }
  out.append(Markup, from, String::npos);
  Result = std::move(out);
}

void RemoveMarkTags(const String& Markup, const String& Tag, String& Result) {
  // Removing an occurrence can join the text around it into a new one; the
  // output is kept as a stack so that such joins are removed too, in one pass.
  auto removeAll = [](const String& text, const String& pattern) {
    String upperPattern = AnsiUpperCase(pattern);
    const size_t m = pattern.size();
    String out, outUpper;
    out.reserve(text.size());
    outUpper.reserve(text.size());
    for (wchar_t c : text) {
      out.push_back(c);
      outUpper.push_back(UpChar(c));
      if (outUpper.size() >= m && outUpper.compare(outUpper.size() - m, m, upperPattern) == 0) {
        out.resize(out.size() - m);
        outUpper.resize(outUpper.size() - m);
      }
    }
    return out;
  };
  Result = removeAll(removeAll(Markup, L"<" + Tag + L">"), L"</" + Tag + L">");
}

void StripLineBreaks(const String& Text, bool ToTags, String& Result) {
  String out;
  out.reserve(Text.size());
  for (wchar_t c : Text) {
    if (c == L'\n') continue;
    if (c == L'\r') {
      if (ToTags) out += L"<BR>";
      continue;
    }
    out.push_back(c);
  }
  Result = out;
}

void UnwrapFieldMarkers(const String& Markup, String& Result) {
  // Repeatedly: the first "<#" loses its "<" and the first ">" after it
  // goes. A removal can join a "<" and a "#" into a new marker, so the text
  // is kept as a linked list and the search steps back one character after
  // each marker; the search for ">" never goes back over text already known
  // to hold none.
  const int n = static_cast<int>(Markup.size());
  std::vector<int> next(n + 1), prev(n + 1);
  std::vector<char> alive(n, 1);
  for (int i = 0; i < n; ++i) {
    next[i] = i + 1;
    prev[i] = i - 1;
  }
  auto erase = [&](int i) {
    alive[i] = 0;
    if (prev[i] >= 0) next[prev[i]] = next[i];
    if (next[i] < n) prev[next[i]] = prev[i];
  };
  int head = 0;  // the first live node (n when none)
  int gtFrom = 0;  // no live ">" between a marker found from here on and this node
  int cur = 0;
  while (cur < n) {
    if (Markup[cur] == L'<' && next[cur] < n && Markup[next[cur]] == L'#') {
      int hash = next[cur];
      int back = prev[cur];
      erase(cur);
      if (cur == head) head = hash;
      int g = Max(hash, gtFrom);
      while (g < n && !alive[g]) ++g;  // gtFrom may point at a removed node
      while (g < n && Markup[g] != L'>') g = next[g];
      if (g < n) {
        gtFrom = next[g];
        erase(g);
      } else {
        gtFrom = n;
      }
      cur = back >= 0 ? back : hash;
      continue;
    }
    cur = next[cur];
  }
  String out;
  out.reserve(Markup.size());
  for (int i = head; i < n; i = next[i]) out.push_back(Markup[i]);
  Result = out;
}

String ReplaceHtmlEntities(const String& Markup) {
  if (Markup.find(L'&') == String::npos) return Markup;
  struct TEntity {
    const wchar_t* Name;  // upper case, without "&"
    const wchar_t* Text;
  };
  static const TEntity kEntities[] = {
      {L"AMP;", L"&&"},     {L"QUOT;", L"\""},      {L"SECT;", L"\u00A7"},
      {L"PERMIL;", L"\u2030"}, {L"REG;", L"\u00AE"}, {L"COPY;", L"\u00A9"},
      {L"PARA;", L"\u00B6"}, {L"TRADE;", L"\u2122"}, {L"EURO;", L"\u20AC"},
  };
  // Replacing in rounds until nothing changes gives the same text as one
  // pass from the left, since no two entities overlap and a replacement can
  // only start a new entity with the second "&" of "&&".
  String s = Markup;
  String out;
  out.reserve(s.size());
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    if (s[i] != L'&') {
      out.push_back(s[i++]);
      continue;
    }
    const TEntity* hit = nullptr;
    size_t len = 0;
    for (const auto& e : kEntities) {
      size_t k = wcslen(e.Name);
      if (i + 1 + k > n) continue;
      bool same = true;
      for (size_t j = 0; j < k && same; ++j) {
        wchar_t c = s[i + 1 + j];
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
        same = c == e.Name[j];
      }
      if (same) {
        hit = &e;
        len = k + 1;
        break;
      }
    }
    if (!hit) {
      out.push_back(s[i++]);
    } else if (hit == &kEntities[0]) {
      // "&amp;" gives "&&": the second "&" may begin another entity.
      out.push_back(L'&');
      i += len - 1;
      s[i] = L'&';
    } else {
      out += hit->Text;
      i += len;
    }
  }
  return out;
}
