#include "update/UpdateDialogs.h"

#include <oleauto.h>
#include <urlmon.h>

#include <memory>

#include "base/Button.h"
#include "base/Image.h"
#include "base/MemIniFile.h"
#include "base/ProgressBar.h"
#include "base/RadioButton.h"
#include "base/RichEdit.h"
#include "base/ScrollBox.h"
#include "base/StdCtrls.h"
#include "ui/controls/labels/HTMLabel.h"
#include "update/NetUpdate.h"
#include "update/UpdatePictures.h"
#include "update/UpdateStatus.h"

// ---------------------------------------------------------------------------
// Kinds of text

bool IsRtfText(TStream* Stream) {
  Stream->SetPosition(0);
  char head[5] = {};
  int got = Stream->Read(head, 5);
  Stream->SetPosition(0);
  if (got < 5) return false;
  return UpperCase(AnsiToWide(AnsiString(head, 5), 1252)) == L"{\\RTF";
}

bool IsHtmlText(TStream* Stream) {
  Stream->SetPosition(0);
  std::string text(static_cast<size_t>(Stream->Size()), '\0');
  if (!text.empty()) Stream->ReadBuffer(text.data(), static_cast<int>(text.size()));
  Stream->SetPosition(0);
  return text.find("</") != std::string::npos;
}

namespace {

std::unique_ptr<TStringList> LinesOf(TStream* Stream) {
  auto lines = std::make_unique<TStringList>();
  Stream->SetPosition(0);
  lines->LoadFromStream(Stream);
  Stream->SetPosition(0);
  return lines;
}

// The dialog frame of the what's-new and licence texts: 400 × 400, centred,
// a system menu only; the content area at (10, 10).
TForm* MakeTextDialog(const String& Caption) {
  auto* form = new TForm(nullptr);
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  form->SetBorderIcons({TBorderIcon::biSystemMenu});
  form->SetPosition(TPosition::poScreenCenter);
  form->SetBounds(0, 0, 400, 400);
  form->SetCaption(Caption);
  return form;
}

TRect ContentRect(TForm* Form) { return Bounds(10, 10, Form->ClientWidth() - 20, Form->ClientHeight() - 60); }

// A read-only rich edit (RTF) or memo (plain text) over the content area.
TWinControl* AddTextView(TForm* Form, TStream* Text, bool Rtf) {
  TRect r = ContentRect(Form);
  if (Rtf) {
    auto* rich = new TRichEdit(Form);
    rich->SetParent(Form);
    rich->SetBoundsRect(r);
    rich->SetReadOnly(true);
    rich->SetWordWrap(true);
    rich->SetScrollBars(TScrollStyle::ssVertical);
    Text->SetPosition(0);
    rich->Lines()->LoadFromStream(Text);
    Text->SetPosition(0);
    return rich;
  }
  auto* memo = new TMemo(Form);
  memo->SetParent(Form);
  memo->SetBoundsRect(r);
  memo->SetReadOnly(true);
  memo->SetWordWrap(true);
  memo->SetScrollBars(TScrollStyle::ssVertical);
  memo->SetText(LinesOf(Text)->Text());
  return memo;
}

TButton* AddButton(TForm* Form, const String& Caption, int Right, int Top, TModalResult Result, int TabOrder) {
  auto* b = new TButton(Form);
  b->SetParent(Form);
  b->SetCaption(Caption);
  b->SetBounds(Right - b->Width(), Top, b->Width(), b->Height());
  b->SetModalResult(Result);
  b->SetTabOrder(TabOrder);
  return b;
}

}  // namespace

// ---------------------------------------------------------------------------
// What's new and licence

