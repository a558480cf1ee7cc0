# Fuzz targets: one source file each (tests/fuzz/<name>.cpp defines FuzzOne),
# seeds in tests/fuzz/corpus/<name>/, kept failures in
# tests/fuzz/regress/<name>/ (see "Fuzzing" in docs/architecture.md).
vantrel_fuzz(phone_protocol LIBS app MAX_BYTES 2048 SECONDS 10)
vantrel_fuzz(text_codecs LIBS net UNITS testunits_charsets MAX_BYTES 2048 SECONDS 10)
vantrel_fuzz(theme_file LIBS stylers UNITS testunits_stylers MAX_BYTES 16384 SECONDS 15)
vantrel_fuzz(update_control LIBS update MAX_BYTES 16384 SECONDS 15)
