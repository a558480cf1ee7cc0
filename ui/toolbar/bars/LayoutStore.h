// Where dock panels, toolbars and the ribbon pager keep their layout between
// runs: an INI file (TPersistence Key is the file name, Section the INI
// section) or a registry key under HKEY_CURRENT_USER (Key, with Section as a
// sub-key created on writing). Every value is an integer or a text;
// booleans are 0 and 1.
//
// What the store holds is outside input: a count or a row index read back
// is bounded before it is used, and a value that makes no sense leaves its
// owner's current value in place.
#pragma once

#include <functional>
#include <memory>

#include "ui/toolbar/runtime/ToolBarRuntime.h"

class TMemIniFile;

class TLayoutStore {
 public:
  virtual ~TLayoutStore() = default;
  virtual String ReadString(const String& Ident, const String& Default) = 0;
  virtual void WriteString(const String& Ident, const String& Value) = 0;
  // Decimal text or, in the registry, a DWORD; anything else reads as
  // Default.
  virtual int ReadInteger(const String& Ident, int Default) = 0;
  virtual void WriteInteger(const String& Ident, int Value) = 0;
  bool ReadBool(const String& Ident, bool Default) { return ReadInteger(Ident, Default ? 1 : 0) != 0; }
  void WriteBool(const String& Ident, bool Value) { WriteInteger(Ident, Value ? 1 : 0); }
};

// The store of a component's settings; nullptr when Key or Section is
// empty (such a component neither saves nor loads). Opening for reading a
// registry key that does not exist gives a store where everything is
// missing.
std::unique_ptr<TLayoutStore> OpenLayoutStore(const TPersistence* Persistence, bool ForWriting);
// One section of an INI file held in memory (read only: writing raises
// EIniFileException).
std::unique_ptr<TLayoutStore> MemLayoutStore(const TMemIniFile* Ini, const String& Section);

// The most toolbars (and so names and rows) a dock panel's store is read
// for; a larger stored count is cut to it.
constexpr int MaxStoredToolBars = 256;
// The most floating rows a stored toolbar comes back with.
constexpr int MaxStoredFloatingRows = 64;

// The ribbon's remembered state: "Minimized" and "ShowQATBelow" in the
// pager's section. Loading answers the stored values, or the defaults
// given when the store holds none (or is not set up).
void SaveRibbonState(const TPersistence* Persistence, bool Minimized, bool ShowQATBelow);
void LoadRibbonState(const TPersistence* Persistence, bool& Minimized, bool& ShowQATBelow);