int TNetUpdate::WhatsNewDialog(TMemoryStream* ms) {
  bool rtf = IsRtfText(ms);
  if (OnDownloadedWhatsNew && !rtf) {
    int res = 1;
    auto lines = LinesOf(ms);
    OnGui([&] { OnDownloadedWhatsNew(this, lines.get(), res); });
    return res == 1 ? 0 : -1;
  }
  auto ini = ControlFile();
  String caption = ini->ReadString(L"whatsnew", L"caption", L"What's new");
  String ok = ini->ReadString(L"whatsnew", L"okbtn", L"Ok");
  String cancel = ini->ReadString(L"whatsnew", L"cancelbtn", L"Cancel");
  TModalResult result = mrNone;
  OnGui([&] {
    TOwned<TForm> form(MakeTextDialog(caption));
    TRect r = ContentRect(form);
    if (!rtf && IsHtmlText(ms)) {
      auto* box = new TScrollBox(form);
      box->SetParent(form);
      box->SetBorderStyle(TBorderStyleKind::bsNone);
      box->SetCtl3D(false);
      box->SetBoundsRect(r);
      auto* label = new THTMLabel(form);
      label->SetParent(box);
      label->SetBounds(0, 0, r.Width() - GetSystemMetrics(SM_CXVSCROLL), 20);
      label->SetAutoSizing(true);
      label->SetHTMLText(LinesOf(ms).get());
      box->UpdateScrollBars();
    } else {
      AddTextView(form, ms, rtf);
    }
    int top = r.bottom + 10;
    AddButton(form, ok, r.right - 10 - 75, top, mrOk, 0);
    AddButton(form, cancel, r.right, top, mrCancel, 1);
    result = form->ShowModal();
  });
  if (result == mrCancel) {
    DoStatus(UpdateStatus::WhatsNewNotAccepted, L"", 14, 0);
    return -1;
  }
  return 0;
}

int TNetUpdate::EULADialog(TMemoryStream* stream) {
  bool rtf = IsRtfText(stream);
  int answer = 0;
  if (OnDownloadedEULA) {
    int res = 1;
    auto lines = LinesOf(stream);
    OnGui([&] { OnDownloadedEULA(this, lines.get(), res); });
    if (res != 1) answer = -1;
    if (rtf) return answer;
  }
  auto ini = ControlFile();
  String caption = ini->ReadString(L"eula", L"caption", L"");
  String ok = ini->ReadString(L"eula", L"okbtn", L"Ok");
  String accept = ini->ReadString(L"eula", L"accept", L"I accept");
  String refuse = ini->ReadString(L"eula", L"notaccept", L"I do not accept");
  bool accepted = false;
  OnGui([&] {
    TOwned<TForm> form(MakeTextDialog(caption));
    TRect r = ContentRect(form);
    AddTextView(form, stream, rtf);
    int top = r.bottom + 10;
    AddButton(form, ok, r.right, top, mrOk, 0);
    auto* yes = new TRadioButton(form);
    yes->SetParent(form);
    yes->SetCaption(accept);
    yes->SetBounds(10, top, yes->Width(), yes->Height());
    yes->SetTabOrder(1);
    auto* no = new TRadioButton(form);
    no->SetParent(form);
    no->SetCaption(refuse);
    no->SetBounds(yes->Width() + 20, top, no->Width(), no->Height());
    no->SetTabOrder(2);
    no->SetChecked(true);
    // Closing the window otherwise than by OK refuses as well.
    accepted = form->ShowModal() == mrOk && yes->Checked();
  });
  if (!accepted) answer = -1;
  return answer;
}

// ---------------------------------------------------------------------------
// Progress window

TProgressForm::TProgressForm(TComponent* AOwner, int) : TForm(AOwner) {
  SetBounds(0, 0, 300, 110);
  FileLabel = new TLabel(this);
  FileLabel->SetName(L"FileLabel");
  FileLabel->SetParent(this);
  ProgressBar = new TProgressBar(this);
  ProgressBar->SetName(L"ProgressBar");
  ProgressBar->SetParent(this);
}

void TProgressForm::CreateWnd() {
  FileLabel->SetBounds(10, 10, FileLabel->Width(), FileLabel->Height());
  ProgressBar->SetBounds(10, 40, 264, ProgressBar->Height());
  SetCaption(StatusTemplate(UpdateStatus::DownloadingShort));
  SetPosition(TPosition::poScreenCenter);
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons({});
  TForm::CreateWnd();
}

TProgressForm* CreateProgressForm(TNetUpdate*) { return new TProgressForm(nullptr, 0); }

void ShowProgressForm(TProgressForm* Form, bool Show) {
  if (!Form) return;
  if (Show) {
    Form->Show();
    Form->Update();
  } else {
    Form->Hide();
  }
}

