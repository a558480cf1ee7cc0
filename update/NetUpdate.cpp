// The update component: properties, the run order of the check, the full
// update and the threaded forms, and the system queries of the log.
#include "update/NetUpdate.h"

#include <mutex>

#include "base/Dialogs.h"
#include "base/FileUtils.h"
#include "base/Forms.h"
#include "base/Registry.h"
#include "base/Threads.h"
#include "update/UpdateDialogs.h"
#include "update/UpdateStatus.h"
#include "update/VersionCheck.h"

using namespace UpdateStatus;

namespace {

std::mutex gLogNameLock;
String gLogFileName = L"WUPDATE.LOG";

}  // namespace

String UpdateLogFileName() {
  std::lock_guard<std::mutex> lock(gLogNameLock);
  return gLogFileName;
}

void SetUpdateLogFileName(const String& Name) {
  std::lock_guard<std::mutex> lock(gLogNameLock);
  gLogFileName = Name;
}

// ---------------------------------------------------------------------------
// Owned settings

void TLastURLEntry::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TLastURLEntry*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FSave = s->FSave;
  FKey = s->FKey;
  FSection = s->FSection;
  FRegRoot = s->FRegRoot;
}

void TPostUpdateInfo::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TPostUpdateInfo*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FServer = s->FServer;
  FAction = s->FAction;
  FData = s->FData;
  FEnabled = s->FEnabled;
}

// ---------------------------------------------------------------------------
// Threads

// The full run on a worker thread.
class TInetThread : public TThread {
  VANTREL_CLASS(TInetThread)
 public:
  TInetThread(TNetUpdate* Owner, bool InitPath) : TThread(true), FOwner(Owner), FInitPath(InitPath) {
    SetFreeOnTerminate(true);
  }

 protected:
  void Execute() override {
    try {
      FOwner->DoUpdate(FInitPath);
    } catch (...) {
      std::exception_ptr e = std::current_exception();
      Synchronize([this, e] {
        try {
          std::rethrow_exception(e);
        } catch (...) {
          Application->HandleException(FOwner);
        }
      });
    }
  }

 private:
  TNetUpdate* FOwner;
  bool FInitPath;
};

// The check on a worker thread, on a copy of the component that only this
// thread uses; the results go to the component that asked, while it lives.
class TUpdateCheckThread : public TThread {
  VANTREL_CLASS(TUpdateCheckThread)
 public:
  TUpdateCheckThread(bool InitPath, std::shared_ptr<TUpdateCheckLink> Link, std::function<void(bool)> Done)
      : TThread(true), FInitPath(InitPath), FLink(std::move(Link)), FDone(std::move(Done)) {
    SetFreeOnTerminate(true);
    OnTerminate = [this](TObject*) { Finish(); };
  }
  // Takes the worker copy over; set before Start.
  void SetWorker(TNetUpdate* Worker) noexcept { FWorker = Worker; }

 protected:
  void Execute() override {
    try {
      FAnswer = FWorker->NewVersionAvailable(FInitPath);
    } catch (...) {
      FAnswer = false;
      FWorker->StopConnection();
    }
  }

  void Destroy() override {
    FWorker.Reset();
    TThread::Destroy();
  }

 private:
  // On the GUI thread, once the check ended.
  void Finish() {
    TNetUpdate* target = FLink->Target;
    if (!target) return;
    target->FNewVersionInfo = FWorker->FNewVersionInfo;
    target->FCurVersionInfo = FWorker->FCurVersionInfo;
    target->FNewVersionDate = FWorker->FNewVersionDate;
    target->FCurVersionDate = FWorker->FCurVersionDate;
    target->FUpdateDescription = FWorker->FUpdateDescription;
    target->FCheckLink.reset();
    FLink->Target = nullptr;
    if (FDone) FDone(FAnswer);
  }

  TOwned<TNetUpdate> FWorker;
  bool FInitPath;
  bool FAnswer = false;
  std::shared_ptr<TUpdateCheckLink> FLink;
  std::function<void(bool)> FDone;
};

