# The HTML and reflection labels, started with the buttons' unit table.
vantrel_test(test_labels SOURCES controls/labels/LabelsTest.cpp controls/buttons/ButtonTestSupport.cpp LIBS labels
  UNITS testunits_buttons TIMEOUT 120)
