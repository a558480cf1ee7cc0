// A small in-process automation server for the tests: a spreadsheet and a
// word processor that record every call made on them, serve a block of
// cells from a used range, and fail a chosen call on request. The tests
// register it under the two program ids in the test prefix and read the
// record through the exported functions below.
#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

namespace {

// {91A6CEC9-5772-4BBE-B511-A14F0AD34919}
const CLSID kSheetClass = {0x91a6cec9, 0x5772, 0x4bbe, {0xb5, 0x11, 0xa1, 0x4f, 0x0a, 0xd3, 0x49, 0x19}};
// {474A6778-C4CC-4730-AA5D-66EA23DD214A}
const CLSID kWordClass = {0x474a6778, 0xc4cc, 0x4730, {0xaa, 0x5d, 0x66, 0xea, 0x23, 0xdd, 0x21, 0x4a}};

std::vector<std::wstring> gNames;  // DISPID n - 1 is gNames[n - 1]
std::vector<std::wstring> gLog;
std::wstring gLogText;
std::wstring gUsedAddress;
bool gExactBlock = false;
std::vector<std::vector<std::wstring>> gBlock;
std::wstring gFailOn;
LONG gLive = 0;

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

DISPID IdOf(const std::wstring& Name) {
  std::wstring l = Lower(Name);
  for (size_t i = 0; i < gNames.size(); ++i)
    if (gNames[i] == l) return static_cast<DISPID>(i + 1);
  gNames.push_back(l);
  return static_cast<DISPID>(gNames.size());
}

std::wstring Text(const VARIANT& v) {
  if (v.vt == VT_BSTR) return L"'" + std::wstring(v.bstrVal ? v.bstrVal : L"") + L"'";
  if (v.vt == VT_I4) return std::to_wstring(v.lVal);
  if (v.vt == VT_I2) return std::to_wstring(v.iVal);
  if (v.vt == VT_BOOL) return v.boolVal ? L"True" : L"False";
  if (v.vt == VT_DISPATCH) return L"<object>";
  if (v.vt == (VT_ARRAY | VT_VARIANT)) {
    SAFEARRAY* a = v.parray;
    LONG r0, r1, c0, c1;
    SafeArrayGetLBound(a, 1, &r0);
    SafeArrayGetUBound(a, 1, &r1);
    SafeArrayGetLBound(a, 2, &c0);
    SafeArrayGetUBound(a, 2, &c1);
    std::wstring s = L"[" + std::to_wstring(r0) + L".." + std::to_wstring(r1) + L"," + std::to_wstring(c0) + L".." +
                     std::to_wstring(c1) + L"]";
    for (LONG r = r0; r <= r1; ++r) {
      s += L"{";
      for (LONG c = c0; c <= c1; ++c) {
        LONG at[2] = {r, c};
        VARIANT e;
        VariantInit(&e);
        SafeArrayGetElement(a, at, &e);
        if (c > c0) s += L"|";
        s += e.vt == VT_BSTR ? std::wstring(e.bstrVal ? e.bstrVal : L"") : Text(e);
        VariantClear(&e);
      }
      s += L"}";
    }
    return s;
  }
  return L"?";
}

int Number(const VARIANT& v) {
  VARIANT t;
  VariantInit(&t);
  if (FAILED(VariantChangeType(&t, const_cast<VARIANT*>(&v), 0, VT_I4))) return 0;
  return t.lVal;
}

// "B" -> 2, "AA" -> 27.
int ColumnNumber(const std::wstring& Letters) {
  int n = 0;
  for (wchar_t c : Letters) n = n * 26 + (std::towupper(c) - L'A' + 1);
  return n;
}

// The size of an "A1:D20" style range (dollar signs allowed).
void RangeSize(std::wstring Address, int& Rows, int& Cols) {
  std::wstring a;
  for (wchar_t c : Address)
    if (c != L'$') a += c;
  Rows = Cols = 1;
  size_t colon = a.find(L':');
  if (colon == std::wstring::npos) return;
  auto cell = [](const std::wstring& p, int& r, int& c) {
    size_t i = 0;
    while (i < p.size() && std::iswalpha(p[i])) ++i;
    c = ColumnNumber(p.substr(0, i));
    r = i < p.size() ? std::stoi(p.substr(i)) : 0;
  };
  int r0, c0, r1, c1;
  cell(a.substr(0, colon), r0, c0);
  cell(a.substr(colon + 1), r1, c1);
  Rows = r1 - r0 + 1;
  Cols = c1 - c0 + 1;
}

enum class Kind {
  SheetApp, WordApp, Workbooks, Workbook, Worksheets, Worksheet, Range, Documents, Document, DocRange, Tables,
  Table, Cell, CellRange, ParagraphFormat
};

const wchar_t* KindName(Kind k) {
  static const wchar_t* names[] = {L"Excel",    L"Word",  L"Workbooks", L"Workbook", L"Worksheets",
                                   L"Sheet",    L"Range", L"Documents", L"Document", L"DocRange",
                                   L"Tables",   L"Table", L"Cell",      L"CellRange", L"ParagraphFormat"};
  return names[static_cast<int>(k)];
}

class TFake : public IDispatch {
 public:
  TFake(Kind k, std::wstring tag = L"") : FKind(k), FTag(std::move(tag)) { InterlockedIncrement(&gLive); }
  virtual ~TFake() { InterlockedDecrement(&gLive); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
      *ppv = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&FRefs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) ids[i] = IdOf(names[i]);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result, EXCEPINFO* ex,
                                   UINT*) override {
    if (id < 1 || id > static_cast<DISPID>(gNames.size())) return DISP_E_MEMBERNOTFOUND;
    std::wstring name = gNames[id - 1];
    // Positional arguments in order, named ones by name.
    std::vector<const VARIANT*> pos;
    std::vector<std::pair<std::wstring, const VARIANT*>> named;
    const VARIANT* put = nullptr;
    for (UINT i = 0; i < p->cNamedArgs; ++i) {
      DISPID n = p->rgdispidNamedArgs[i];
      if (n == DISPID_PROPERTYPUT)
        put = &p->rgvarg[i];
      else
        named.emplace_back(gNames[n - 1], &p->rgvarg[i]);
    }
    for (UINT i = p->cArgs; i-- > p->cNamedArgs;) pos.push_back(&p->rgvarg[i]);
    std::wstring line = std::wstring(KindName(FKind)) + (FKind == Kind::Range ? L"[" + FTag + L"]" : FTag) + L"." + name;
    std::wstring args;
    for (const VARIANT* v : pos) args += (args.empty() ? L"" : L", ") + Text(*v);
    for (auto& n : named) args += (args.empty() ? L"" : L", ") + n.first + L":=" + Text(*n.second);
    if (!args.empty() || (!put && (flags & DISPATCH_METHOD))) line += L"(" + args + L")";
    if (put) line += L" := " + Text(*put);
    gLog.push_back(line);
    if (!gFailOn.empty() && Lower(gFailOn) == name) {
      if (ex) {
        *ex = EXCEPINFO{};
        ex->scode = E_FAIL;
        ex->bstrSource = SysAllocString(L"Fake server");
        ex->bstrDescription = SysAllocString((L"Refused: " + name).c_str());
      }
      return DISP_E_EXCEPTION;
    }
    auto object = [&](TFake* o) {
      if (result) {
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = o;
      } else {
        o->Release();
      }
      return S_OK;
    };
    auto text = [&](const std::wstring& s) {
      if (result) {
        VariantInit(result);
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(s.c_str());
      }
      return S_OK;
    };
    auto arg = [&](size_t i, const wchar_t* n) -> const VARIANT* {
      for (auto& a : named)
        if (a.first == n) return a.second;
      return i < pos.size() ? pos[i] : nullptr;
    };
    switch (FKind) {
      case Kind::SheetApp:
        if (name == L"workbooks") return object(new TFake(Kind::Workbooks));
        if (name == L"quit") return S_OK;
        break;
      case Kind::WordApp:
        if (name == L"documents") return object(new TFake(Kind::Documents));
        if (name == L"quit") return S_OK;
        break;
      case Kind::Workbooks:
        if (name == L"open" || name == L"add") return object(new TFake(Kind::Workbook));
        break;
      case Kind::Workbook:
        if (name == L"activesheet") return object(new TFake(Kind::Worksheet));
        if (name == L"worksheets") return object(new TFake(Kind::Worksheets));
        if (name == L"close" || name == L"saveas") return S_OK;
        break;
      case Kind::Worksheets:
        if (name == L"add") return object(new TFake(Kind::Worksheet));
        break;
      case Kind::Worksheet:
        if (name == L"usedrange") return object(new TFake(Kind::Range, gUsedAddress));
        if (name == L"range") {
          const VARIANT* a = arg(0, L"cell1");
          return object(new TFake(Kind::Range, a && a->vt == VT_BSTR ? a->bstrVal : L""));
        }
        break;
      case Kind::Range:
        if (name == L"address") return text(FTag);
        if (name == L"value" && put) return S_OK;
        if (name == L"value") {
          int rows, cols;
          RangeSize(FTag, rows, cols);
          if (gExactBlock) {
            rows = static_cast<int>(gBlock.size());
            cols = 0;
            for (const auto& r : gBlock) cols = std::max(cols, static_cast<int>(r.size()));
          }
          SAFEARRAYBOUND b[2] = {{static_cast<ULONG>(rows), 1}, {static_cast<ULONG>(cols), 1}};
          SAFEARRAY* a = SafeArrayCreate(VT_VARIANT, 2, b);
          for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
              VARIANT e;
              VariantInit(&e);
              if (r < static_cast<int>(gBlock.size()) && c < static_cast<int>(gBlock[r].size())) {
                const std::wstring& s = gBlock[r][c];
                if (s == L"#err") {
                  e.vt = VT_ERROR;
                  e.scode = 0x800A07FA;
                } else if (s == L"#num") {
                  e.vt = VT_R8;
                  e.dblVal = 2.5;
                } else if (!s.empty()) {
                  e.vt = VT_BSTR;
                  e.bstrVal = SysAllocString(s.c_str());
                }
              }
              LONG at[2] = {r + 1, c + 1};
              SafeArrayPutElement(a, at, &e);
              VariantClear(&e);
            }
          if (result) {
            VariantInit(result);
            result->vt = VT_ARRAY | VT_VARIANT;
            result->parray = a;
          } else {
            SafeArrayDestroy(a);
          }
          return S_OK;
        }
        break;
      case Kind::Documents:
        if (name == L"add") return object(new TFake(Kind::Document));
        break;
      case Kind::Document:
        if (name == L"range") return object(new TFake(Kind::DocRange));
        if (name == L"tables") return object(new TFake(Kind::Tables));
        if (name == L"saveas") return S_OK;
        break;
      case Kind::Tables:
        if (name == L"add") return object(new TFake(Kind::Table));
        break;
      case Kind::Table:
        if (name == L"cell") {
          const VARIANT* r = arg(0, L"row");
          const VARIANT* c = arg(1, L"column");
          return object(new TFake(Kind::Cell, L"(" + std::to_wstring(r ? Number(*r) : 0) + L"," +
                                                  std::to_wstring(c ? Number(*c) : 0) + L")"));
        }
        break;
      case Kind::Cell:
        if (name == L"range") return object(new TFake(Kind::CellRange, FTag));
        break;
      case Kind::CellRange:
        if (name == L"insertafter") return S_OK;
        if (name == L"paragraphformat") return object(new TFake(Kind::ParagraphFormat, FTag));
        break;
      case Kind::ParagraphFormat:
        if (name == L"alignment") return S_OK;
        break;
      default:
        break;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  LONG FRefs = 1;
  Kind FKind;
  std::wstring FTag;
};

class TFactory : public IClassFactory {
 public:
  explicit TFactory(bool Word) : FWord(Word) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *ppv = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    gLog.push_back(FWord ? L"create Word" : L"create Excel");
    auto* o = new TFake(FWord ? Kind::WordApp : Kind::SheetApp);
    HRESULT hr = o->QueryInterface(riid, ppv);
    o->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  bool FWord;
};

TFactory gSheetFactory(false);
TFactory gWordFactory(true);

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
  if (clsid == kSheetClass) return gSheetFactory.QueryInterface(riid, ppv);
  if (clsid == kWordClass) return gWordFactory.QueryInterface(riid, ppv);
  *ppv = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }

