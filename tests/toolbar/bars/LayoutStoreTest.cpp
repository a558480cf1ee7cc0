// The layout store: dock panels and toolbars saved to and loaded from INI
// files and the registry, one saved file checked line by line, and stores
// that are partial or corrupt.
#include <memory>

#include "base/IniFiles.h"
#include "base/MemIniFile.h"
#include "base/Registry.h"
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "ui/toolbar/bars/LayoutStore.h"

namespace {

const wchar_t* const RegistryKey = L"Software\\VantrelTests\\LayoutStore";


struct Store : DockFixture {
  String Ini;
  void SetUp() override {
    DockFixture::SetUp();
    Ini = TempFileName(L"vantrel-layout-test.ini");
    DeleteFileW(Ini.c_str());
    TRegistry reg;
    reg.DeleteKey(L"\\Software\\VantrelTests");
  }
  void TearDown() override {
    DockFixture::TearDown();
    DeleteFileW(Ini.c_str());
    TRegistry reg;
    reg.DeleteKey(L"\\Software\\VantrelTests");
  }
  void SetUpStore(TPersistence* P, TPersistenceLocation Where, const wchar_t* Section) {
    P->SetLocation(Where);
    P->SetKey(Where == TPersistenceLocation::plIniFile ? Ini : String(RegistryKey));
    P->SetSection(Section);
  }
  // The names of the toolbars of each row.
  static std::vector<std::vector<String>> Rows(TAdvDockPanel* P) {
    std::vector<std::vector<String>> out;
    for (int r = 0; r < P->RowCount(); ++r) {
      out.emplace_back();
      for (int i = 0; i < P->Rows()->Items(r)->ToolBarCount(); ++i)
        out.back().push_back(P->Rows()->Items(r)->ToolBars(i)->Name());
    }
    return out;
  }
};

TEST_F(Store, APanelSavesItsRowsThenItsHiddenToolBarsLineByLine) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  p->SetName(L"Dock");
  TAdvToolBar* a = Docked(L"A", p, 2);
  TAdvToolBar* b = Docked(L"B", p, 1);
  TAdvToolBar* c = Docked(L"C", p, 3);
  TAdvToolBar* d = Docked(L"D", p, 1);
  p->Rows()->MoveToolBarToRow(b, a->Row());
  d->SetVisible(false);
  ASSERT_EQ(Rows(p), (std::vector<std::vector<String>>{{L"A", L"B"}, {L"C"}}));
  SetUpStore(p->Persistence(), TPersistenceLocation::plIniFile, L"Dock");
  p->SaveToolBarsPosition();
  std::vector<std::string> expected = {"[Dock]", "ToolBarCount=4", "RowCount=2"};
  int n = 0;
  for (TAdvToolBar* t : {a, b, c, d}) {
    std::string name = Narrow(t->Name());
    expected.push_back("Name" + std::to_string(++n) + "=" + name);
    expected.push_back(name + ".Row=" + std::to_string(t->Row()));
    expected.push_back(name + ".Left=" + std::to_string(t->Left()));
    expected.push_back(name + ".Top=" + std::to_string(t->Top()));
    expected.push_back(name + ".Width=" + std::to_string(t->Width()));
    expected.push_back(name + ".Height=" + std::to_string(t->Height()));
    expected.push_back(name + ".Visible=" + std::string(t->Visible() ? "1" : "0"));
  }
  EXPECT_EQ(FileLines(Ini), expected);
}

TEST_F(Store, RowsAndBoundsComeBackFromAnIniFileAndFromTheRegistry) {
  for (TPersistenceLocation where : {TPersistenceLocation::plIniFile, TPersistenceLocation::plRegistry}) {
    TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
    TAdvToolBar* a = Docked(L"A", p, 2);
    TAdvToolBar* b = Docked(L"B", p, 1);
    TAdvToolBar* c = Docked(L"C", p, 3);
    p->Rows()->MoveToolBarToRow(c, a->Row());
    SetUpStore(p->Persistence(), where, L"Dock");
    p->SaveToolBarsPosition();
    auto saved = Rows(p);
    TRect bBounds = b->BoundsRect(), cBounds = c->BoundsRect();
    // Another arrangement, then the stored one again.
    p->Rows()->MoveToolBarToRow(c, b->Row());
    ASSERT_NE(Rows(p), saved);
    p->LoadToolBarsPosition();
    EXPECT_EQ(Rows(p), saved) << static_cast<int>(where);
    EXPECT_EQ(b->BoundsRect(), bBounds);
    EXPECT_EQ(c->BoundsRect(), cBounds);
    p->Free();
  }
}

