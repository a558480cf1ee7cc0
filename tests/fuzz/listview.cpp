// The advanced list view's loaders and exports on any file: the first byte
// picks the loader (save file, CSV, CSV inserted, stream), the rest is the
// file. A load either succeeds or raises and leaves the list as it was; a
// list that loaded is exported in every format, and its own save file loads
// again.
#include <memory>

#include "base/FileStreams.h"
#include "base/Forms.h"
#include "base/Streams.h"
#include "tests/fuzz/Fuzz.h"
#include "ui/controls/listview/AdvListView.h"

namespace {

struct TRig {
  TForm* Form = nullptr;
  TAdvListView* List = nullptr;
  String Folder;
};
TRig* gRig = nullptr;

TRig* Rig() {
  if (gRig) return gRig;
  gRig = new TRig;
  gRig->Form = new TForm(nullptr);
  gRig->Form->SetBounds(30, 30, 460, 320);
  gRig->List = new TAdvListView(gRig->Form);
  gRig->List->SetParent(gRig->Form);
  gRig->List->SetBounds(0, 0, 440, 280);
  gRig->List->SetViewStyle(TViewStyle::vsReport);
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  gRig->Folder = String(dir) + L"vantrel_fuzz_listview_" + IntToStr(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(gRig->Folder.c_str(), nullptr);
  FuzzAtEnd([] {
    gRig->Form->Free();
    for (const wchar_t* n : {L"in", L"save", L"csv", L"html", L"xml", L"txt"})
      DeleteFileW((gRig->Folder + n).c_str());
    RemoveDirectoryW(gRig->Folder.c_str());
    delete gRig;
    gRig = nullptr;
  });
  return gRig;
}

// Every column caption and cell, as one text.
String Fingerprint(TAdvListView* List) {
  String s = IntToStr(List->Columns()->Count()) + L"/" + IntToStr(List->Items()->Count()) + L":";
  for (int c = 0; c < List->Columns()->Count(); ++c) s += List->Columns()->Items(c)->Caption() + L"|";
  for (int r = 0; r < List->Items()->Count(); ++r) {
    TListItem* item = List->Items()->Item(r);
    s += item->Caption() + L"|";
    for (int k = 0; k < item->SubItems()->Count(); ++k) s += item->SubItems()->Strings(k) + L"|";
  }
  return s;
}

void WriteBytes(const String& Name, const uint8_t* Data, size_t Size) {
  TFileStream f(Name, fmCreate);
  if (Size) f.WriteBuffer(Data, static_cast<int>(Size));
}

}  // namespace

void FuzzOne(const uint8_t* Data, size_t Size) {
  TRig* rig = Rig();
  TAdvListView* list = rig->List;
  const int kind = Size > 0 ? Data[0] % 4 : 0;
  const uint8_t* body = Size > 0 ? Data + 1 : Data;
  const size_t n = Size > 0 ? Size - 1 : 0;
  const String in = rig->Folder + L"in";
  // Each input meets the same small list, so that what it costs and does
  // depends on it alone.
  list->Clear();
  list->Columns()->Clear();
  list->Columns()->Add()->SetCaption(L"keep");
  list->Columns()->Add()->SetCaption(L"me");
  for (const wchar_t* row : {L"a", L"b"}) {
    TListItem* item = list->Items()->Add();
    item->SetCaption(row);
    item->SubItems()->Add(L"x");
  }
  String before = Fingerprint(list);
  bool loaded = false;
  try {
    if (kind == 2) {
      TMemoryStream s;
      if (n) s.WriteBuffer(body, static_cast<int>(n));
      list->LoadFromStream(&s);
    } else {
      WriteBytes(in, body, n);
      if (kind == 0) list->LoadFromFile(in);
      else if (kind == 1) list->LoadFromCSV(in);
      else list->InsertFromCSV(in);
    }
    loaded = true;
  } catch (const Exception&) {
    FuzzCheck(Fingerprint(list) == before, "a refused file changed the list");
  }
  if (!loaded) return;
  list->SaveToFile(rig->Folder + L"save");
  list->SaveToCSV(rig->Folder + L"csv");
  list->SaveToHTML(rig->Folder + L"html");
  list->SaveToXML(rig->Folder + L"xml", L"list", L"row", nullptr);
  list->SaveToAscii(rig->Folder + L"txt");
  TMemoryStream s;
  list->SaveToStream(&s);
  if (list->Columns()->Count() > 0 && list->Items()->Count() > 0) {
    String saved = Fingerprint(list);
    try {
      list->LoadFromFile(rig->Folder + L"save");
      list->LoadFromStream(&s);
    } catch (const Exception& e) {
      FuzzFail("the list's own file does not load again: " + WideToAnsi(e.Message()));
    }
  }
}
