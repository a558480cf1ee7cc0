# The toolbar library's painting helpers, button faces and caption glyphs.
vantrel_test(test_toolbar_paint SOURCES toolbar/bars/ToolBarPaintTest.cpp toolbar/bars/ButtonFacesTest.cpp
  toolbar/bars/PaintTestSupport.cpp draw/DrawTestSupport.cpp LIBS bars UNITS testunits_draw TIMEOUT 120)

# Toolbars, their items and dock panels: the model, item layout and overflow,
# the dock rows, painting of toolbars and buttons, and the mouse.
vantrel_test(test_toolbar_bars SOURCES toolbar/bars/DockRowsTest.cpp toolbar/bars/DockPanelTest.cpp toolbar/bars/ToolBarModelTest.cpp toolbar/bars/LayoutTest.cpp toolbar/bars/ToolBarButtonTest.cpp toolbar/bars/ToolBarDrawTest.cpp toolbar/bars/BarsTestSupport.cpp
  LIBS bars UNITS testunits_stylers TIMEOUT 120)
# A picture of docked toolbars, saved to <build>/screens/.
vantrel_test(test_toolbar_screens SOURCES toolbar/bars/ToolBarScreensTest.cpp toolbar/bars/BarsTestSupport.cpp
  LIBS bars testscreens UNITS testunits_stylers TIMEOUT 120)
# The option selector window and its panels: the chevron drop-down with the
# items that did not fit, its add-or-remove and options entries.
vantrel_test(test_toolbar_popups SOURCES toolbar/bars/OptionSelectorTest.cpp toolbar/bars/BarsTestSupport.cpp
  toolbar/bars/PaintTestSupport.cpp controls/menus/MenuDriver.cpp LIBS bars UNITS testunits_stylers TIMEOUT 120)
# The menu bar: menu buttons and glow menu buttons, a toolbar as a form's
# menu bar driven by the mouse and by real keys, its shortcuts, MDI child
# buttons and option window.
vantrel_test(test_toolbar_menubar SOURCES toolbar/bars/MenuButtonTest.cpp toolbar/bars/MenuBarTest.cpp toolbar/bars/MDIButtonsTest.cpp toolbar/bars/ToolBarKeysTest.cpp toolbar/bars/OptionWindowTest.cpp
  toolbar/bars/MenuBarForm.cpp toolbar/bars/BarsTestSupport.cpp
  controls/menus/MenuDriver.cpp LIBS bars UNITS testunits_stylers TIMEOUT 120)
# A picture of a form whose menu bar is a toolbar, saved to
# <build>/screens/menubar.png (MakeMenuBarForm builds the form).
vantrel_test(test_toolbar_menubar_screens SOURCES toolbar/bars/MenuBarScreensTest.cpp toolbar/bars/MenuBarForm.cpp
  toolbar/bars/BarsTestSupport.cpp LIBS bars testscreens UNITS testunits_stylers TIMEOUT 120)
# Key tips and keys of ribbon groups (real key input), the arrow walk between
# groups, the hover glow of groups.
vantrel_test(test_toolbar_keytips SOURCES toolbar/bars/ToolBarKeyTipsTest.cpp toolbar/bars/BarsTestSupport.cpp
  LIBS bars UNITS testunits_stylers TIMEOUT 120)
# Dragging toolbars by the grip, floating windows and their rows, docking
# back (real mouse input through the modal drag loop).
vantrel_test(test_toolbar_drag SOURCES toolbar/bars/ToolBarDragTest.cpp toolbar/bars/BarsTestSupport.cpp
  LIBS bars UNITS testunits_stylers TIMEOUT 120)
# The toolbar container and the popup menu window.
vantrel_test(test_toolbar_container SOURCES toolbar/bars/ContainerPopupTest.cpp toolbar/bars/BarsTestSupport.cpp
  toolbar/bars/PaintTestSupport.cpp LIBS bars UNITS testunits_stylers TIMEOUT 120)
# The layout store of dock panels, toolbars and the ribbon state.
vantrel_test(test_toolbar_store SOURCES toolbar/bars/LayoutStoreTest.cpp toolbar/bars/BarsTestSupport.cpp
  LIBS bars UNITS testunits_stylers TIMEOUT 120)
# The toolbar customizer and its INI layout.
vantrel_test(test_toolbar_customizer SOURCES toolbar/bars/CustomizerTest.cpp toolbar/bars/CustomizerFixture.cpp toolbar/bars/BarsTestSupport.cpp
  LIBS bars UNITS testunits_stylers TIMEOUT 120)
# The customizer dialogs driven by their controls, with a picture of a form
# with a menu bar, a toolbar and the open dialog saved to <build>/screens/.
vantrel_test(test_toolbar_customizer_dialog SOURCES toolbar/bars/CustomizerDialogTest.cpp toolbar/bars/CustomizerFixture.cpp toolbar/bars/BarsTestSupport.cpp
  toolbar/bars/MenuBarForm.cpp
  LIBS bars testscreens UNITS testunits_stylers TIMEOUT 120)
# A second menu merged into a menu bar by group index and taken away again;
# the window menu's list of MDI children, chosen from the open menu.
vantrel_test(test_toolbar_menumerge SOURCES toolbar/bars/MenuMergeTest.cpp toolbar/bars/BarsTestSupport.cpp
  controls/menus/MenuDriver.cpp LIBS bars UNITS testunits_stylers TIMEOUT 120)
