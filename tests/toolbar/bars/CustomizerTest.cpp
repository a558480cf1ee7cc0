// The toolbar customizer and its INI layout: the designed section line by
// line, the user's layout applied from a file, restoring the designed
// layout, and files that hold bad or clashing names or cannot be written.
#include <memory>

#include "base/MemIniFile.h"
#include "tests/toolbar/bars/CustomizerFixture.h"

namespace {


struct Customizer : CustomizerFixture {
  void SetUp() override {
    DockFixture::SetUp();
    SetUpBar(L"vantrel-customizer-test.ini");
  }
  void Load(const String& Text) {
    TMemIniFile ini;
    ini.SetText(L"[TB1Customizer]\n" + Text);
    C->LoadCustomizedLayout(ini);
  }
};

TEST_F(Customizer, TheDesignedSectionHoldsTheToolBarLineByLine) {
  C->SaveDesignedLayout();
  std::vector<std::string> expected = {"[TB1CustomizerOrg]", "ATBCaption=Standard", "GlyphPosition=0",
                                       "LargeIcon=1", "ToolBarItemCount=3"};
  int i = 0;
  for (TControl* c : {static_cast<TControl*>(Open), static_cast<TControl*>(Sep), static_cast<TControl*>(Save)}) {
    std::string k = "Name" + std::to_string(i++);
    expected.push_back(k + "=" + Narrow(c->Name()));
    auto* b = dynamic_cast<TAdvToolBarButton*>(c);
    expected.push_back(k + ".ClassName=" + (b ? "ADVTOOLBARBUTTON" : "ADVTOOLBARSEPARATOR"));
    if (!b) continue;
    expected.push_back(k + ".ImageIndex=" + std::to_string(b->ImageIndex()));
    expected.push_back(k + ".Visible=" + std::string(b->Visible() ? "1" : "0"));
    expected.push_back(k + ".ShowCaption=" + std::string(b->ShowCaption() ? "1" : "0"));
    expected.push_back(k + ".Caption=" + Narrow(b->Caption()));
    expected.push_back(k + ".Hint=" + Narrow(b->Hint()));
  }
  EXPECT_EQ(FileLines(Ini), expected);
}

TEST_F(Customizer, TheUsersLayoutOrdersKeepsAndTakesOffItems) {
  C->ButtonProperties()->SetVisible(true);
  struct Case {
    const wchar_t* Text;
    std::vector<String> Items;
  } cases[] = {
      {L"ATBCaption=Mine\n", {L"OpenBtn", L"Sep1", L"SaveBtn"}},
      {L"ToolBarItemCount=0\n", {}},
      {L"ToolBarItemCount=2\nName0=savebtn\nName0.ClassName=advtoolbarbutton\nName1=OpenBtn\nName1.ClassName=-1\n",
       {L"SaveBtn", L"OpenBtn"}},
      // No class: skipped, and so taken off.
      {L"ToolBarItemCount=2\nName0=Sep1\nName1=OpenBtn\nName1.ClassName=-1\n", {L"OpenBtn"}},
      // "-1" for a name that matches nothing is ignored.
      {L"ToolBarItemCount=2\nName0=Nothing\nName0.ClassName=-1\nName1=Sep1\nName1.ClassName=ADVTOOLBARSEPARATOR\n",
       {L"Sep1"}},
      // A new separator is made under its name.
      {L"ToolBarItemCount=2\nName0=AdvToolBarSeparator1\nName0.ClassName=ADVTOOLBARSEPARATOR\n"
       L"Name1=OpenBtn\nName1.ClassName=ADVTOOLBARBUTTON\n",
       {L"AdvToolBarSeparator1", L"OpenBtn"}},
  };
  for (const Case& c : cases) {
    C->RestoreDesignedLayout();  // nothing stored: the items stay as they are
    for (TControl* item : {static_cast<TControl*>(Open), static_cast<TControl*>(Sep), static_cast<TControl*>(Save)})
      if (item->Parent() != Bar) Bar->AddToolBarControl(item);
    while (Bar->ToolBarControlCount() > 3) Bar->ToolBarControls(Bar->ToolBarControlCount() - 1)->Free();
    for (int k = 0; k < 3; ++k) {
      TControl* want = k == 0 ? static_cast<TControl*>(Open) : k == 1 ? static_cast<TControl*>(Sep) : Save;
      int at = Bar->IndexOfToolBarControl(want);
      if (at != k) Bar->MoveToolBarControl(at, k);
    }
    Load(c.Text);
    EXPECT_EQ(Items(), c.Items) << c.Text;
    // Items taken off live on without a parent.
    for (TControl* item : {static_cast<TControl*>(Open), static_cast<TControl*>(Save)})
      EXPECT_TRUE(item->Parent() == Bar || item->Parent() == nullptr);
  }
  // The caption edit is on: the first case's caption was taken.
  EXPECT_EQ(Bar->ToolBarCaption(), L"Mine");
}

TEST_F(Customizer, ButtonValuesFollowTheSwitchesAndTheirOwnRules) {
  C->ButtonProperties()->SetVisible(true);
  struct Case {
    const wchar_t* Text;
    bool Visible, ShowCaption;
    int Image;
  } cases[] = {
      {L"Name0.Visible=2\nName0.ShowCaption=2\nName0.ImageIndex=7\n", true, false, 7},
      {L"Name0.Visible=0\nName0.ShowCaption=1\nName0.ImageIndex=x\n", false, true, 7},
  };
  for (const Case& c : cases) {
    Load(String(L"ToolBarItemCount=1\nName0=OpenBtn\nName0.ClassName=ADVTOOLBARBUTTON\n") + c.Text);
    EXPECT_EQ(Open->Visible(), c.Visible) << c.Text;
    EXPECT_EQ(Open->ShowCaption(), c.ShowCaption) << c.Text;
    EXPECT_EQ(Open->ImageIndex(), c.Image) << c.Text;
  }
}

TEST_F(Customizer, CommandCaptionsBecomeNamesAndBadOrRepeatedEntriesAreSkippedAlone) {
  struct Names {
    const wchar_t* Caption;
    const wchar_t* Name;
  } names[] = {{L"Print All", L"Print_All"}, {L"Save As...", L"Save_As___"}, {L"3D view", L"_3D_view"}};
  for (const Names& n : names) {
    TATBCommand* cmd = C->Commands()->Add();
    cmd->SetCaption(n.Caption);
    EXPECT_EQ(cmd->Caption(), n.Name);
    EXPECT_TRUE(IsValidIdent(cmd->Caption()));
  }
  int clicks = 0;
  C->Commands()->Items(0)->OnExecute = [&](TObject*) { ++clicks; };
  (new TPanel(Form))->SetName(L"Taken");
  Load(L"ToolBarItemCount=5\n"
       L"Name0=Save As...\nName0.ClassName=ADVTOOLBARBUTTON\n"
       L"Name1=ADVTOOLBARBUTTON1\nName1.ClassName=ADVTOOLBARBUTTON\nName1.CommandID=0\nName1.Caption=Print_All\n"
       L"Name2=ADVTOOLBARBUTTON1\nName2.ClassName=ADVTOOLBARBUTTON\nName2.CommandID=1\n"
       L"Name3=Taken\nName3.ClassName=ADVTOOLBARBUTTON\n"
       L"Name4=OpenBtn\nName4.ClassName=ADVTOOLBARBUTTON\nName4.CommandID=2\n");
  EXPECT_EQ(Items(), (std::vector<String>{L"ADVTOOLBARBUTTON1", L"OpenBtn"}));
  auto* made = static_cast<TAdvToolBarButton*>(C->FindToolBarControl(L"advtoolbarbutton1"));
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->FCustomizerCreated);
  EXPECT_EQ(made->FCommandID, 0);
  EXPECT_EQ(made->Caption(), L"Print_All");
  made->OnClick(made);
  EXPECT_EQ(clicks, 1);
  // A designed item keeps having no command.
  EXPECT_EQ(Open->FCommandID, -1);
  // New names never clash with the toolbar's items, the form's components
  // or names given before.
  EXPECT_EQ(UniqueItemName(Bar, L"ADVTOOLBARBUTTON", {}), L"ADVTOOLBARBUTTON2");
  EXPECT_EQ(UniqueItemName(Bar, L"ADVTOOLBARBUTTON", {L"advtoolbarbutton2"}), L"ADVTOOLBARBUTTON3");
}