// ---------------------------------------------------------------------------
// TNetUpdate

TNetUpdate::TNetUpdate(TComponent* AOwner) : TComponent(AOwner) {
  FLastURLEntry = new TLastURLEntry();
  FPostUpdateInfo = new TPostUpdateInfo();
  FFileList = new TFileList();
  SetUpdateLogFileName(L"WUPDATE.LOG");
}

void TNetUpdate::Destroy() {
  if (FCheckLink) {
    FCheckLink->Target = nullptr;
    FCheckLink->Cancel = true;
    FCheckLink.reset();
  }
  if (FThreadHandle) {
    // A threaded run ends at its next block; its calls to this thread are
    // served meanwhile.
    FCancelled = true;
    while (WaitForSingleObject(FThreadHandle, 10) != WAIT_OBJECT_0) CheckSynchronize();
    CloseHandle(FThreadHandle);
    FThreadHandle = nullptr;
  }
  if (FUtility) FUtility->RemoveFreeNotification(this);
  FUtility = nullptr;
  CloseHandlesSilently();
  if (!FControlFileName.empty()) DeleteFileW(FControlFileName.c_str());
  TComponent::Destroy();
}

void TNetUpdate::SetUtility(TNetUpdateUtility* Value) {
  if (FUtility == Value) return;
  if (FUtility) FUtility->RemoveFreeNotification(this);
  FUtility = Value;
  if (Value) Value->FreeNotification(this);
}

void TNetUpdate::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FUtility) FUtility = nullptr;
}

void TNetUpdate::SetLogFileName(const String& Value) {
  FLogFileName = Value;
  SetUpdateLogFileName(Value);
}

String TNetUpdate::Version() const {
  const uint32_t nr = 0x02040200;
  return IntToStr(nr >> 24) + L"." + IntToStr((nr >> 16) & 0xFF) + L"." + IntToStr((nr >> 8) & 0xFF) + L"." +
         IntToStr(nr & 0xFF);
}

void TNetUpdate::AssignSettings(TNetUpdate* S) {
  FURL = S->FURL;
  FUpdateType = S->FUpdateType;
  FUpdateConnect = S->FUpdateConnect;
  FAgent = S->FAgent;
  FProxy = S->FProxy;
  FProxyUserID = S->FProxyUserID;
  FProxyPassword = S->FProxyPassword;
  FHost = S->FHost;
  FPort = S->FPort;
  FFTPDirectory = S->FFTPDirectory;
  FFTPPassive = S->FFTPPassive;
  FUserID = S->FUserID;
  FPassword = S->FPassword;
  FAuthenticate = S->FAuthenticate;
  FHTTPKeepAliveAuthentication = S->FHTTPKeepAliveAuthentication;
  FExistingConnection = S->FExistingConnection;
  FCertCheck = S->FCertCheck;
  FTimeOut = S->FTimeOut;
  FReceiveTimeOut = S->FReceiveTimeOut;
  FHideURLInLogFile = S->FHideURLInLogFile;
  FLastURLEntry->Assign(S->FLastURLEntry);
  FPostUpdateInfo->Assign(S->FPostUpdateInfo);
  FVersionCheck = S->FVersionCheck;
  FUseCRC32 = S->FUseCRC32;
  FForceUpdate = S->FForceUpdate;
  FSignatureCheck = S->FSignatureCheck;
  FSignature = S->FSignature;
  FDateFormat = S->FDateFormat;
  FDateSeparator = S->FDateSeparator;
  FTimeFormat = S->FTimeFormat;
  FTimeSeparator = S->FTimeSeparator;
  FLanguageID = S->FLanguageID;
  FUpdateUpdate = S->FUpdateUpdate;
  FExtractCAB = S->FExtractCAB;
  FApplyPatch = S->FApplyPatch;
  FKeepIntermediateFiles = S->FKeepIntermediateFiles;
  FUseWinTempDir = S->FUseWinTempDir;
  FTempDirectory = S->FTempDirectory;
  FShowDownloadProgress = S->FShowDownloadProgress;
  FAutoRestart = S->FAutoRestart;
  FLogging = S->FLogging;
  FLogFileName = S->FLogFileName;
}

