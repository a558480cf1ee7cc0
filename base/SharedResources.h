// Cursors and icons that the system shares between all their users: each is
// loaded once per process and handed out from then on. Loading one asks the
// display driver for the screen's depth and resolution each time, which
// costs as much as a round trip to the window server; windows ask for their
// class cursor and icon every time their creation parameters are made.
#pragma once

#include <windows.h>

// LoadCursorW(Instance, Name), loaded once per instance and name. Name is a
// resource number (MAKEINTRESOURCE, as the IDC_ constants) or a string.
HCURSOR SharedCursor(HINSTANCE Instance, LPCWSTR Name);

// LoadIconW(Instance, Name), loaded once per instance and name; a name that
// the module does not have stays without an icon (nullptr) as well.
HICON SharedIcon(HINSTANCE Instance, LPCWSTR Name);

// The small version (the system's small icon size) of an icon that
// SharedIcon handed out, loaded once; nullptr for any other icon. A window
// class registered with an icon but no small one makes the system derive
// the small one from the icon's resource at every registration, which under
// wine costs about as much as making a window.
HICON SharedSmallIcon(HICON Icon);
