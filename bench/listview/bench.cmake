# Filling the advanced list view (10,000 rows of 20 columns, 1,000 rows of
# 260 columns) beside the platform's own list control filled the same way.
vantrel_bench(listview_bench SOURCES listview/listview_bench.cpp LIBS listview draw)
