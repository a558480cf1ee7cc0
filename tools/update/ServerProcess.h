// Starts the update's test servers (tools/update/test_servers.py) from a
// Windows program under wine, for the tests and the download benchmark:
// the servers run as long as this process, ended by the closing of a
// control connection that only this process holds.
#pragma once

#include <map>
#include <string>

#include "base/Types.h"

// Starts the servers with their root folder Root (Windows form) and the
// extra options Options (e.g. "--no-ftp"); Ports receives the key=value
// lines they wrote (http, https, ftp, silent, ca...). False when they did
// not come up within 30 s.
bool StartUpdateServers(const String& Root, const String& Options, std::map<std::string, std::string>& Ports);

// A Windows path (Z:\...) as the Unix path it stands for.
std::string UnixPath(const String& WindowsPath);
