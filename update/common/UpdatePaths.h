// Paths of an update: the directory form of folders, path prefixes ("{APP}"
// and the like), the user's folders, and the rules that keep names and
// folders from a control file, a list file or a cabinet where they belong.
#pragma once

#include <functional>

#include "base/Types.h"

// A folder in the form that prefixes expand to: a trailing backslash is
// added to a non-empty text that lacks one; then a text of at least 4
// characters whose second is ":" loses it again, and any other text gets
// "." appended. "C:\App" stays "C:\App", "" becomes ".", a share
// "\\h\s" becomes "\\h\s\.".
String DirectoryForm(const String& Folder);

// Replaces each token "{NAME}" by what Convert answers for the upper-cased
// NAME; an empty answer leaves the token. The scan goes on after the
// inserted text, so a folder whose name holds a token never expands again.
String ExpandPathPrefixes(const String& Path, const std::function<String(const String& Prefix)>& Convert);

enum class TUserFolder { ufDocuments, ufLocalAppData, ufCommonAppData };
// The user's folder from the shell ("" when the system cannot say).
String UserFolder(TUserFolder Folder);
// The running executable's folder, with a trailing backslash.
String ExeFolder();
// The Windows folder and the system folder ("" when the system cannot say).
String WindowsFolder();
String SystemFolder();

// A bare file name that names an ordinary file: not empty, no folder part
// (no "\", "/" or ":"), not "." or "..", no wildcard or control character,
// and no device name (CON, NUL, COM1, LPT1... with or without extension).
bool IsPlainFileName(const String& Name);
// A relative path made of plain file names (folders allowed), so that it
// stays inside the folder it is taken in.
bool IsSafeRelativePath(const String& Path);
// The full, normalised form of a path (relative paths against the current
// folder).
String FullPath(const String& Path);
// Whether Path (file or folder, full or relative) lies in Folder or below
// it, after both are normalised; a path that names a device is never
// inside.
bool PathInside(const String& Path, const String& Folder);
