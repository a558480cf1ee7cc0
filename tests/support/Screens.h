// Screenshots that tests save for a person to look at: what the screen
// shows of a window, written as PNG files to <build>/screens/.
#pragma once

#include <memory>

#include "base/Forms.h"

// The folder for the pictures, in Windows form (made when missing).
String ScreensFolder();
// What the screen shows of the form's window, after it has painted.
std::unique_ptr<TBitmap> CaptureWindow(TCustomForm* Form);
// Saves the picture as Name in the folder; false when it cannot be written.
bool SaveScreenshot(TBitmap* Bitmap, const wchar_t* Name);
// Where a client point of a control lies in the form's picture.
TPoint InPicture(TCustomForm* Form, TControl* Control, int X, int Y);
