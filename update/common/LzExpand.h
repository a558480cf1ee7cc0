// Expansion of files compressed in the system's LZ format (as the
// compress tool writes them: "SZDD" files whose name ends in "_").
#pragma once

#include "base/Types.h"

// Expands FileName in place: the expanded file gets the name that the
// compressed file's header records (in the same folder), and the
// compressed file is deleted once the expansion has succeeded. A file that
// is not compressed is left as it is and its own name returned. On failure
// nothing is deleted, a partly written file is removed, and the answer is
// empty.
String LZExpandFile(const String& FileName);
