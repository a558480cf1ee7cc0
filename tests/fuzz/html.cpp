// The HTML-subset engine and its text routines on any markup: rendered into
// a bitmap (drawing, measuring and hit testing, with a picture container
// that names one picture "pic"), and searched, marked and stripped.
#include <memory>
#include <tuple>
#include <vector>

#include "base/Graphics.h"
#include "tests/fuzz/Fuzz.h"
#include "ui/draw/HtmlRender.h"
#include "ui/draw/HtmlText.h"
#include "ui/draw/PictureContainer.h"

namespace {

// A 2 x 2 GIF.
const uint8_t kGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0x80, 0x00, 0x00, 0xFF,
                        0x00, 0x00, 0x00, 0x00, 0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00,
                        0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

struct TRig {
  TBitmap* Bitmap = new TBitmap(240, 120, TPixelFormat::pf32bit);
  TPictureContainer* Container = new TPictureContainer(nullptr);
  THTMLPictureCache* Cache = new THTMLPictureCache;
};
TRig* gRig = nullptr;

TRig* Rig() {
  if (gRig) return gRig;
  gRig = new TRig;
  TPictureItem* item = gRig->Container->Items()->Add();
  item->SetName(L"pic");
  TMemoryStream s;
  s.WriteBuffer(kGif, sizeof kGif);
  s.SetPosition(0);
  item->Picture()->LoadFromStream(&s);
  FuzzAtEnd([] {
    gRig->Cache->ClearPictures();
    delete gRig->Cache;
    gRig->Container->Free();
    delete gRig->Bitmap;
    delete gRig;
    gRig = nullptr;
  });
  return gRig;
}

}  // namespace

void FuzzOne(const uint8_t* Data, size_t Size) {
  TRig* rig = Rig();
  String markup(Data, Data + Size);  // bytes as Latin-1
  THtmlRenderParams p;
  p.Canvas = rig->Bitmap->Canvas();
  p.HTML = markup;
  p.R = TRect(0, 0, 240, 120);
  p.PictureCache = rig->Cache;
  p.PictureContainer = rig->Container;
  p.X = 20;
  p.Y = 10;
  for (int pass = 0; pass < 3; ++pass) {
    p.CheckOnly = pass == 1;
    p.CheckHeight = pass == 2;
    p.WordWrap = pass != 1;
    THtmlRenderResult r;
    RenderHtml(p, r);
    FuzzCheck(r.XSize >= 0 && r.YSize >= 0, "a negative size");
  }

  // Drawn again from its kept layout, the markup looks as it did when it
  // was laid out, and as without a cache.
  {
    THtmlLayoutCache kept;
    TBitmap* b = rig->Bitmap;
    auto draw = [&](THtmlLayoutCache* cache) {
      TCanvas* c = b->Canvas();
      c->Font()->SetColor(clBlack);
      c->Brush()->SetColor(clWhite);
      c->FillRect(TRect(0, 0, b->Width(), b->Height()));
      THtmlRenderParams q = p;
      q.CheckOnly = q.CheckHeight = false;
      q.WordWrap = true;
      q.Cache = cache;
      THtmlRenderResult r;
      RenderHtml(q, r);
      std::vector<uint32_t> pixels;
      for (int y = 0; y < b->Height(); ++y) {
        auto* row = static_cast<const uint32_t*>(b->ScanLine(y));
        pixels.insert(pixels.end(), row, row + b->Width());
      }
      return std::make_tuple(pixels, r.StrippedText, r.XSize, r.YSize, c->Font()->Color());
    };
    const auto fresh = draw(nullptr);
    FuzzCheck(draw(&kept) == fresh, "a layout kept differs from a fresh one");
    FuzzCheck(draw(&kept) == fresh, "a kept layout draws other pixels than a fresh one");
  }

  String plain = HtmlToPlainText(markup);
  String stripped = StripTags(markup);
  FuzzCheck(stripped.size() <= markup.size(), "stripping tags made the text longer");
  int n = static_cast<int>(stripped.size());
  int at = TextPosToMarkupPos(markup, n / 2 + 1);
  FuzzCheck(at >= 0 && at <= static_cast<int>(markup.size()) + 1, "a markup position out of range");
  String word = stripped.substr(stripped.size() / 3, 3);
  int position = 0;
  FindInText(word, plain, 0, position, false);
  if (!word.empty()) {
    String marked, unmarked;
    InsertMarkTags(markup, word, L"e", marked, false);
    RemoveMarkTags(marked, L"e", unmarked);
  }
  String result;
  StripLineBreaks(markup, true, result);
  UnwrapFieldMarkers(markup, result);
  ReplaceHtmlEntities(markup);
}