TEST_F(Customizer, RestoringBringsTheDesignedLayoutBackAndEmptiesTheUsersSection) {
  C->SaveDesignedLayout();
  TIniFile ini(Ini);
  ini.WriteString(L"TB1Customizer", L"ATBCaption", L"Mine");
  ini.WriteString(L"TB1Customizer", L"ToolBarItemCount", L"2");
  ini.WriteString(L"TB1Customizer", L"Name0", L"SaveBtn");
  ini.WriteString(L"TB1Customizer", L"Name0.ClassName", L"ADVTOOLBARBUTTON");
  ini.WriteString(L"TB1Customizer", L"Name0.Caption", L"Keep");
  ini.WriteString(L"TB1Customizer", L"Name1", L"NewOne");
  ini.WriteString(L"TB1Customizer", L"Name1.ClassName", L"ADVTOOLBARBUTTON");
  C->LoadCustomizedLayout();
  EXPECT_EQ(Items(), (std::vector<String>{L"SaveBtn", L"NewOne"}));
  EXPECT_EQ(Bar->ToolBarCaption(), L"Mine");
  EXPECT_EQ(C->DeletedItemCount(), 2);
  C->RestoreDesignedLayout();
  EXPECT_EQ(Items(), (std::vector<String>{L"OpenBtn", L"Sep1", L"SaveBtn"}));
  EXPECT_EQ(Bar->ToolBarCaption(), L"Standard");
  EXPECT_EQ(Save->Caption(), L"Save");
  EXPECT_EQ(C->DeletedItemCount(), 0);
  EXPECT_FALSE(ini.SectionExists(L"TB1Customizer"));
}

