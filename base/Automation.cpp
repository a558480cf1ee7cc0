#include "base/Automation.h"

#include <oleauto.h>

#include <utility>

namespace {

String ErrorText(HRESULT Code) {
  String s = SysErrorMessage(static_cast<DWORD>(Code));
  if (s.empty()) s = Format(L"OLE error %.8X", {static_cast<unsigned>(Code)});
  return s;
}

[[noreturn]] void OleFail(HRESULT Code, const String& Context = String()) {
  String text = ErrorText(Code);
  if (!Context.empty()) text = Context + L": " + text;
  throw EOleSysError(Code, text);
}

void Check(HRESULT Code) {
  if (FAILED(Code)) OleFail(Code);
}

}  // namespace

void EnsureCom() {
  thread_local bool started = false;
  if (started) return;
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  started = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

// ---------------------------------------------------------------------------
// TOleVariant

TOleVariant::TOleVariant() { VariantInit(&FValue); }

TOleVariant::TOleVariant(const String& Value) {
  VariantInit(&FValue);
  FValue.vt = VT_BSTR;
  FValue.bstrVal = SysAllocStringLen(Value.data(), static_cast<UINT>(Value.size()));
}

TOleVariant::TOleVariant(const wchar_t* Value) : TOleVariant(String(Value ? Value : L"")) {}

TOleVariant::TOleVariant(int Value) {
  VariantInit(&FValue);
  FValue.vt = VT_I4;
  FValue.lVal = Value;
}

TOleVariant::TOleVariant(double Value) {
  VariantInit(&FValue);
  FValue.vt = VT_R8;
  FValue.dblVal = Value;
}

TOleVariant::TOleVariant(bool Value) {
  VariantInit(&FValue);
  FValue.vt = VT_BOOL;
  FValue.boolVal = Value ? VARIANT_TRUE : VARIANT_FALSE;
}

TOleVariant::TOleVariant(IDispatch* Value) {
  VariantInit(&FValue);
  FValue.vt = VT_DISPATCH;
  FValue.pdispVal = Value;
  if (Value) Value->AddRef();
}

TOleVariant::TOleVariant(const TOleVariant& Other) {
  VariantInit(&FValue);
  Check(VariantCopy(&FValue, const_cast<VARIANT*>(&Other.FValue)));
}

TOleVariant::TOleVariant(TOleVariant&& Other) noexcept {
  FValue = Other.FValue;
  VariantInit(&Other.FValue);
}

TOleVariant& TOleVariant::operator=(const TOleVariant& Other) {
  if (this != &Other) {
    VariantClear(&FValue);
    Check(VariantCopy(&FValue, const_cast<VARIANT*>(&Other.FValue)));
  }
  return *this;
}

TOleVariant& TOleVariant::operator=(TOleVariant&& Other) noexcept {
  if (this != &Other) {
    VariantClear(&FValue);
    FValue = Other.FValue;
    VariantInit(&Other.FValue);
  }
  return *this;
}

TOleVariant::~TOleVariant() { VariantClear(&FValue); }

TOleVariant TOleVariant::Attach(VARIANT& Source) {
  TOleVariant v;
  v.FValue = Source;
  VariantInit(&Source);
  return v;
}

String TOleVariant::AsString() const {
  if (IsEmpty()) return String();
  if (FValue.vt == VT_BSTR) return String(FValue.bstrVal ? FValue.bstrVal : L"", SysStringLen(FValue.bstrVal));
  VARIANT t;
  VariantInit(&t);
  HRESULT hr = VariantChangeTypeEx(&t, const_cast<VARIANT*>(&FValue), LOCALE_USER_DEFAULT, 0, VT_BSTR);
  if (FAILED(hr)) OleFail(hr, L"Cannot read the value as text");
  String s(t.bstrVal ? t.bstrVal : L"", SysStringLen(t.bstrVal));
  VariantClear(&t);
  return s;
}

int TOleVariant::AsInteger() const {
  if (FValue.vt == VT_I4) return FValue.lVal;
  VARIANT t;
  VariantInit(&t);
  HRESULT hr = VariantChangeType(&t, const_cast<VARIANT*>(&FValue), 0, VT_I4);
  if (FAILED(hr)) OleFail(hr, L"Cannot read the value as a number");
  return t.lVal;
}

IDispatch* TOleVariant::AsDispatch() const { return FValue.vt == VT_DISPATCH ? FValue.pdispVal : nullptr; }

TOleVariant TOleVariant::CreateArray(int RowLow, int RowHigh, int ColLow, int ColHigh) {
  SAFEARRAYBOUND bounds[2];
  bounds[0].lLbound = RowLow;
  bounds[0].cElements = static_cast<ULONG>(Max(0, RowHigh - RowLow + 1));
  bounds[1].lLbound = ColLow;
  bounds[1].cElements = static_cast<ULONG>(Max(0, ColHigh - ColLow + 1));
  SAFEARRAY* a = SafeArrayCreate(VT_VARIANT, 2, bounds);
  if (!a) throw EOleError(L"Cannot create a variant array");
  TOleVariant v;
  v.FValue.vt = VT_ARRAY | VT_VARIANT;
  v.FValue.parray = a;
  return v;
}

SAFEARRAY* TOleVariant::Array() const {
  if (!(FValue.vt & VT_ARRAY)) throw EOleError(L"The value is not an array");
  return (FValue.vt & VT_BYREF) ? *FValue.pparray : FValue.parray;
}

int TOleVariant::DimCount() const { return static_cast<int>(SafeArrayGetDim(Array())); }

int TOleVariant::LowBound(int Dim) const {
  LONG b = 0;
  Check(SafeArrayGetLBound(Array(), static_cast<UINT>(Dim), &b));
  return b;
}

int TOleVariant::HighBound(int Dim) const {
  LONG b = 0;
  Check(SafeArrayGetUBound(Array(), static_cast<UINT>(Dim), &b));
  return b;
}

TOleVariant TOleVariant::GetElement(int Row, int Col) const {
  SAFEARRAY* a = Array();
  LONG at[2] = {Row, Col};
  VARTYPE vt = VT_EMPTY;
  SafeArrayGetVartype(a, &vt);
  TOleVariant v;
  if (vt == VT_VARIANT) {
    Check(SafeArrayGetElement(a, at, &v.FValue));
  } else if (vt == VT_BSTR) {
    BSTR s = nullptr;
    Check(SafeArrayGetElement(a, at, &s));
    v.FValue.vt = VT_BSTR;
    v.FValue.bstrVal = s;
  } else {
    throw EOleError(L"Unsupported array element type");
  }
  return v;
}

void TOleVariant::PutElement(int Row, int Col, const TOleVariant& Value) {
  LONG at[2] = {Row, Col};
  Check(SafeArrayPutElement(Array(), at, const_cast<VARIANT*>(&Value.FValue)));
}

// ---------------------------------------------------------------------------
// TAutoObject

TAutoObject::TAutoObject(IDispatch* Value) : FDispatch(Value) {
  if (FDispatch) FDispatch->AddRef();
}

TAutoObject::TAutoObject(const TAutoObject& Other) : FDispatch(Other.FDispatch) {
  if (FDispatch) FDispatch->AddRef();
}

TAutoObject& TAutoObject::operator=(const TAutoObject& Other) {
  if (Other.FDispatch) Other.FDispatch->AddRef();
  Release();
  FDispatch = Other.FDispatch;
  return *this;
}

TAutoObject::~TAutoObject() { Release(); }

void TAutoObject::Release() {
  IDispatch* d = FDispatch;
  FDispatch = nullptr;
  if (d) d->Release();
}

TAutoObject TAutoObject::Create(const String& ProgID) {
  EnsureCom();
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(ProgID.c_str(), &clsid);
  if (FAILED(hr)) OleFail(hr, L"Invalid class string " + ProgID);
  IDispatch* d = nullptr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                        reinterpret_cast<void**>(&d));
  if (FAILED(hr)) OleFail(hr, L"Cannot create " + ProgID);
  TAutoObject o;
  o.FDispatch = d;
  return o;
}

