// Message boxes. Every message box of the program goes through one seam, so
// that tests can record the text and script the answer.
#pragma once

#include <functional>

#include "base/Types.h"

// Returns the answer of the box (IDOK, IDYES...).
using TMessageBoxHook = std::function<int(const String& Text, const String& Caption, UINT Flags)>;
// Installs a hook that replaces the real box; an empty hook restores it.
void SetMessageBoxHook(TMessageBoxHook Hook);

int AppMessageBox(const String& Text, const String& Caption, UINT Flags);
void ShowMessage(const String& Text);

// Message dialogs: a text with a type (icon) and a set of buttons, shown
// through the same seam. The answer is the modal result of the button that
// closed it (mrOk, mrCancel, mrYes, mrNo...).
enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll,
                        mbHelp, mbClose };
using TMsgDlgButtons = Set<TMsgDlgBtn>;

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// X and Y of -1 leave the dialog at its default position.
int MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