TEST_F(Store, ToolBarsNotInTheStoreGetRowsAtTheEndAndEmptyStoredRowsGo) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* x = Docked(L"X", p, 1);
  TAdvToolBar* y = Docked(L"Y", p, 1);
  p->Rows()->MoveToolBarToRow(y, x->Row());
  TMemIniFile ini;
  ini.SetText(L"[Dock]\nToolBarCount=3\nRowCount=2\nName1=A\nA.Row=0\nName2=B\nB.Row=1\nName3=x\nx.Row=1\n");
  auto store = MemLayoutStore(&ini, L"Dock");
  p->LoadToolBarsPosition(*store);
  // X is named (in another case) and sits in stored row 1, now the first;
  // Y was not named and goes to a new row at the end.
  EXPECT_EQ(Rows(p), (std::vector<std::vector<String>>{{L"X"}, {L"Y"}}));
}

TEST_F(Store, ACorruptStoreLoadsWhatIsSoundAndLeavesTheRestAsItWas) {
  struct Case {
    const wchar_t* Text;
    std::vector<std::vector<String>> Rows;
    bool BVisible;
  } cases[] = {
      // A count far beyond any form: read for the toolbars that are there.
      {L"ToolBarCount=2000000000\nRowCount=2000000000\nName1=B\nB.Row=0\nName2=A\nA.Row=1\n",
       {{L"B"}, {L"A"}}, true},
      // A hidden toolbar leaves the rows only once they are all filled.
      {L"ToolBarCount=2\nRowCount=2\nName1=B\nB.Row=0\nB.Visible=0\nName2=A\nA.Row=1\n", {{L"A"}}, false},
      // Counts that are no numbers or negative: nothing is loaded.
      {L"ToolBarCount=lots\nName1=B\nB.Visible=0\n", {{L"A"}, {L"B"}}, true},
      {L"ToolBarCount=-3\nName1=B\nB.Visible=0\n", {{L"A"}, {L"B"}}, true},
      // A row count that is no number keeps the current one.
      {L"ToolBarCount=2\nRowCount=x\nName1=B\nB.Row=0\nName2=A\nA.Row=1\n", {{L"B"}, {L"A"}}, true},
      // A row out of range or no number: the toolbar keeps no stored row and
      // gets a new one at the end; sizes that no window has are not taken.
      {L"ToolBarCount=2\nRowCount=1\nName1=A\nA.Row=0\nA.Width=-40\nA.Left=99999999\nName2=B\nB.Row=9\n",
       {{L"A"}, {L"B"}}, true},
      {L"ToolBarCount=2\nRowCount=2\nName1=A\nA.Row=0\nName2=B\nB.Row=1\nB.Height=70000\nB.Visible=\n",
       {{L"A"}, {L"B"}}, true},
  };
  for (const Case& c : cases) {
    TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
    TAdvToolBar* a = Docked(L"A", p, 2);
    TAdvToolBar* b = Docked(L"B", p, 1);
    TRect aBounds = a->BoundsRect();
    int bHeight = b->Height();
    TMemIniFile ini;
    ini.SetText(String(L"[Dock]\n") + c.Text);
    p->LoadToolBarsPosition(*MemLayoutStore(&ini, L"Dock"));
    EXPECT_EQ(Rows(p), c.Rows) << c.Text;
    EXPECT_EQ(b->Visible(), c.BVisible) << c.Text;
    EXPECT_EQ(a->Width(), aBounds.Width()) << c.Text;
    EXPECT_EQ(b->Height(), bHeight) << c.Text;
    EXPECT_LT(a->Left(), 640) << c.Text;
    p->Free();
  }
}

TEST_F(Store, WithoutKeyOrSectionNothingIsSavedOrLoaded) {
  struct Case {
    const wchar_t* Key;
    const wchar_t* Section;
  } cases[] = {{L"", L"Dock"}, {L"k", L""}};
  for (const Case& c : cases) {
    TPersistence persistence(nullptr);
    persistence.SetLocation(TPersistenceLocation::plIniFile);
    persistence.SetKey(*c.Key ? Ini : String());
    persistence.SetSection(c.Section);
    EXPECT_EQ(OpenLayoutStore(&persistence, true), nullptr);
    TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
    Docked(L"A", p, 1);
    p->SetPersistence(&persistence);
    p->SaveToolBarsPosition();
    EXPECT_EQ(GetFileAttributesW(Ini.c_str()), INVALID_FILE_ATTRIBUTES);
    p->Free();
  }
}

