# RenderHtml measuring and drawing a status-panel text and a 200-line
# document, beside DrawTextW of the same plain text in the same font.
vantrel_bench(html_bench SOURCES html/html_bench.cpp LIBS draw)