void TNetUpdate::OnGui(const std::function<void()>& Call) { TThread::Synchronize(nullptr, Call); }

int TNetUpdate::AskUser(const String& Text, UINT Flags) {
  int answer = 0;
  OnGui([&] { answer = AppMessageBox(Text, Application ? Application->Title() : String(), Flags); });
  return answer;
}

void TNetUpdate::ProcessMessagesIfGui() {
  if (Application && GetCurrentThreadId() == MainThreadID()) Application->ProcessMessages();
}

String TNetUpdate::WinTempDir() {
  String dir = FUseWinTempDir ? GetTempDir() : FTempDirectory;
  if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
  return dir;
}

// ---------------------------------------------------------------------------
// The runs

void TNetUpdate::DoUpdate(bool InitPath) {
  FCancelled = false;
  if (InitPath) SetCurrentDir(ExtractFilePath(GetModuleName(nullptr)));
  DoStatus(StartUpdate, FThreaded ? L"Threaded update" : L"Non threaded update", 0, 0);
  DoStatus(OsVersion, GetOSVersion(), 0, 0);
  DoStatus(IeVersion, GetIEVersion(), 0, 0);
  DoStatus(Compiler, GetIDE(), 0, 0);
  DoStatus(InstalledIdes, GetInstalledIDEs(), 0, 0);
  FCompDownloaded = false;
  FFTPDirChanged = false;
  FControlFileName.clear();
  DoStatus(StartProcess, Version(), 0, 0);
  if (StartConnection() != 0) return;
  // Whatever happens from here on, the connection closes.
  try {
    if (FUpdateType == TNetUpdateType::ftpUpdate) {
      if (FHost.empty()) throw Exception(L"No host specified");
      if (FTPConnect() == -1) Error();
    }
    bool go = FTransfer || FUpdateType == TNetUpdateType::fileUpdate;
    if (go && GetControlFile() == 0) {
      if (!FForceUpdate && DoVersionCheck() == VersionCheckResult::NothingNew) {
        FAppUpdate = false;
      } else if (HandleActions() == 0) {
        int whatsNew = 0, eula = 0;
        if (std::unique_ptr<TMemoryStream> text{GetWhatsNewStream()}) whatsNew = WhatsNewDialog(text.get());
        if (std::unique_ptr<TMemoryStream> text{GetEULAStream()}) {
          if (whatsNew != -1) eula = EULADialog(text.get());
        }
        if (whatsNew == -1 || eula == -1) {
          FAppUpdate = false;
        } else if (GetFileDetails() == 0) {
          FAppUpdate = false;
        } else {
          int processed = ProcessFileDetails();
          int updates = -1;
          if (processed == 0) {
            if (FShowDownloadProgress) OnGui([this] { FProgressForm = CreateProgressForm(this); });
            try {
              updates = GetFileUpdates();
            } catch (...) {
              OnGui([this] { FreeProgressForm(FProgressForm); });
              throw;
            }
            OnGui([this] { FreeProgressForm(FProgressForm); });
            UpdateActions();
          } else {
            FAppUpdate = false;
          }
          StopConnection();
          if (processed == 0 && updates == 0 && !FCancelled && OnSuccess) OnGui([this] { OnSuccess(this); });
          if (AppNeedsRestart() && !FThreaded) DoRestart();
          return;
        }
      }
    }
  } catch (...) {
    StopConnection();
    throw;
  }
  StopConnection();
}

