// The update component: fetches an update control file from a web or FTP
// server or a folder, decides whether a newer version exists, runs the
// file's actions, shows its what's-new and licence texts, downloads and
// installs the listed files, and hands the application's own files over to
// the updater program, which replaces them after the application ended.
// Every step reports a numbered status (update/UpdateStatus.h).
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "base/Lists.h"
#include "base/Object.h"
#include "base/Streams.h"
#include "update/FileList.h"

class TMemIniFile;
class TProgressForm;
class TNetUpdate;

enum class TNetUpdateType { ftpUpdate, httpUpdate, fileUpdate };
enum class TNetUpdateConnect {
  wucNoConnect, wucConnectPrompt, wucConnectSilent, wucConnectPromptHangup, wucConnectSilentHangup, wucNone
};
enum class TNetUpdateAuthentication { waAlways, waAuto, waNever };
enum class TNetUpdateCertCheck { ccEnable, ccDisable };
enum class TNetUpdateVersionCheck { vcUpdateOnly, vcAlways };
enum class TNetUpdateUpdate { wuuPromptOnce, wuuPromptAll, wuuSilent };
enum class TLastURLReg { lurLOCALUSER, lurLOCALMACHINE };

// Result codes of the version check.
namespace VersionCheckResult {
constexpr int NewerByDate = 6, NothingNew = 7, Unconditional = 8, NewerBySize = 9, NewerByChecksum = 10,
              NewerByVersion = 11, AcceptedByCustom = 12;
}

using TNetUpdateStatusEvent = std::function<void(TObject* Sender, const String& StatusStr, int StatusCode, int ErrCode)>;
using TFileProgressEvent = std::function<void(TObject* Sender, const String& FileName, int Pos, int Size)>;
using TProgressCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TProgressEvent = std::function<void(TObject* Sender, const String& Action)>;
using TFileDownloadedEvent = std::function<void(TObject* Sender, const String& FileName)>;
using TFileVersionCheckEvent =
    std::function<void(TObject* Sender, const String& NewVersion, const String& LocalVersion, bool& IsNew)>;
using TCustomValidateEvent = std::function<void(TObject* Sender, const String& Msg, const String& Param, bool& Allow)>;
using TCustomProcessEvent = std::function<void(TObject* Sender, const String& Msg, const String& Param)>;
using TGetFileListEvent = std::function<void(TObject* Sender, TStringList* List)>;
using TBeforeFileDownloadEvent =
    std::function<void(TObject* Sender, int FileIdx, const String& FileDescription, String& URL)>;
using TBeforeUrlToFileEvent = std::function<void(void* hfile, const String& url, const String& tgt, bool& uncompress,
                                                 bool& handled, bool& success)>;
using TFileNameFromURLEvent = std::function<void(TObject* Sender, const String& URL, String& FName)>;
using TConvertPrefixEvent = std::function<void(TObject* Sender, String& Path)>;
using TSetAppParamsEvent = std::function<void(TObject* Sender, String& AppParams)>;
using TDownloadedTextEvent = std::function<void(TObject* Sender, TStrings* Text, int& Res)>;
using TAllowEvent = std::function<void(TObject* Sender, bool& Allow)>;

// Where the last URL and the last update date are kept in the registry.
class TLastURLEntry : public TPersistent {
  VANTREL_CLASS(TLastURLEntry)
 public:
  bool Save() const { return FSave; }
  void SetSave(bool Value) { FSave = Value; }
  const String& Key() const { return FKey; }
  void SetKey(const String& Value) { FKey = Value; }
  const String& Section() const { return FSection; }
  void SetSection(const String& Value) { FSection = Value; }
  TLastURLReg RegRoot() const { return FRegRoot; }
  void SetRegRoot(TLastURLReg Value) { FRegRoot = Value; }
  void Assign(TPersistent* Source) override;

 private:
  bool FSave = false;
  String FKey;
  String FSection;
  TLastURLReg FRegRoot = TLastURLReg::lurLOCALUSER;
};

