# ConvertCharset between UTF-8 and CP1250 against the platform's own
# conversion.
vantrel_bench(charsets_bench SOURCES charsets/charsets_bench.cpp LIBS net)
