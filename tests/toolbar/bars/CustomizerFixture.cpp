#include "tests/toolbar/bars/CustomizerFixture.h"

void CustomizerFixture::SetUpBar(const wchar_t* IniName, TCustomImageList* Images) {
  Ini = TempFileName(IniName);
  DeleteFileW(Ini.c_str());
  Bar = NewToolBar(L"Bar", 0);
  Bar->SetParent(Form);
  Bar->SetBounds(0, 0, 400, 26);
  Bar->SetToolBarCaption(L"Standard");
  if (Images) Bar->SetImages(Images);
  Open = AddButton(Bar, L"OpenBtn");
  Open->SetCaption(L"Open");
  Open->SetHint(L"Open a file");
  Open->SetImageIndex(3);
  Sep = AddSeparator(Bar, L"Sep1");
  Save = AddButton(Bar, L"SaveBtn");
  Save->SetCaption(L"Save");
  C = new TAdvToolBarCustomizer(Form);
  C->SetName(L"TB1Customizer");
  C->SetFileName(Ini);
  C->SetAdvToolBar(Bar);
}

void CustomizerFixture::TearDown() {
  DockFixture::TearDown();
  DeleteFileW(Ini.c_str());
}

std::vector<String> CustomizerFixture::Items() {
  std::vector<String> out;
  for (int i = 0; i < Bar->ToolBarControlCount(); ++i) out.push_back(Bar->ToolBarControls(i)->Name());
  return out;
}