// The form-encoded report that an update posts to a server.
class TPostUpdateInfo : public TPersistent {
  VANTREL_CLASS(TPostUpdateInfo)
 public:
  const String& Server() const { return FServer; }
  void SetServer(const String& Value) { FServer = Value; }
  const String& Action() const { return FAction; }
  void SetAction(const String& Value) { FAction = Value; }
  const AnsiString& Data() const { return FData; }
  void SetData(const AnsiString& Value) { FData = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  // The server's answer to the last post.
  AnsiString PostResult;
  void Assign(TPersistent* Source) override;

 private:
  String FServer;
  String FAction;
  AnsiString FData;
  bool FEnabled = false;
};

// Supplies the patcher program (the "UTIL" resource of the program) and
// how it runs.
class TNetUpdateUtility : public TComponent {
  VANTREL_CLASS(TNetUpdateUtility)
 public:
  explicit TNetUpdateUtility(TComponent* AOwner) : TComponent(AOwner) {}
  bool ShowWindow() const { return FShowWindow; }
  void SetShowWindow(bool Value) { FShowWindow = Value; }
  bool ShowAnimation() const { return FShowAnimation; }
  void SetShowAnimation(bool Value) { FShowAnimation = Value; }
  const String& StatusCaption() const { return FStatusCaption; }
  void SetStatusCaption(const String& Value) { FStatusCaption = Value; }
  const String& StatusMessage() const { return FStatusMessage; }
  void SetStatusMessage(const String& Value) { FStatusMessage = Value; }

 private:
  bool FShowWindow = true;
  bool FShowAnimation = false;
  String FStatusCaption;
  String FStatusMessage;
};

// What a check on a worker thread shares with the component that started
// it: the component, while it lives (read and cleared on the GUI thread
// only), and the cancel request.
struct TUpdateCheckLink {
  TNetUpdate* Target = nullptr;
  std::atomic<bool> Cancel{false};
};

class TNetUpdate : public TComponent {
  VANTREL_CLASS(TNetUpdate)
 public:
  explicit TNetUpdate(TComponent* AOwner);

  // --- Connection and transfer
  const String& URL() const { return FURL; }
  void SetURL(const String& Value) { FURL = Value; }
  TNetUpdateType UpdateType() const { return FUpdateType; }
  void SetUpdateType(TNetUpdateType Value) { FUpdateType = Value; }
  TNetUpdateConnect UpdateConnect() const { return FUpdateConnect; }
  void SetUpdateConnect(TNetUpdateConnect Value) { FUpdateConnect = Value; }
  const String& Agent() const { return FAgent; }
  void SetAgent(const String& Value) { FAgent = Value; }
  const String& Proxy() const { return FProxy; }
  void SetProxy(const String& Value) { FProxy = Value; }
  const String& ProxyUserID() const { return FProxyUserID; }
  void SetProxyUserID(const String& Value) { FProxyUserID = Value; }
  const String& ProxyPassword() const { return FProxyPassword; }
  void SetProxyPassword(const String& Value) { FProxyPassword = Value; }
  const String& Host() const { return FHost; }
  void SetHost(const String& Value) { FHost = Value; }
  int Port() const { return FPort; }
  void SetPort(int Value) { FPort = Value; }
  const String& FTPDirectory() const { return FFTPDirectory; }
  void SetFTPDirectory(const String& Value) { FFTPDirectory = Value; }
  bool FTPPassive() const { return FFTPPassive; }
  void SetFTPPassive(bool Value) { FFTPPassive = Value; }
  const String& UserID() const { return FUserID; }
  void SetUserID(const String& Value) { FUserID = Value; }
  const String& Password() const { return FPassword; }
  void SetPassword(const String& Value) { FPassword = Value; }
  TNetUpdateAuthentication Authenticate() const { return FAuthenticate; }
  void SetAuthenticate(TNetUpdateAuthentication Value) { FAuthenticate = Value; }
  bool HTTPKeepAliveAuthentication() const { return FHTTPKeepAliveAuthentication; }
  void SetHTTPKeepAliveAuthentication(bool Value) { FHTTPKeepAliveAuthentication = Value; }
  bool ExistingConnection() const { return FExistingConnection; }
  void SetExistingConnection(bool Value) { FExistingConnection = Value; }
  TNetUpdateCertCheck CertCheck() const { return FCertCheck; }
  void SetCertCheck(TNetUpdateCertCheck Value) { FCertCheck = Value; }
  int TimeOut() const { return FTimeOut; }
  void SetTimeOut(int Value) { FTimeOut = Value; }
  int ReceiveTimeOut() const { return FReceiveTimeOut; }
  void SetReceiveTimeOut(int Value) { FReceiveTimeOut = Value; }
  bool HideURLInLogFile() const { return FHideURLInLogFile; }
  void SetHideURLInLogFile(bool Value) { FHideURLInLogFile = Value; }
  TLastURLEntry* LastURLEntry() { return FLastURLEntry; }
  void SetLastURLEntry(TLastURLEntry* Value) { FLastURLEntry->Assign(Value); }
  TPostUpdateInfo* PostUpdateInfo() { return FPostUpdateInfo; }
  void SetPostUpdateInfo(TPostUpdateInfo* Value) { FPostUpdateInfo->Assign(Value); }

