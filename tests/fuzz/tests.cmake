# Fuzz targets: one source file each (tests/fuzz/<name>.cpp defines FuzzOne),
# seeds in tests/fuzz/corpus/<name>/, kept failures in
# tests/fuzz/regress/<name>/ (see "Fuzzing" in docs/architecture.md).
vantrel_fuzz(phone_protocol LIBS app MAX_BYTES 2048 SECONDS 10)
vantrel_fuzz(text_codecs LIBS net UNITS testunits_charsets MAX_BYTES 2048 SECONDS 10)
# Datagrams through the real UDP service and the main window, in a lab
# network, once more with the fonts a plain wine installation has.
vantrel_fuzz(datagram SOURCES app/ToolsTestVersion.rc LIBS app ws2_32 UNITS testunits_lab MAX_BYTES 65507 SECONDS 40 LAB PLAIN_FONTS)
vantrel_fuzz(pictures LIBS draw UNITS testunits_draw MAX_BYTES 16384 SECONDS 20)
vantrel_fuzz(html LIBS draw UNITS testunits_draw MAX_BYTES 16384 SECONDS 20)
vantrel_fuzz(listview LIBS listview UNITS testunits_draw MAX_BYTES 8192 SECONDS 20)
vantrel_fuzz(ini MAX_BYTES 4096 SECONDS 10)
vantrel_fuzz(theme_file LIBS stylers UNITS testunits_stylers MAX_BYTES 16384 SECONDS 15)
vantrel_fuzz(update_control LIBS update MAX_BYTES 16384 SECONDS 15)
vantrel_fuzz(layout_store LIBS bars UNITS testunits_stylers MAX_BYTES 4096 SECONDS 10)
vantrel_fuzz(customizer_layout LIBS bars UNITS testunits_stylers MAX_BYTES 4096 SECONDS 10)
