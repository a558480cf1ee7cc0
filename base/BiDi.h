// Bidirectional reading: the mode a control reads its text in, and whether
// the system runs a right-to-left (Middle-East) locale.
#pragma once

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// True on a right-to-left system locale (SM_MIDEASTENABLED). Tests may fix
// the answer with SetSysLocaleMiddleEast.
bool SysLocaleMiddleEast();
// 1 or 0 fixes the answer; -1 asks the system again.
void SetSysLocaleMiddleEast(int Value);