  // --- Version check and files
  TNetUpdateVersionCheck VersionCheck() const { return FVersionCheck; }
  void SetVersionCheck(TNetUpdateVersionCheck Value) { FVersionCheck = Value; }
  bool UseCRC32() const { return FUseCRC32; }
  void SetUseCRC32(bool Value) { FUseCRC32 = Value; }
  bool ForceUpdate() const { return FForceUpdate; }
  void SetForceUpdate(bool Value) { FForceUpdate = Value; }
  bool SignatureCheck() const { return FSignatureCheck; }
  void SetSignatureCheck(bool Value) { FSignatureCheck = Value; }
  const String& Signature() const { return FSignature; }
  void SetSignature(const String& Value) { FSignature = Value; }
  const String& DateFormat() const { return FDateFormat; }
  void SetDateFormat(const String& Value) { FDateFormat = Value; }
  wchar_t DateSeparator() const { return FDateSeparator; }
  void SetDateSeparator(wchar_t Value) { FDateSeparator = Value; }
  const String& TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const String& Value) { FTimeFormat = Value; }
  wchar_t TimeSeparator() const { return FTimeSeparator; }
  void SetTimeSeparator(wchar_t Value) { FTimeSeparator = Value; }
  const String& LanguageID() const { return FLanguageID; }
  void SetLanguageID(const String& Value) { FLanguageID = Value; }
  TNetUpdateUpdate UpdateUpdate() const { return FUpdateUpdate; }
  void SetUpdateUpdate(TNetUpdateUpdate Value) { FUpdateUpdate = Value; }
  bool ExtractCAB() const { return FExtractCAB; }
  void SetExtractCAB(bool Value) { FExtractCAB = Value; }
  bool ApplyPatch() const { return FApplyPatch; }
  void SetApplyPatch(bool Value) { FApplyPatch = Value; }
  bool KeepIntermediateFiles() const { return FKeepIntermediateFiles; }
  void SetKeepIntermediateFiles(bool Value) { FKeepIntermediateFiles = Value; }
  bool UseWinTempDir() const { return FUseWinTempDir; }
  void SetUseWinTempDir(bool Value) { FUseWinTempDir = Value; }
  const String& TempDirectory() const { return FTempDirectory; }
  void SetTempDirectory(const String& Value) { FTempDirectory = Value; }
  bool ShowDownloadProgress() const { return FShowDownloadProgress; }
  void SetShowDownloadProgress(bool Value) { FShowDownloadProgress = Value; }
  TNetUpdateUtility* Utility() const { return FUtility; }
  void SetUtility(TNetUpdateUtility* Value);

