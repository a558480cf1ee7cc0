// The words of the update wizard: 28 texts with English defaults, and the
// Polish set.
#pragma once

#include "base/Object.h"

#define VANTREL_WIZARD_TEXT(Name)                         \
 public:                                                  \
  const String& Name() const { return F##Name; }          \
  void Set##Name(const String& Value) { F##Name = Value; } \
                                                          \
 private:                                                 \
  String F##Name

class TNetUpdateWizardLanguage : public TComponent {
  VANTREL_CLASS(TNetUpdateWizardLanguage)
 public:
  explicit TNetUpdateWizardLanguage(TComponent* AOwner);
  // From another language object all 28 texts; anything else is ignored.
  void Assign(TPersistent* Source) override;

  VANTREL_WIZARD_TEXT(Welcome);
  VANTREL_WIZARD_TEXT(StartButton);
  VANTREL_WIZARD_TEXT(NextButton);
  VANTREL_WIZARD_TEXT(ExitButton);
  VANTREL_WIZARD_TEXT(CancelButton);
  VANTREL_WIZARD_TEXT(RestartButton);
  VANTREL_WIZARD_TEXT(GetUpdateButton);
  VANTREL_WIZARD_TEXT(NewVersionFound);
  VANTREL_WIZARD_TEXT(NewVersion);
  VANTREL_WIZARD_TEXT(NoNewVersionAvail);
  VANTREL_WIZARD_TEXT(NewVersionAvail);
  VANTREL_WIZARD_TEXT(CurrentVersion);
  VANTREL_WIZARD_TEXT(NoFilesFound);
  VANTREL_WIZARD_TEXT(NoUpdateOnServer);
  VANTREL_WIZARD_TEXT(CannotConnect);
  VANTREL_WIZARD_TEXT(WhatsNew);
  VANTREL_WIZARD_TEXT(License);
  VANTREL_WIZARD_TEXT(AcceptLicense);
  VANTREL_WIZARD_TEXT(NotAcceptLicense);
  VANTREL_WIZARD_TEXT(ComponentsAvail);
  VANTREL_WIZARD_TEXT(DownloadingFiles);
  VANTREL_WIZARD_TEXT(CurrentProgress);
  VANTREL_WIZARD_TEXT(TotalProgress);
  VANTREL_WIZARD_TEXT(UpdateComplete);
  VANTREL_WIZARD_TEXT(RestartInfo);
  VANTREL_WIZARD_TEXT(FailedDownload);
  VANTREL_WIZARD_TEXT(WhatsNewPopup);
  VANTREL_WIZARD_TEXT(LicensePopup);
};

#undef VANTREL_WIZARD_TEXT

// The English texts: the defaults unchanged.
class TNetUpdateWizardEnglish : public TNetUpdateWizardLanguage {
  VANTREL_CLASS(TNetUpdateWizardEnglish)
 public:
  using TNetUpdateWizardLanguage::TNetUpdateWizardLanguage;
};

// The Polish texts (the two popup texts stay English).
class TNetUpdateWizardPolish : public TNetUpdateWizardLanguage {
  VANTREL_CLASS(TNetUpdateWizardPolish)
 public:
  explicit TNetUpdateWizardPolish(TComponent* AOwner);
};
