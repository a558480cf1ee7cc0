vantrel_test(test_core SOURCES base/ObjectTest.cpp base/DisplayTextTest.cpp base/SysUtilsTest.cpp base/ListsTest.cpp base/ColorsTest.cpp base/CollectionTest.cpp base/StreamsTest.cpp)
vantrel_test(test_gui SOURCES base/ThreadTimerTest.cpp base/FormTest.cpp base/PaintMouseTest.cpp
  base/ApplicationTest.cpp base/AlignTest.cpp base/SharedResourcesTest.cpp)
# Owner-drawn list and combo boxes.
vantrel_test(test_owner_draw SOURCES base/OwnerDrawListTest.cpp)