bool TNetUpdate::NewVersionAvailable(bool InitPath) {
  if (InitPath) SetCurrentDir(ExtractFilePath(GetModuleName(nullptr)));
  FCancelled = false;
  if (StartConnection() != 0) return false;
  bool answer = false;
  try {
    if (FUpdateType == TNetUpdateType::ftpUpdate) {
      if (FHost.empty()) throw Exception(L"No host specified");
      if (FTPConnect() == -1) Error();
    }
    if ((FTransfer || FUpdateType == TNetUpdateType::fileUpdate) && GetControlFile() == 0) {
      int r = DoVersionCheck();
      if (r == VersionCheckResult::Unconditional)
        answer = GetFileDetails() > 0 && ProcessFileDetails() == 0;
      else
        answer = r != VersionCheckResult::NothingNew;
    }
    if (answer && OnDownloadedWhatsNew) {
      if (std::unique_ptr<TStringList> text{GetWhatsNew()}) {
        int res = 1;
        OnGui([&] { OnDownloadedWhatsNew(this, text.get(), res); });
      }
    }
  } catch (...) {
    StopConnection();
    throw;
  }
  StopConnection();
  return answer;
}

void TNetUpdate::CheckNewVersionInThread(bool InitPath, std::function<void(bool Available)> Done) {
  if (FCheckLink) return;
  auto link = std::make_shared<TUpdateCheckLink>();
  link->Target = this;
  TNetUpdate* worker = new TNetUpdate(nullptr);
  TUpdateCheckThread* thread = nullptr;
  try {
  worker->AssignSettings(this);
  SetUpdateLogFileName(FLogFileName);  // the new component reset it
  // Nobody waits at a message box for a check in the background.
  worker->FUpdateUpdate = TNetUpdateUpdate::wuuSilent;
  worker->FOwnerLink = link;
  // The worker's events run on the GUI thread (OnGui) and reach this
  // component only while it lives.
  auto target = [link]() { return link->Target; };
  if (OnStatus)
    worker->OnStatus = [target](TObject*, const String& s, int c, int e) {
      if (TNetUpdate* t = target(); t && t->OnStatus) t->OnStatus(t, s, c, e);
    };
  if (OnFileProgress)
    worker->OnFileProgress = [target](TObject*, const String& f, int p, int s) {
      if (TNetUpdate* t = target(); t && t->OnFileProgress) t->OnFileProgress(t, f, p, s);
    };
  if (OnProgressCancel)
    worker->OnProgressCancel = [target](TObject*, bool& c) {
      if (TNetUpdate* t = target(); t && t->OnProgressCancel) t->OnProgressCancel(t, c);
    };
  if (OnFileDownloaded)
    worker->OnFileDownloaded = [target](TObject*, const String& f) {
      if (TNetUpdate* t = target(); t && t->OnFileDownloaded) t->OnFileDownloaded(t, f);
    };
  if (OnFileVersionCheck)
    worker->OnFileVersionCheck = [target](TObject*, const String& n, const String& l, bool& is) {
      if (TNetUpdate* t = target(); t && t->OnFileVersionCheck) t->OnFileVersionCheck(t, n, l, is);
    };
  if (OnCustomValidate)
    worker->OnCustomValidate = [target](TObject*, const String& m, const String& p, bool& a) {
      if (TNetUpdate* t = target(); t && t->OnCustomValidate) t->OnCustomValidate(t, m, p, a);
    };
  if (OnGetFileList)
    worker->OnGetFileList = [target](TObject*, TStringList* l) {
      if (TNetUpdate* t = target(); t && t->OnGetFileList) t->OnGetFileList(t, l);
    };
  if (OnBeforeFileDownload)
    worker->OnBeforeFileDownload = [target](TObject*, int i, const String& d, String& u) {
      if (TNetUpdate* t = target(); t && t->OnBeforeFileDownload) t->OnBeforeFileDownload(t, i, d, u);
    };
  if (OnBeforeUrlToFile)
    worker->OnBeforeUrlToFile = [target](void* h, const String& u, const String& g, bool& x, bool& hd, bool& s) {
      if (TNetUpdate* t = target(); t && t->OnBeforeUrlToFile) t->OnBeforeUrlToFile(h, u, g, x, hd, s);
    };
  if (OnFileNameFromURL)
    worker->OnFileNameFromURL = [target](TObject*, const String& u, String& f) {
      if (TNetUpdate* t = target(); t && t->OnFileNameFromURL) t->OnFileNameFromURL(t, u, f);
    };
  if (OnConvertPrefix)
    worker->OnConvertPrefix = [target](TObject*, String& p) {
      if (TNetUpdate* t = target(); t && t->OnConvertPrefix) t->OnConvertPrefix(t, p);
    };
  if (OnSetAppParams)
    worker->OnSetAppParams = [target](TObject*, String& p) {
      if (TNetUpdate* t = target(); t && t->OnSetAppParams) t->OnSetAppParams(t, p);
    };
  if (OnDownloadedWhatsNew)
    worker->OnDownloadedWhatsNew = [target](TObject*, TStrings* text, int& res) {
      if (TNetUpdate* t = target(); t && t->OnDownloadedWhatsNew) t->OnDownloadedWhatsNew(t, text, res);
    };
  thread = new TUpdateCheckThread(InitPath, link, std::move(Done));
  } catch (...) {
    worker->Free();
    throw;
  }
  thread->SetWorker(worker);  // the thread owns it now
  FCheckLink = link;
  thread->Start();
}

