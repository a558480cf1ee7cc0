#include <gtest/gtest.h>
#include <windows.h>

#include "base/Printers.h"
#include "tests/controls/listview/PrintRecorder.h"
#include "tests/support/Gui.h"

namespace {

TEST(Printer, PagesGoToTheDeviceInPlace) {
  auto* rec = new TPageRecorder(200, 300);
  TPrinter printer;
  printer.SetDevice(std::unique_ptr<TPrinterDevice>(rec));
  printer.SetTitle(L"job");
  printer.SetOrientation(TPrinterOrientation::poLandscape);
  printer.BeginDoc();
  EXPECT_TRUE(printer.Printing());
  EXPECT_EQ(printer.PageNumber(), 1);
  EXPECT_EQ(printer.PageWidth(), 200);
  EXPECT_EQ(printer.PageHeight(), 300);
  EXPECT_THROW(printer.SetOrientation(TPrinterOrientation::poPortrait), EPrinter);
  printer.Canvas()->Brush()->SetColor(clRed);
  printer.Canvas()->FillRect(TRect(10, 10, 20, 20));
  printer.NewPage();
  EXPECT_EQ(printer.PageNumber(), 2);
  printer.Canvas()->Brush()->SetColor(clBlue);
  printer.Canvas()->FillRect(TRect(10, 10, 20, 20));
  printer.EndDoc();
  EXPECT_FALSE(printer.Printing());
  ASSERT_EQ(rec->Pages.size(), 2u);
  EXPECT_TRUE(rec->Ended);
  EXPECT_EQ(rec->Title, L"job");
  EXPECT_EQ(rec->Orientation, TPrinterOrientation::poLandscape);
  EXPECT_EQ(PixelAt(rec->Pages[0].get(), 15, 15), clRed);
  EXPECT_EQ(PixelAt(rec->Pages[1].get(), 15, 15), clBlue);
  EXPECT_THROW(printer.EndDoc(), EPrinter);
}

TEST(Printer, WithoutAPrinterTheJobDoesNotStart) {
  TPrinter printer;
  if (!printer.Printers().empty()) GTEST_SKIP() << "a printer is installed here";
  EXPECT_THROW(printer.BeginDoc(), EPrinter);
  EXPECT_FALSE(printer.Printing());
}

}  // namespace