TEST_F(Customizer, AnItemWithoutANameIsNamedOnceAndKeptBySavingLoadingAndRestoring) {
  auto* plain = new TAdvToolBarButton(Form);
  plain->SetCaption(L"Plain");
  plain->SetAdvToolBar(Bar);
  auto* other = new TAdvToolBarButton(Form);
  other->SetAdvToolBar(Bar);
  C->SaveDesignedLayout();
  TIniFile ini(Ini);
  const String name = ini.ReadString(L"TB1CustomizerOrg", L"Name3", L"");
  const String second = ini.ReadString(L"TB1CustomizerOrg", L"Name4", L"");
  EXPECT_EQ(name, Bar->Name() + L"Item1");
  EXPECT_EQ(second, Bar->Name() + L"Item2");
  EXPECT_EQ(C->FindToolBarControl(name), plain);
  EXPECT_EQ(C->FindToolBarControl(second), other);
  // Saving again keeps the names.
  C->SaveDesignedLayout();
  EXPECT_EQ(ini.ReadString(L"TB1CustomizerOrg", L"Name3", L""), name);
  Load(L"ToolBarItemCount=2\nName0=" + name + L"\nName0.ClassName=ADVTOOLBARBUTTON\nName0.Caption=Mine\n"
       L"Name1=SaveBtn\nName1.ClassName=ADVTOOLBARBUTTON\n");
  EXPECT_EQ(Items(), (std::vector<String>{name, L"SaveBtn"}));
  EXPECT_EQ(plain->Caption(), L"Mine");
  C->RestoreDesignedLayout();
  EXPECT_EQ(Items(), (std::vector<String>{L"OpenBtn", L"Sep1", L"SaveBtn", name, second}));
  EXPECT_EQ(plain->Caption(), L"Plain");
}

TEST_F(Customizer, ANewFileNameAtRunTimeAppliesItsLayoutButNeverRewritesTheDesignedSection) {
  C->SaveDesignedLayout();
  Bar->SetToolBarCaption(L"Changed");
  Bar->MoveToolBarControl(2, 0);
  C->SetFileName(L"");
  C->SetFileName(Ini);
  TIniFile ini(Ini);
  EXPECT_EQ(ini.ReadString(L"TB1CustomizerOrg", L"ATBCaption", L""), L"Standard");
  EXPECT_EQ(ini.ReadString(L"TB1CustomizerOrg", L"Name0", L""), L"OpenBtn");
}

TEST_F(Customizer, ADesignedSectionThatCannotBeWrittenIsReportedAndTheLayoutStillLoads) {
  std::vector<String> errors;
  C->OnError = [&](TObject* Sender, const String& Message) {
    EXPECT_EQ(Sender, C);
    errors.push_back(Message);
  };
  auto* small = new TImageList(Form);
  C->SetSmallImages(small);
  C->SetFileName(L"Z:\\no-such-folder-for-vantrel\\layout.ini");
  EXPECT_NO_THROW(C->ToolBarLoaded());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find(L"layout.ini"), String::npos);
  // The user's layout ran: the small images went to the toolbar.
  EXPECT_EQ(Bar->Images(), small);
  EXPECT_THROW(C->SaveDesignedLayout(), EIniFileException);
}

TEST_F(Customizer, TheToolBarKnowsItsCustomizerUntilEitherGoes) {
  EXPECT_EQ(Bar->Customizer(), C);
  EXPECT_EQ(C->CustomizeText(), L"Customize");
  C->SetAdvToolBar(nullptr);
  EXPECT_EQ(Bar->Customizer(), nullptr);
  C->SetAdvToolBar(Bar);
  C->Free();
  EXPECT_EQ(Bar->Customizer(), nullptr);
}

}  // namespace