TStringList* TNetUpdate::NewWhatsNew(bool ShowDialog) {
  if (StartConnection() != 0) return nullptr;
  TStringList* result = nullptr;
  try {
    if (FUpdateType == TNetUpdateType::ftpUpdate && FTPConnect() == -1) Error();
    std::unique_ptr<TMemoryStream> stream;
    if ((FTransfer || FUpdateType == TNetUpdateType::fileUpdate) && GetControlFile() == 0 &&
        DoVersionCheck() != VersionCheckResult::NothingNew)
      stream.reset(GetWhatsNewStream());
    if (stream && stream->Size() > 0) {
      if (!IsRtfText(stream.get())) {
        auto list = std::make_unique<TStringList>();
        stream->SetPosition(0);
        list->LoadFromStream(stream.get());
        if (!ShowDialog && OnDownloadedWhatsNew) {
          int res = 1;
          OnGui([&] { OnDownloadedWhatsNew(this, list.get(), res); });
        }
        stream->Clear();
        list->SaveToStream(stream.get());
        stream->SetPosition(0);
        result = list.release();
      }
      if (ShowDialog) WhatsNewDialog(stream.get());
    }
  } catch (...) {
    delete result;
    StopConnection();
    throw;
  }
  StopConnection();
  return result;
}

void TNetUpdate::DoThreadUpdate(bool InitPath) {
  if (FThreadHandle) return;
  FThreaded = true;
  auto* thread = new TInetThread(this, InitPath);
  thread->OnTerminate = [this](TObject*) { ThreadDone(); };
  DuplicateHandle(GetCurrentProcess(), thread->Handle(), GetCurrentProcess(), &FThreadHandle, SYNCHRONIZE, FALSE, 0);
  thread->Start();
}

void TNetUpdate::ThreadDone() {
  if (FThreadHandle) {
    CloseHandle(FThreadHandle);
    FThreadHandle = nullptr;
  }
  FThreaded = false;
  if (IsDestroying()) return;
  if (OnThreadUpdateDone) OnThreadUpdateDone(this);
  DoStatus(UpdateStatus::ThreadDone, L"", 0, 0);
  if (AppNeedsRestart()) {
    DoStatus(RestartAfterThread, L"", 0, 0);
    DoRestart();
  }
}

// ---------------------------------------------------------------------------
// Callbacks with events of their own names

void TNetUpdate::CustomProcess(const String& fn) {
  if (OnFileDownloaded) OnGui([&] { OnFileDownloaded(this, fn); });
}

void TNetUpdate::DoSetAppParamBefore(String& AppParams) {
  if (OnSetAppParamBefore) OnGui([&] { OnSetAppParamBefore(this, AppParams); });
}

void TNetUpdate::DoSetAppParamAfter(String& AppParams) {
  if (OnSetAppParamAfter) OnGui([&] { OnSetAppParamAfter(this, AppParams); });
}