// Forgets the record, the served block and the failing call.
__declspec(dllexport) void ServerReset() {
  gLog.clear();
  gBlock.clear();
  gUsedAddress.clear();
  gFailOn.clear();
  gExactBlock = false;
}

// The calls so far, one per line.
__declspec(dllexport) const wchar_t* ServerLog() {
  gLogText.clear();
  for (auto& l : gLog) gLogText += l + L"\n";
  return gLogText.c_str();
}

// Server objects not yet released.
__declspec(dllexport) int ServerLiveObjects() { return static_cast<int>(gLive); }

// The used range's address and its cells, rows separated by '\n' and cells
// by '|'; "#err" stands for an error value and "#num" for the number 2.5.
__declspec(dllexport) void ServerSetBlock(const wchar_t* Address, const wchar_t* Cells) {
  gUsedAddress = Address;
  gBlock.clear();
  std::wstring s = Cells, row, cell;
  std::vector<std::wstring> cur;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == L'\n') {
      cur.push_back(cell);
      gBlock.push_back(cur);
      cur.clear();
      cell.clear();
    } else if (s[i] == L'|') {
      cur.push_back(cell);
      cell.clear();
    } else {
      cell += s[i];
    }
  }
}

// When on, the block served is the cells given, whatever range is asked for.
__declspec(dllexport) void ServerSetExactBlock(bool On) { gExactBlock = On; }

// The member (by name, any case) that fails with an exception from now on.
__declspec(dllexport) void ServerFailOn(const wchar_t* Name) { gFailOn = Name ? Name : L""; }

// The class ids of the spreadsheet (0) and the word processor (1).
__declspec(dllexport) const CLSID* ServerClass(int Which) { return Which ? &kWordClass : &kSheetClass; }
}
