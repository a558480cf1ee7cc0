// A form whose menu bar is a toolbar: File, Edit and View over a top dock
// panel that also holds a toolbar of buttons. The menu bar tests and the
// pictures of the toolbar library use it.
#pragma once

#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"

struct TMenuBarForm {
  TForm* Form = nullptr;
  TAdvDockPanel* Top = nullptr;
  TAdvToolBar* Bar = nullptr;
  TAdvToolBar* Tools = nullptr;
  TMainMenu* Menu = nullptr;
  TMenuItem* File = nullptr;
  TMenuItem* Edit = nullptr;
  TMenuItem* View = nullptr;
  // The entries by caption, without accelerator marks ("New", "Undo").
  TMenuItem* Item(const String& Caption) const;
  // The menu button of a top-level item.
  TAdvCustomToolBarButton* ButtonOf(TMenuItem* TopItem) const;
};

// A new form, shown at the given place (Owner frees it, or the caller).
TMenuBarForm MakeMenuBarForm(int Left = 40, int Top = 40, int Width = 480, int Height = 300);