  // --- Restart and logging
  bool AutoRestart() const { return FAutoRestart; }
  void SetAutoRestart(bool Value) { FAutoRestart = Value; }
  bool Logging() const { return FLogging; }
  void SetLogging(bool Value) { FLogging = Value; }
  const String& LogFileName() const { return FLogFileName; }
  // Also the process-wide name that the log writer and the hand-over use.
  void SetLogFileName(const String& Value);
  // Always "2.4.2.0"; assigning has no effect.
  String Version() const;
  void SetVersion(const String&) {}

  // --- Results of the last run
  const String& ControlFileName() const { return FControlFileName; }
  TDateTime NewVersionDate() const { return FNewVersionDate; }
  TDateTime CurVersionDate() const { return FCurVersionDate; }
  const String& NewVersionInfo() const { return FNewVersionInfo; }
  const String& CurVersionInfo() const { return FCurVersionInfo; }
  const String& UpdateDescription() const { return FUpdateDescription; }
  TFileList* FileList() { return FFileList; }
  bool Cancelled() const { return FCancelled; }
  bool InProgress() const { return FInProgress; }
  bool AppNeedsRestart() const { return FAppUpdate && !FCancelled && FCompDownloaded; }
  bool AppSilentRestart() const { return FSilentRestart; }
  void* HintConnect() const { return FTransfer; }
  bool UACEnabled() const { return true; }

  // --- Events
  TNetUpdateStatusEvent OnStatus;
  TFileProgressEvent OnFileProgress;
  TProgressCancelEvent OnProgressCancel;
  TProgressEvent OnProgress;
  TFileDownloadedEvent OnFileDownloaded;
  TFileVersionCheckEvent OnFileVersionCheck;
  TCustomValidateEvent OnCustomValidate;
  TCustomProcessEvent OnCustomProcess;
  TGetFileListEvent OnGetFileList;
  TBeforeFileDownloadEvent OnBeforeFileDownload;
  TBeforeUrlToFileEvent OnBeforeUrlToFile;
  TFileNameFromURLEvent OnFileNameFromURL;
  TConvertPrefixEvent OnConvertPrefix;
  TSetAppParamsEvent OnSetAppParams;
  TSetAppParamsEvent OnSetAppParamBefore;
  TSetAppParamsEvent OnSetAppParamAfter;
  TDownloadedTextEvent OnDownloadedWhatsNew;
  TDownloadedTextEvent OnDownloadedEULA;
  TAllowEvent OnBeforePost;
  TAllowEvent OnProcessPostResult;
  TAllowEvent OnAppRestart;
  TNotifyEvent OnAppDoClose;
  TNotifyEvent OnSuccess;
  TNotifyEvent OnThreadUpdateDone;

  // --- The runs
  // Check only: true when a newer version (or, for an unconditional control
  // file, at least one file to update) is offered.
  bool NewVersionAvailable(bool InitPath);
  // The same check on a worker thread of its own, so that a slow or silent
  // server holds no window: Done runs on the GUI thread with the answer,
  // once the results (NewVersionInfo and the rest) are in. The check runs
  // silently (no message box). Freeing the component meanwhile abandons the
  // check: Done never runs and the worker touches nothing of it again.
  void CheckNewVersionInThread(bool InitPath, std::function<void(bool Available)> Done);
  // Whether a check started by CheckNewVersionInThread is still running.
  bool CheckRunning() const { return static_cast<bool>(FCheckLink); }
  // The what's-new text of an available update; the caller owns the list
  // (nullptr for an RTF text or when none came).
  TStringList* NewWhatsNew(bool ShowDialog);
  void DoUpdate() { DoUpdate(true); }
  void DoUpdate(bool InitPath);
  // The full run on a worker thread; its prompts, dialogs and events reach
  // the user on the GUI thread.
  void DoThreadUpdate() { DoThreadUpdate(true); }
  void DoThreadUpdate(bool InitPath);
  // Transfers stop at their next block.
  void Cancel() { FCancelled = true; }