TEST_F(Store, NamedItemsKeepTheirVisibilityAndAFloatingStateIsClearedWhenDocked) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* t = Docked(L"Bar", p, 0);
  TAdvToolBarButton* cut = AddButton(t, L"Cut");
  TAdvToolBarButton* copy = AddButton(t, L"Copy");
  TAdvToolBarButton* unnamed = AddButton(t, L"");
  cut->SetVisible(false);
  SetUpStore(t->Persistence(), TPersistenceLocation::plIniFile, L"Bars");
  t->Persistence()->SetEnabled(true);
  TIniFile(Ini).WriteString(L"Bars", L"Bar.Name", L"BAR");
  TIniFile(Ini).WriteString(L"Bars", L"Bar.State", L"1");
  t->SavePosition();
  EXPECT_EQ(FileLines(Ini), (std::vector<std::string>{"[Bars]", "Bar.Name=BAR", "Bar.State=0", "Bar.Cut=0",
                                                       "Bar.Copy=1"}));
  cut->SetVisible(true);
  copy->SetVisible(false);
  unnamed->SetVisible(false);
  t->LoadPosition();
  EXPECT_FALSE(cut->Visible());
  EXPECT_TRUE(copy->Visible());
  EXPECT_FALSE(unnamed->Visible());
  EXPECT_TRUE(t->PersistSettingLoaded());
}

TEST_F(Store, AToolBarStoredAsFloatingFloatsAgainWhereItWas) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  struct Case {
    const wchar_t* Text;
    bool Floats;
  } cases[] = {
      {L"Bar.Name=Other\nBar.State=1\nBar.Left=300\nBar.Top=200\n", false},
      {L"Bar.Name=Bar\nBar.State=0\nBar.Left=300\nBar.Top=200\n", false},
      {L"Bar.Name=bar\nBar.State=1\nBar.Left=300\nBar.Top=200\nBar.FloatingRows=900000\n", true},
  };
  for (const Case& c : cases) {
    TAdvToolBar* t = Docked(L"Bar", p, 3);
    int rows = t->FloatingRows();
    TMemIniFile ini;
    ini.SetText(String(L"[Bars]\n") + c.Text);
    t->LoadPosition(*MemLayoutStore(&ini, L"Bars"));
    EXPECT_EQ(t->GetToolBarState() == TToolBarState::tsFloating, c.Floats) << c.Text;
    if (c.Floats) {
      ASSERT_NE(t->FloatingWindow(), nullptr);
      EXPECT_EQ(t->GetPosition(), TPoint(300, 200));
      // A row count no toolbar can have is not taken.
      EXPECT_EQ(t->FloatingRows(), rows);
    }
    t->Free();
    PumpFor(10);
  }
}

TEST_F(Store, TheRibbonStateRoundTripsAndMissingValuesKeepTheDefaults) {
  TPersistence persistence(nullptr);
  SetUpStore(&persistence, TPersistenceLocation::plRegistry, L"Ribbon");
  bool minimized = true, below = true;
  LoadRibbonState(&persistence, minimized, below);
  EXPECT_TRUE(minimized);
  EXPECT_TRUE(below);
  SaveRibbonState(&persistence, false, true);
  minimized = true, below = false;
  LoadRibbonState(&persistence, minimized, below);
  EXPECT_FALSE(minimized);
  EXPECT_TRUE(below);
  // An integer stored as text reads too, and stays text when written.
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(String(L"\\") + RegistryKey + L"\\Ribbon", false));
  reg.WriteString(L"Minimized", L"1");
  LoadRibbonState(&persistence, minimized, below);
  EXPECT_TRUE(minimized);
  SaveRibbonState(&persistence, false, false);
  EXPECT_EQ(reg.GetDataType(L"Minimized"), TRegDataType::rdString);
  EXPECT_EQ(reg.ReadString(L"Minimized"), L"0");
  EXPECT_EQ(reg.GetDataType(L"ShowQATBelow"), TRegDataType::rdInteger);
}

}  // namespace
