// Stand-ins for the dock panel, the toolbar and the ribbon pager: each
// records what a styler asks of it in one shared log.
#pragma once

#include <string>
#include <vector>

#include "base/Controls.h"
#include "ui/toolbar/stylers/ToolBarStyler.h"

// "Name:Kind" per broadcast received, and the pager calls.
extern std::vector<std::string> StylerLog;

class TFakeToolBar : public TCustomControl, public IToolBarStylerReceiver {
  VANTREL_CLASS(TFakeToolBar)
 public:
  using TCustomControl::TCustomControl;
  void ApplyStylerChange(int Kind) override;
  IToolBarStylerReceiver* CompactStylerReceiver() override { return Compact; }
  IToolBarStylerReceiver* Compact = nullptr;
  bool Throws = false;
};

class TFakeDockPanel : public TCustomControl, public IToolBarStylerHost {
  VANTREL_CLASS(TFakeDockPanel)
 public:
  using TCustomControl::TCustomControl;
  void ApplyStylerChange(int Kind) override;
  TCustomAdvToolBarStyler* ToolBarStyler() const override { return FStyler; }
  // Registers with the new styler and leaves the old one.
  void SetToolBarStyler(TCustomAdvToolBarStyler* Value) override;

 private:
  TCustomAdvToolBarStyler* FStyler = nullptr;
};

class TFakePager : public TCustomControl, public IToolBarStylerPager {
  VANTREL_CLASS(TFakePager)
 public:
  using TCustomControl::TCustomControl;
  void ApplyStylerChange(int Kind) override;
  TCustomAdvToolBarStyler* ToolBarStyler() const override { return FStyler; }
  void SetToolBarStyler(TCustomAdvToolBarStyler* Value) override;
  void ApplyPagerGlass(const TPagerGlass& Glass) override;
  void ClearOfficeTones() override;
  void SetOfficeTones(const TOfficeTones& Tones, TGroupStyle GroupStyle) override;
  void UpdateQAT() override;

  bool Glass = false, Scenic = false;
  int GlassCalls = 0, ClearCalls = 0, QATCalls = 0, ToneCalls = 0;
  TOfficeTones Tones{};
  TGroupStyle GroupStyle = TGroupStyle::gsClassic;

 private:
  TCustomAdvToolBarStyler* FStyler = nullptr;
};
