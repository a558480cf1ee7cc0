// Run-time binding of an optional iconv library ("iconv.dll", entry points
// "libiconv_open", "libiconv", "libiconv_close", "libiconvctl"). Loading and
// unloading happen under one process-wide lock of their own; a failed load
// is tried again at the next call. The library is looked for only in the
// program's folder, System32 and folders added with AddDllDirectory.
#pragma once

#include <cstdint>
#include <string>

// A conversion handle; -1 is none.
using TIconvHandle = intptr_t;
constexpr TIconvHandle InvalidIconvHandle = -1;

// Loads the library once; true when it is loaded.
bool LoadIconvLibrary();
bool IconvLoaded();
void UnloadIconvLibrary();

// Opens a conversion (loading on demand); -1 when the library, its open
// function or one of the names is missing.
TIconvHandle IconvOpen(const std::wstring& ToName, const std::wstring& FromName);
// The same with "//IGNORE" or "//IGNORE//TRANSLIT" after the target name.
TIconvHandle IconvOpenIgnore(const std::wstring& ToName, const std::wstring& FromName);
TIconvHandle IconvOpenTranslit(const std::wstring& ToName, const std::wstring& FromName);

// Converts all of Input, growing Output until the library takes it, and
// ends the output in the initial shift state. Returns the number of input
// bytes consumed (fewer when the input ends inside a character or holds
// one the library rejects). Without the library: empty output and 0.
int IconvConvert(TIconvHandle Handle, const std::string& Input, std::string& Output);

// Closes the handle and sets it to -1; a handle of -1 gives 0. Otherwise
// the close function's result, or -1 when the library is missing.
int IconvClose(TIconvHandle& Handle);