  // --- Status and log
  virtual void DoStatus(int Id, const String& Text, int StatusCode, int ErrCode);
  // Appends S to the log as a raw line, also while Logging is off.
  void AddToLog(const String& S);
  // Reports the calling thread's last error (status 976).
  void Error();

  // --- Connection and transfers
  virtual int StartConnection();
  virtual int StopConnection();
  virtual int FTPConnect();
  bool URLGetFile(void* hfile, const String& url, const String& tgt, bool uncompress);
  String URLtoFile(const String& url);
  static String URLToDomain(const String& url);
  static String MakeProxyUrl(const String& url, const String& proxyuser, const String& proxypwd);
  static String EncodeBase64(const String& s);
  bool Connected();
  int ConnectionType();
  void HangUp();
  void DoPostUpdateInfo();
  // The download and hand-over folder: the system's temp folder when
  // UseWinTempDir, else TempDirectory; with a trailing backslash.
  String WinTempDir();

  // --- Control file
  virtual String GetControlFileURL();
  virtual int GetControlFile();
  virtual int GetFileDetails();
  virtual int HandleActions();
  int UpdateActions();
  virtual TStringList* GetWhatsNew();
  virtual TMemoryStream* GetWhatsNewStream();
  virtual TStringList* GetEULA();
  virtual TMemoryStream* GetEULAStream();
  virtual void ConvertPrefix(const String& prefix, String& s);
  String ExpandPrefixes(const String& Path);
  String URLGet();
  void URLPut(const String& url);
  TDateTime UpdateDateGet();
  void UpdateDatePut(TDateTime dt);
  TDateTime StrToUpdateDate(const String& date, const String& time);

  // --- Version check
  virtual int DoVersionCheck();
  virtual bool CompareVersions(String& NewVersion, String& LocalVersion, int NewSize, int NewChecksum);
  virtual int ProcessFileDetails();

  // --- Installation and restart
  virtual int GetFileUpdates();
  virtual void DoRestart();
  virtual void ExtractUpdater();
  virtual void ExtractPatcher();
  String LZExpandFile(const String& name);
  bool ExecAndWait(const String& command, bool ShowWindow, bool ShowAnimation, const String& Caption,
                   const String& Message);
  // The updater's command line (the hand-over of DoRestart).
  String UpdaterCommandLine();

  // --- Dialogs
  virtual int WhatsNewDialog(TMemoryStream* ms);
  virtual int EULADialog(TMemoryStream* stream);
  void ShowHTMLDialog(const String& s);

  // --- System
  virtual String GetOSVersion();
  virtual String GetIEVersion();
  virtual String GetIDE();
  virtual String GetInstalledIDEs();

  virtual void DoFileProgress(const String& FileName, int Pos, int Size);
  virtual void DoProgressCancel(bool& Cancel);
  virtual void DoSetAppParamBefore(String& AppParams);
  virtual void DoSetAppParamAfter(String& AppParams);
  virtual void CustomProcess(const String& fn);

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The application's name, parameters and components of the control file.
  const String& AppName() const { return FAppName; }
  const String& AppParams() const { return FAppParams; }
  const String& AppComps() const { return FAppComps; }

 protected:
  void Destroy() override;

  // Runs Call on the GUI thread (at once when already there) and waits.
  void OnGui(const std::function<void()>& Call);
  // A modal message box on the GUI thread through the application's seam.
  int AskUser(const String& Text, UINT Flags);
  // The control file as read now ("" before one was fetched).
  std::unique_ptr<TMemIniFile> ControlFile();
  // Whether Path lies in the application folder or the download folder;
  // otherwise reports it (status 980) and answers false.
  bool CheckTargetPath(const String& Path);
  void ProcessMessagesIfGui();

