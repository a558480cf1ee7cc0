// Late-bound automation: objects of other programs created by their ProgID
// and driven by name through IDispatch, with variants and two-dimensional
// variant arrays.
#pragma once

#include <initializer_list>
#include <vector>

#include "base/SysUtils.h"

VANTREL_EXCEPTION(EOleError, Exception)

// A failed call: the HRESULT and the system's text for it.
class EOleSysError : public EOleError {
 public:
  EOleSysError(HRESULT Code, const String& Message) : EOleError(Message), FErrorCode(Code) {}
  String ClassName() const override { return L"EOleSysError"; }
  HRESULT ErrorCode() const { return FErrorCode; }

 private:
  HRESULT FErrorCode;
};

// An exception raised by the server, with its source and description.
class EOleException : public EOleSysError {
 public:
  EOleException(HRESULT Code, const String& Message, const String& Source)
      : EOleSysError(Code, Message), FSource(Source) {}
  String ClassName() const override { return L"EOleException"; }
  const String& Source() const { return FSource; }

 private:
  String FSource;
};

// A VARIANT that clears itself.
class TOleVariant {
 public:
  TOleVariant();
  TOleVariant(const String& Value);
  TOleVariant(const wchar_t* Value);
  TOleVariant(int Value);
  TOleVariant(double Value);
  TOleVariant(bool Value);
  // Holds a reference of its own to the object.
  TOleVariant(IDispatch* Value);
  TOleVariant(const TOleVariant& Other);
  TOleVariant(TOleVariant&& Other) noexcept;
  TOleVariant& operator=(const TOleVariant& Other);
  TOleVariant& operator=(TOleVariant&& Other) noexcept;
  ~TOleVariant();
  // Takes a VARIANT over without copying it; the source becomes empty.
  static TOleVariant Attach(VARIANT& Source);

  VARTYPE Type() const { return FValue.vt; }
  bool IsEmpty() const { return FValue.vt == VT_EMPTY || FValue.vt == VT_NULL; }
  bool IsDispatch() const { return FValue.vt == VT_DISPATCH; }
  bool IsError() const { return FValue.vt == VT_ERROR; }
  bool IsArray() const { return (FValue.vt & VT_ARRAY) != 0; }
  // The value as text: empty for empty and null values; EOleSysError when it
  // has none.
  String AsString() const;
  int AsInteger() const;
  // The object held (no new reference), or nullptr.
  IDispatch* AsDispatch() const;
  VARIANT& Raw() { return FValue; }
  const VARIANT& Raw() const { return FValue; }

  // Arrays of variants of two dimensions: rows first.
  static TOleVariant CreateArray(int RowLow, int RowHigh, int ColLow, int ColHigh);
  // Bounds of dimension 1 (rows) or 2 (columns).
  int LowBound(int Dim) const;
  int HighBound(int Dim) const;
  int DimCount() const;
  TOleVariant GetElement(int Row, int Col) const;
  void PutElement(int Row, int Col, const TOleVariant& Value);

 private:
  SAFEARRAY* Array() const;
  VARIANT FValue;
};

// An argument of a call: positional, or named.
struct TOleArg {
  TOleArg(const TOleVariant& AValue) : Value(AValue) {}
  TOleArg(const wchar_t* AValue) : Value(AValue) {}
  TOleArg(const String& AValue) : Value(AValue) {}
  TOleArg(int AValue) : Value(AValue) {}
  TOleArg(bool AValue) : Value(AValue) {}
  TOleArg(const String& AName, const TOleVariant& AValue) : Name(AName), Value(AValue) {}
  String Name;
  TOleVariant Value;
};

// Named(L"SaveChanges", false)
inline TOleArg Named(const String& Name, const TOleVariant& Value) { return TOleArg(Name, Value); }

// A reference to an automation object.
class TAutoObject {
 public:
  TAutoObject() = default;
  // Takes a reference of its own.
  explicit TAutoObject(IDispatch* Value);
  TAutoObject(const TAutoObject& Other);
  TAutoObject& operator=(const TAutoObject& Other);
  ~TAutoObject();

  // Creates the object registered under ProgID (in-process or local
  // server); EOleSysError when there is none.
  static TAutoObject Create(const String& ProgID);

  // Calls a method (or reads a property of that name).
  TOleVariant Call(const String& Name, std::initializer_list<TOleArg> Args = {});
  // Reads a property, with index arguments when it has them.
  TOleVariant Get(const String& Name, std::initializer_list<TOleArg> Args = {});
  // The object that a property or method gives.
  TAutoObject Object(const String& Name, std::initializer_list<TOleArg> Args = {});
  // Writes a property.
  void Set(const String& Name, const TOleVariant& Value, std::initializer_list<TOleArg> Args = {});

  IDispatch* Interface() const { return FDispatch; }
  bool Assigned() const { return FDispatch != nullptr; }
  // Lets go of the reference.
  void Release();

 private:
  TOleVariant Invoke(const String& Name, WORD Flags, const std::vector<TOleArg>& Args, const TOleVariant* Put);
  IDispatch* FDispatch = nullptr;
};

// Starts COM on the calling thread once.
void EnsureCom();
