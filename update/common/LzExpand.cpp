#include "update/common/LzExpand.h"

#include <lzexpand.h>

#include "base/FileUtils.h"
#include "update/common/UpdatePaths.h"

String LZExpandFile(const String& FileName) {
  wchar_t expanded[MAX_PATH * 2] = L"";
  if (FileName.size() >= MAX_PATH || GetExpandedNameW(const_cast<LPWSTR>(FileName.c_str()), expanded) != 1)
    return String();
  String target = expanded;
  // The recorded name stays in the compressed file's folder.
  if (ExtractFilePath(target) != ExtractFilePath(FileName)) target = ExtractFilePath(FileName) + ExtractFileName(target);
  if (SameText(target, FileName)) return FileName;
  // The header's last character may not turn the name into a stream or a
  // device.
  if (!IsPlainFileName(ExtractFileName(target))) return String();
  OFSTRUCT ofs{};
  INT src = LZOpenFileW(const_cast<LPWSTR>(FileName.c_str()), &ofs, OF_READ);
  if (src < 0) return String();
  OFSTRUCT ofd{};
  INT dst = LZOpenFileW(const_cast<LPWSTR>(target.c_str()), &ofd, OF_CREATE);
  if (dst < 0) {
    LZClose(src);
    return String();
  }
  LONG copied = LZCopy(src, dst);
  LZClose(src);
  LZClose(dst);
  // Only a whole expanded file counts as success.
  if (copied < 0 || !FileExists(target) || FileSize(target) != copied) {
    if (FileExists(target)) DeleteFileW(target.c_str());
    return String();
  }
  DeleteFileW(FileName.c_str());
  return target;
}
