# The ribbon pager's parts: its scroll buttons and its bitmaps.
vantrel_test(test_ribbon_controls SOURCES toolbar/ribbon/PageScrollButtonTest.cpp toolbar/ribbon/RibbonBitmapsTest.cpp
  controls/buttons/ButtonTestSupport.cpp LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
# The pager: its model and settings, the layout and fitting of its tabs,
# its painting and its pages' painting and tab glow.
vantrel_test(test_ribbon_pager SOURCES toolbar/ribbon/PagerModelTest.cpp toolbar/ribbon/PagerLayoutTest.cpp
  toolbar/ribbon/PagerPaintTest.cpp toolbar/ribbon/PagerTestSupport.cpp toolbar/bars/PaintTestSupport.cpp
  draw/DrawTestSupport.cpp LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
# Groups on a page: their layout steps, the page's fitting and scrolling,
# the compact drop-down.
vantrel_test(test_ribbon_groups SOURCES toolbar/ribbon/PageGroupsTest.cpp toolbar/ribbon/PagerTestSupport.cpp
  draw/DrawTestSupport.cpp LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
# Pictures of a form with docked toolbars and a ribbon, saved to
# <build>/screens/ (the PNG writer is the program's own).
vantrel_test(test_ribbon_screens SOURCES toolbar/ribbon/RibbonScreenTest.cpp toolbar/ribbon/PagerTestSupport.cpp
  draw/DrawTestSupport.cpp LIBS ribbon testscreens UNITS testunits_buttons TIMEOUT 120)
# The Vista button of the quick access toolbar: glyphs, faces, hover and
# clicks.
vantrel_test(test_ribbon_vista SOURCES toolbar/ribbon/VistaButtonTest.cpp controls/buttons/ButtonTestSupport.cpp
  LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
# The pager's mouse: presses, double clicks, hover glow, tab groups and the
# caption bar; collapsing and expanding.
vantrel_test(test_ribbon_mouse SOURCES toolbar/ribbon/PagerMouseTest.cpp toolbar/ribbon/PagerTestSupport.cpp
  LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
# The pager's keyboard by real key input: key tips, CTRL+F1, accelerators
# and the wheel.
vantrel_test(test_ribbon_keys SOURCES toolbar/ribbon/PagerKeysTest.cpp toolbar/ribbon/PagerTestSupport.cpp
  LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
# The quick access toolbar: its row and overflow, customize and
# application buttons, key tips, images, the band below the ribbon and its
# painting.
vantrel_test(test_ribbon_qat SOURCES toolbar/ribbon/QuickAccessToolBarTest.cpp toolbar/ribbon/PagerTestSupport.cpp
  LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
# The ribbon form: its frames, hit tests, tones, glass (forced through the
# window manager's stand-ins) and its caption layer, with pictures of it
# saved to <build>/screens/.
vantrel_test(test_ribbon_form SOURCES toolbar/ribbon/RibbonFormTest.cpp toolbar/ribbon/CaptionLayerTest.cpp
  toolbar/ribbon/RibbonFormScreenTest.cpp toolbar/ribbon/PagerTestSupport.cpp draw/DrawTestSupport.cpp
  LIBS ribbon testscreens UNITS testunits_buttons TIMEOUT 180)
# The pager's own buttons: caption minimize, maximize and close, the MDI
# child's buttons, help and expand/collapse; the collapsed state and the
# quick access toolbar's place kept in the layout store.
vantrel_test(test_ribbon_buttons SOURCES toolbar/ribbon/PagerButtonsTest.cpp toolbar/ribbon/PagerTestSupport.cpp
  LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
# The pager's reactions: the glass region and caption layer (glass forced
# through the composition stand-ins), hit tests, erasing, tab hints, the
# pages a designer starts with, the scenic look, the application button's
# colour and the tones handed on to the form and the quick access toolbar.
vantrel_test(test_ribbon_reactions SOURCES toolbar/ribbon/PagerReactionsTest.cpp toolbar/ribbon/PagerTestSupport.cpp
  LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
# The caption text, tab-group strips and group captions on glass (glass
# and the composited window theme forced through their stand-ins).
vantrel_test(test_ribbon_glass_caption SOURCES toolbar/ribbon/PagerGlassCaptionTest.cpp
  toolbar/ribbon/PagerTestSupport.cpp LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
