// The state of the modifier keys and mouse buttons in key and mouse events.
#pragma once

#include "base/Types.h"

enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = Set<TShiftStateItem>;