void UpdateProgressForm(TProgressForm* Form, const String& FileName, int Pos, int Size) {
  if (!Form) return;
  Form->ProgressBar->SetRange(0, Size);
  Form->ProgressBar->SetPosition(Pos);
  Form->FileLabel->SetCaption(StatusText(UpdateStatus::Downloading, ExtractFileName(FileName)));
  Form->SetCaption(StatusTemplate(UpdateStatus::DownloadingShort));
}

void FreeProgressForm(TProgressForm*& Form) { FreeAndNil(Form); }

// ---------------------------------------------------------------------------
// Login

TKelLoginForm::TKelLoginForm(TComponent* AOwner) : TForm(AOwner) {
  BeginLoading();
  SetName(L"KelLoginForm");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons({TBorderIcon::biSystemMenu});
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(320);
  SetClientHeight(189);
  Image1 = new TImage(this);
  Image1->SetName(L"Image1");
  Image1->SetParent(this);
  Image1->SetBounds(0, 0, 320, 60);
  Label1 = new TLabel(this);
  Label1->SetName(L"Label1");
  Label1->SetParent(this);
  Label1->SetLeft(16);
  Label1->SetTop(80);
  Label1->SetCaption(L"&User name: ");
  Label2 = new TLabel(this);
  Label2->SetName(L"Label2");
  Label2->SetParent(this);
  Label2->SetLeft(16);
  Label2->SetTop(112);
  Label2->SetCaption(L"&Password:");
  Edit1 = new TEdit(this);
  Edit1->SetName(L"Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(104, 77, 193, 21);
  Edit2 = new TEdit(this);
  Edit2->SetName(L"Edit2");
  Edit2->SetParent(this);
  Edit2->SetBounds(104, 109, 193, 21);
  Edit2->SetPasswordChar(L'*');
  Label1->SetFocusControl(Edit1);
  Label2->SetFocusControl(Edit2);
  Button1 = new TButton(this);
  Button1->SetName(L"Button1");
  Button1->SetParent(this);
  Button1->SetBounds(144, 152, 75, 25);
  Button1->SetCaption(L"OK");
  Button1->SetDefault(true);
  Button1->SetModalResult(mrOk);
  Button2 = new TButton(this);
  Button2->SetName(L"Button2");
  Button2->SetParent(this);
  Button2->SetBounds(224, 152, 75, 25);
  Button2->SetCaption(L"Cancel");
  Button2->SetCancel(true);
  Button2->SetModalResult(mrCancel);
  SetActiveControl(Edit1);
  EndLoading();
  DrawLoginBanner(Image1->Picture()->Bitmap(), 320, 60);
}

bool ShowLoginDialog(const String& Caption, String& User, String& Password) {
  TOwned<TKelLoginForm> form(new TKelLoginForm(Application));
  form->SetCaption(Caption);
  if (form->ShowModal() != mrOk) return false;
  User = form->Edit1->Text();
  Password = form->Edit2->Text();
  return true;
}

// ---------------------------------------------------------------------------
// HTML dialog

void ShowHTMLDialogURL(HWND Parent, const String& Url) {
  HMODULE lib = LoadLibraryW(L"MSHTML.DLL");
  if (!lib) return;
  using ShowFn = HRESULT(WINAPI*)(HWND, IMoniker*, VARIANT*, WCHAR*, VARIANT*);
  auto show = reinterpret_cast<ShowFn>(GetProcAddress(lib, "ShowHTMLDialog"));
  if (!show) {
    FreeLibrary(lib);
    return;
  }
  IMoniker* moniker = nullptr;
  HRESULT hr = CreateURLMonikerEx(nullptr, Url.c_str(), &moniker, URL_MK_UNIFORM);
  if (SUCCEEDED(hr)) {
    VARIANT in, out;
    VariantInit(&in);
    VariantInit(&out);
    in.vt = VT_BSTR;
    in.bstrVal = SysAllocString(L"");
    hr = show(Parent, moniker, &in, nullptr, &out);
    VariantClear(&in);
    VariantClear(&out);
    moniker->Release();
  }
  FreeLibrary(lib);
  if (FAILED(hr)) throw EOSError(static_cast<DWORD>(hr), SysErrorMessage(static_cast<DWORD>(hr)));
}

void TNetUpdate::ShowHTMLDialog(const String& s) {
  HWND parent = nullptr;
  if (auto* owner = dynamic_cast<TWinControl*>(Owner())) parent = owner->Handle();
  ShowHTMLDialogURL(parent, s);
}
