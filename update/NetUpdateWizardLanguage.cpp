#include "update/NetUpdateWizardLanguage.h"

TNetUpdateWizardLanguage::TNetUpdateWizardLanguage(TComponent* AOwner) : TComponent(AOwner) {
  FWelcome = L"Press start to start checking for available application updates ...";
  FStartButton = L"Start";
  FNextButton = L"Next";
  FExitButton = L"Exit";
  FCancelButton = L"Cancel";
  FRestartButton = L"Restart";
  FGetUpdateButton = L"Get update";
  FNewVersionFound = L"New version found";
  FNewVersion = L"New version";
  FNoNewVersionAvail = L"No new version available.";
  FNewVersionAvail = L"New version available.";
  FCurrentVersion = L"Current version";
  FNoFilesFound = L"No files found for update";
  FNoUpdateOnServer = L"No update found on server ...";
  FCannotConnect = L"Could not connect to update server or";
  FWhatsNew = L"What's new";
  FLicense = L"License agreement";
  FAcceptLicense = L"I accept";
  FNotAcceptLicense = L"I do not accept";
  FComponentsAvail = L"Available application components";
  FDownloadingFiles = L"Downloading files";
  FCurrentProgress = L"Current file progress";
  FTotalProgress = L"Total file progress";
  FUpdateComplete = L"Update completed ...";
  FRestartInfo = L"Press restart to start the updated application.";
  FFailedDownload = L"Failed to download updates";
  FWhatsNewPopup = L"View in Notepad";
  FLicensePopup = L"View in Notepad";
}

void TNetUpdateWizardLanguage::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TNetUpdateWizardLanguage*>(Source);
  if (!s) return;
  FWelcome = s->FWelcome;
  FStartButton = s->FStartButton;
  FNextButton = s->FNextButton;
  FExitButton = s->FExitButton;
  FCancelButton = s->FCancelButton;
  FRestartButton = s->FRestartButton;
  FGetUpdateButton = s->FGetUpdateButton;
  FNewVersionFound = s->FNewVersionFound;
  FNewVersion = s->FNewVersion;
  FNoNewVersionAvail = s->FNoNewVersionAvail;
  FNewVersionAvail = s->FNewVersionAvail;
  FCurrentVersion = s->FCurrentVersion;
  FNoFilesFound = s->FNoFilesFound;
  FNoUpdateOnServer = s->FNoUpdateOnServer;
  FCannotConnect = s->FCannotConnect;
  FWhatsNew = s->FWhatsNew;
  FLicense = s->FLicense;
  FAcceptLicense = s->FAcceptLicense;
  FNotAcceptLicense = s->FNotAcceptLicense;
  FComponentsAvail = s->FComponentsAvail;
  FDownloadingFiles = s->FDownloadingFiles;
  FCurrentProgress = s->FCurrentProgress;
  FTotalProgress = s->FTotalProgress;
  FUpdateComplete = s->FUpdateComplete;
  FRestartInfo = s->FRestartInfo;
  FFailedDownload = s->FFailedDownload;
  FWhatsNewPopup = s->FWhatsNewPopup;
  FLicensePopup = s->FLicensePopup;
}

TNetUpdateWizardPolish::TNetUpdateWizardPolish(TComponent* AOwner) : TNetUpdateWizardLanguage(AOwner) {
  SetWelcome(L"Naci\u015Bnij START, aby sprawdzi\u0107 dost\u0119pno\u015B\u0107 uaktualnie\u0144...");
  SetStartButton(L"Start");
  SetNextButton(L"Dalej");
  SetExitButton(L"Wyj\u015Bcie");
  SetCancelButton(L"Anuluj");
  SetRestartButton(L"Zako\u0144cz");
  SetGetUpdateButton(L"Pobierz");
  SetNewVersionFound(L"Znaleziono now\u0105 wersj\u0119");
  SetNewVersion(L"Nowa wersja");
  SetNoNewVersionAvail(L"Nie znaleziono nowszej wersji");
  SetNewVersionAvail(L"Dost\u0119pna jest nowsza wersja");
  SetCurrentVersion(L"Aktualna wersja");
  SetNoFilesFound(L"Nie odnaleziono plik\u00F3w na serwerze");
  SetNoUpdateOnServer(L"brak aktualizacji na serwerze!");
  SetCannotConnect(L"Brak po\u0142\u0105czenia z serwerem lub");
  SetWhatsNew(L"Co nowego?");
  SetLicense(L"Licencja");
  SetAcceptLicense(L"Akceptuj\u0119 licencj\u0119");
  SetNotAcceptLicense(L"Nie akceptuj\u0119 licencji");
  SetComponentsAvail(L"Dost\u0119pne komponenty");
  SetDownloadingFiles(L"Pobieranie plik\u00F3w");
  SetCurrentProgress(L"Post\u0119p aktualnego pliku");
  SetTotalProgress(L"\u0141\u0105czny post\u0119p");
  SetUpdateComplete(L"Aktualizacja zako\u0144czona !");
  SetRestartInfo(L"Naci\u015Bnij ZAKO\u0143CZ, aby uruchomi\u0107 now\u0105 wersj\u0119 aplikacji");
  SetFailedDownload(L"Nie uda\u0142o si\u0119 pobra\u0107 uaktualnienia");
}