TOleVariant TAutoObject::Invoke(const String& Name, WORD Flags, const std::vector<TOleArg>& Args,
                                const TOleVariant* Put) {
  if (!FDispatch) throw EOleError(L"No automation object for " + Name);
  // The member's name, then the names of the named arguments.
  std::vector<String> names{Name};
  std::vector<const TOleArg*> named, positional;
  for (const TOleArg& a : Args) {
    if (a.Name.empty()) {
      positional.push_back(&a);
    } else {
      named.push_back(&a);
      names.push_back(a.Name);
    }
  }
  std::vector<LPOLESTR> raw;
  for (String& n : names) raw.push_back(n.data());
  std::vector<DISPID> ids(names.size());
  HRESULT hr = FDispatch->GetIDsOfNames(IID_NULL, raw.data(), static_cast<UINT>(raw.size()), LOCALE_USER_DEFAULT,
                                        ids.data());
  if (FAILED(hr)) OleFail(hr, L"Unknown name " + Name);
  // Named arguments first, then the positional ones from the last.
  std::vector<VARIANT> argv;
  std::vector<DISPID> namedIds;
  if (Put) {
    argv.push_back(Put->Raw());
    namedIds.push_back(DISPID_PROPERTYPUT);
  }
  for (size_t i = 0; i < named.size(); ++i) {
    argv.push_back(named[i]->Value.Raw());
    namedIds.push_back(ids[i + 1]);
  }
  for (size_t i = positional.size(); i-- > 0;) argv.push_back(positional[i]->Value.Raw());
  DISPPARAMS params{};
  params.rgvarg = argv.empty() ? nullptr : argv.data();
  params.cArgs = static_cast<UINT>(argv.size());
  params.rgdispidNamedArgs = namedIds.empty() ? nullptr : namedIds.data();
  params.cNamedArgs = static_cast<UINT>(namedIds.size());
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO ex{};
  UINT badArg = 0;
  hr = FDispatch->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, Flags, &params, Put ? nullptr : &result, &ex,
                         &badArg);
  if (hr == DISP_E_EXCEPTION) {
    if (ex.pfnDeferredFillIn) ex.pfnDeferredFillIn(&ex);
    String desc = ex.bstrDescription ? ex.bstrDescription : L"";
    String source = ex.bstrSource ? ex.bstrSource : L"";
    HRESULT code = ex.scode ? ex.scode : static_cast<HRESULT>(ex.wCode);
    SysFreeString(ex.bstrDescription);
    SysFreeString(ex.bstrSource);
    SysFreeString(ex.bstrHelpFile);
    VariantClear(&result);
    throw EOleException(code, desc.empty() ? Name + L" failed" : desc, source);
  }
  if (FAILED(hr)) {
    VariantClear(&result);
    OleFail(hr, Name);
  }
  return TOleVariant::Attach(result);
}

TOleVariant TAutoObject::Call(const String& Name, std::initializer_list<TOleArg> Args) {
  return Invoke(Name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::vector<TOleArg>(Args), nullptr);
}

TOleVariant TAutoObject::Get(const String& Name, std::initializer_list<TOleArg> Args) {
  return Invoke(Name, DISPATCH_PROPERTYGET, std::vector<TOleArg>(Args), nullptr);
}

TAutoObject TAutoObject::Object(const String& Name, std::initializer_list<TOleArg> Args) {
  TOleVariant v = Invoke(Name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::vector<TOleArg>(Args), nullptr);
  if (!v.IsDispatch() || !v.AsDispatch()) throw EOleError(Name + L" gave no object");
  return TAutoObject(v.AsDispatch());
}

void TAutoObject::Set(const String& Name, const TOleVariant& Value, std::initializer_list<TOleArg> Args) {
  Invoke(Name, DISPATCH_PROPERTYPUT, std::vector<TOleArg>(Args), &Value);
}
