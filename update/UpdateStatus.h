// The numbered texts of the update component: status reports 909-979 with
// one "%s" for the caller's text where they take one, and the prompts and
// progress texts of the same table.
#pragma once

#include "base/Types.h"

// Status numbers that the update reports.
namespace UpdateStatus {
constexpr int Exec = 18;
constexpr int LengthMismatch = 908;
constexpr int PromptFile = 909, PromptFiles = 910, PromptShutdown = 911;
constexpr int EqualFiles = 912, SourceNotFound = 913, ZeroLengthSource = 914, Download = 915, HttpStatus = 916,
              FileNotFound = 917, CheckingConnection = 918, PromptConnection = 919, OpeningConnection = 920,
              FoundConnection = 921, CannotOpenConnection = 922, ConnectHost = 923;
constexpr int ControlFileNotFound = 925, ControlFileFound = 926, InvalidSignature = 927, DateBased = 928,
              NewVersionFound = 929, NoNewVersion = 930, ChecksumBased = 931, SizeBased = 932, VersionBased = 933,
              MessageInstruction = 934, HtmlDialogInstruction = 935, QueryInstruction = 936,
              WhatsNewInstruction = 937, WhatsNewNotAccepted = 938, LicenseInstruction = 939,
              RedirectInstruction = 941, ShowUrlInstruction = 942, FileInstruction = 943, VersionCheck = 944,
              CannotDownload = 946, SpawnFailed = 950, CabError = 947, FinishedControlFile = 948, ClosedConnection = 949,
              PostNoConnection = 951, PostNoResource = 952, DialupFailed = 953, ClosedFtp = 954,
              DisconnectDialup = 955, AuthenticationCancelled = 956, SpawnUpdater = 958, RestartInFolder = 959,
              ThreadDone = 960, RestartAfterThread = 961, AppComponent = 962, StartProcess = 963, Cancelled = 964,
              ExtractCab = 965, OsVersion = 966, IeVersion = 967, StartUpdate = 968, Compiler = 969,
              InstalledIdes = 970, ProcessingFile = 971, CannotDelete = 972, CannotRename = 973,
              ChangeFtpDir = 974, CannotChangeFtpDir = 975, SystemError = 976, Downloading = 977,
              DownloadingShort = 978, CheckVersions = 979;
// Reports that this build adds for entries of a control file, list file or
// cabinet that would reach outside the application and temp folders.
constexpr int UnsafePath = 980;
}  // namespace UpdateStatus

// The template of a number ("" for none).
String StatusTemplate(int Id);
// The template of Id with Text in its placeholder (a template without one
// ignores Text). Text is taken as it stands, "%" included.
String StatusText(int Id, const String& Text);