void TNetUpdate::DoFileProgress(const String& FileName, int Pos, int Size) {
  OnGui([&] {
    if (FProgressForm) UpdateProgressForm(FProgressForm, FileName, Pos, Size);
    if (OnFileProgress) OnFileProgress(this, FileName, Pos, Size);
  });
}

void TNetUpdate::DoProgressCancel(bool& Cancel) {
  if (OnProgressCancel) OnGui([&] { OnProgressCancel(this, Cancel); });
  if (FOwnerLink && FOwnerLink->Cancel) Cancel = true;
  if (Cancel) DoStatus(UpdateStatus::Cancelled, L"", 0, 0);
}

// ---------------------------------------------------------------------------
// The system, for the log

String TNetUpdate::GetOSVersion() {
  OSVERSIONINFOEXW vi{};
  vi.dwOSVersionInfoSize = sizeof vi;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&vi));
#pragma GCC diagnostic pop
  DWORD major = vi.dwMajorVersion, minor = vi.dwMinorVersion;
  bool workstation = vi.wProductType == VER_NT_WORKSTATION;
  if (vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    if (minor == 0) return L"Windows 95";
    if (minor == 10) return vi.szCSDVersion[0] && vi.szCSDVersion[1] == L'A' ? L"Windows 98 SE" : L"Windows 98";
    if (minor == 90) return L"Windows ME";
    return L"Unknown";
  }
  if (major <= 4) return L"Windows NT";
  if (major == 5) return minor == 0 ? L"Windows 2000" : minor == 1 ? L"Windows XP" : L"Windows 2003";
  if (major == 6 && minor == 2) {
    // The reported version stops at 6.2: ask the kernel for the true one.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
      if (auto get = reinterpret_cast<RtlGetVersionFn>(GetProcAddress(ntdll, "RtlGetVersion"))) {
        OSVERSIONINFOEXW real{};
        real.dwOSVersionInfoSize = sizeof real;
        if (get(&real) == 0) {
          if (real.dwMajorVersion == 6 && real.dwMinorVersion == 2)
            return workstation ? L"Windows 8" : L"Windows Server 2012";
          if (real.dwMajorVersion == 6 && real.dwMinorVersion == 3)
            return workstation ? L"Windows 8.1" : L"Windows Server 2012R2";
          if (real.dwMajorVersion == 10 && real.dwMinorVersion == 0)
            return workstation ? L"Windows 10" : L"Windows Server Preview";
        }
      }
    }
    return L"Unknown";
  }
  if (major == 6) {
    switch (minor) {
      case 0: return workstation ? L"Windows Vista" : L"Windows Server 2008";
      case 1: return workstation ? L"Windows 7" : L"Windows Server 2008R2";
      case 3: return workstation ? L"Windows 8.1" : L"Windows Server 2012R2";
      case 4: return workstation ? L"Windows 10" : L"Windows Server Preview";
      default: break;
    }
  }
  return L"Unknown";
}

String TNetUpdate::GetIEVersion() {
  TRegistry reg(KEY_READ);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  if (reg.OpenKeyReadOnly(L"\\Software\\Microsoft\\Internet Explorer\\Version Vector") && reg.ValueExists(L"IE"))
    return reg.ReadString(L"IE");
  return L"(not found)";
}

String TNetUpdate::GetIDE() { return L"mingw-w64 GCC " + AnsiToWide(__VERSION__); }

String TNetUpdate::GetInstalledIDEs() {
  // The GNU tool sets for Windows that register themselves, oldest first.
  static const std::pair<const wchar_t*, const wchar_t*> tools[] = {
      {L"CYG", L"\\SOFTWARE\\Cygwin\\setup"},
      {L"MSYS2", L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MSYS2"},
  };
  TRegistry reg(KEY_READ);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  String found;
  for (const auto& t : tools)
    if (reg.KeyExists(t.second)) found += t.first;
  return found;
}