 private:
  friend class TInetThread;
  friend class TUpdateCheckThread;
  void ThreadDone();
  // Closes the transfer and the session without reports (the component is
  // going).
  void CloseHandlesSilently();
  // Copies the settings (not the events or results) of Source.
  void AssignSettings(TNetUpdate* Source);
  bool LocalCopy(const String& Source, const String& Target);
  bool ReplaceTarget(const String& TempName, const String& Target, bool LogFailures);
  void ExpandDownloaded(const String& Target, const String& Folder, bool AnywhereCab);
  bool IsAppComponent(const String& Name) const;
  void RunProgram(const String& Program, const String& Params);
  // Where the patcher is written and run from.
  String PatcherPath();
  String ReadControlText(const String& Section, const String& Key, const String& Default);

  String FURL;
  TNetUpdateType FUpdateType = TNetUpdateType::httpUpdate;
  TNetUpdateConnect FUpdateConnect = TNetUpdateConnect::wucNoConnect;
  String FAgent = L"TNetUpdate";
  String FProxy, FProxyUserID, FProxyPassword;
  String FHost;
  int FPort = 21;
  String FFTPDirectory;
  bool FFTPPassive = false;
  String FUserID, FPassword;
  TNetUpdateAuthentication FAuthenticate = TNetUpdateAuthentication::waNever;
  bool FHTTPKeepAliveAuthentication = false;
  bool FExistingConnection = false;
  TNetUpdateCertCheck FCertCheck = TNetUpdateCertCheck::ccEnable;
  int FTimeOut = 0, FReceiveTimeOut = 0;
  bool FHideURLInLogFile = false;
  TOwned<TLastURLEntry> FLastURLEntry;
  TOwned<TPostUpdateInfo> FPostUpdateInfo;
  TNetUpdateVersionCheck FVersionCheck = TNetUpdateVersionCheck::vcUpdateOnly;
  bool FUseCRC32 = false, FForceUpdate = false, FSignatureCheck = false;
  String FSignature = L"NetUpdate";
  String FDateFormat = L"dd/mm/yyyy";
  wchar_t FDateSeparator = L'/';
  String FTimeFormat = L"hh:nn";
  wchar_t FTimeSeparator = L':';
  String FLanguageID;
  TNetUpdateUpdate FUpdateUpdate = TNetUpdateUpdate::wuuPromptOnce;
  bool FExtractCAB = false, FApplyPatch = false, FKeepIntermediateFiles = false;
  bool FUseWinTempDir = true;
  String FTempDirectory = L".";
  bool FShowDownloadProgress = false;
  TNetUpdateUtility* FUtility = nullptr;
  bool FAutoRestart = true;
  bool FLogging = false;
  String FLogFileName = L"WUPDATE.LOG";

  String FControlFileName;
  TDateTime FNewVersionDate = 0, FCurVersionDate = 0;
  String FNewVersionInfo, FCurVersionInfo, FUpdateDescription;
  TOwned<TFileList> FFileList;
  std::atomic<bool> FCancelled{false};
  bool FInProgress = false;

  void* FSession = nullptr;
  void* FTransfer = nullptr;
  bool FDialled = false;
  bool FFTPDirChanged = false;
  String FAppName, FAppParams, FAppComps;
  bool FAppUpdate = false;
  bool FCompDownloaded = false;
  bool FSilentRestart = false;
  bool FSaveDate = false;
  std::atomic<bool> FThreaded{false};
  TProgressForm* FProgressForm = nullptr;
  String FDateCheckFile;
  // The threaded run, while it lasts: a duplicate of its handle.
  HANDLE FThreadHandle = nullptr;
  // The check on a worker thread, while it lasts.
  std::shared_ptr<TUpdateCheckLink> FCheckLink;
  // Set on the worker copy of a threaded check.
  std::shared_ptr<TUpdateCheckLink> FOwnerLink;
};

// The process-wide log file name (set through TNetUpdate::SetLogFileName).
String UpdateLogFileName();
void SetUpdateLogFileName(const String& Name);
