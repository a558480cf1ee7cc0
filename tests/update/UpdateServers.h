// The update tests' servers: HTTP, HTTPS and FTP on loopback (and a port
// that accepts and never answers), started once per test executable by
// tools/update/test_servers.py and ended with it. Files that the servers
// offer are put into their root folder.
#pragma once

#include <string>

#include "base/SysUtils.h"
#include "tools/update/ServerProcess.h"

class TUpdateServers {
 public:
  // The servers, started on first use; a failure to start fails the test
  // that asked (Ready() false).
  static TUpdateServers& Get();
  bool Ready() const { return FReady; }

  // The folder the servers offer (HTTP /files/, FTP /), Windows form.
  const String& Root() const { return FRoot; }
  void PutFile(const String& Name, const std::string& Bytes);
  void PutFile(const String& Name, const String& Text) { PutFile(Name, WideToAnsi(Text)); }
  void RemoveFile(const String& Name);

  String Http(const String& Path) const { return L"http://127.0.0.1:" + IntToStr(FHttp) + Path; }
  // Over the name that the test certificate is made out to.
  String Https(const String& Path) const { return L"https://localhost:" + IntToStr(FHttps) + Path; }
  // HTTPS with a certificate of an authority that is not trusted.
  String UntrustedHttps(const String& Path) const { return L"https://localhost:" + IntToStr(FUntrusted) + Path; }
  int HttpPort() const { return FHttp; }
  int FtpPort() const { return FFtp; }
  int SilentPort() const { return FSilent; }

  // The test certificate authority is in the prefix's trusted roots while
  // the servers run (the system reads its roots once per process).
  bool Trusted() const { return FTrusted; }

  // GET of a route (/log, /posted) as text, through plain sockets.
  std::string Fetch(const String& Path) const;

  ~TUpdateServers();

 private:
  bool TrustTestAuthority();
  void DistrustTestAuthority();
  TUpdateServers();
  bool FReady = false;
  String FRoot;
  int FHttp = 0, FHttps = 0, FUntrusted = 0, FFtp = 0, FSilent = 0;
  String FCaFile;
  bool FTrusted = false;
};

// A folder of its own below the build folder for this test executable
// (emptied first), Windows form with a trailing backslash.
String TestWorkFolder(const String& Name);
// The build folder in Windows form (Z:\...), without a trailing backslash.
String BuildFolder();
// The bytes of a file ("" when it cannot be read).
std::string ReadFileBytes(const String& FileName);
void WriteFileBytes(const String& FileName, const std::string& Bytes);
