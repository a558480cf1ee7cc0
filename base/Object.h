// The object model: objects that end through Free(), persistent objects that
// copy themselves, and components that own each other, tell each other when
// they are inserted or freed, and load their stored properties in a bracket.
#pragma once

#include <utility>
#include <vector>

#include "base/SysUtils.h"
#include "base/Types.h"

// Declares the class's own name; ClassName() returns exactly this text.
#define VANTREL_CLASS(Name)                                                   \
 public:                                                                      \
  static const wchar_t* StaticClassName() { return L## #Name; }               \
  String ClassName() const override { return StaticClassName(); }

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const wchar_t* StaticClassName() { return L"TObject"; }
  virtual String ClassName() const { return StaticClassName(); }

  // Ends the object: BeforeDestruction, the Destroy chain (most-derived
  // class first, the whole object still alive), then the memory. When
  // Destroy raises, the memory is released all the same and the exception
  // passed on.
  void Free();

  // Message dispatch: classes that handle messages override Dispatch and pass
  // what they do not handle to their base; the root hands it to
  // DefaultHandler.
  virtual void Dispatch(TMessage& Message) { DefaultHandler(Message); }
  virtual void DefaultHandler(TMessage& Message) {}

  // Runs once the most-derived constructor has finished, when the object is
  // made through New<T>(...). Work that must see the whole object (starting a
  // thread) goes here, never into a base constructor.
  virtual void AfterConstruction() {}

 protected:
  virtual void BeforeDestruction() {}
  // Cleanup that needs the whole object (unhooking, notifying, freeing owned
  // objects). Overrides call their base last.
  virtual void Destroy() {}
};

// Makes a T and calls its AfterConstruction; when that throws, the object is
// freed and the exception passed on.
template <class T, class... Args>
T* New(Args&&... args) {
  T* p = new T(std::forward<Args>(args)...);
  try {
    p->AfterConstruction();
  } catch (...) {
    static_cast<TObject*>(p)->Free();
    throw;
  }
  return p;
}

// An owned member: frees its object through Free when it is replaced or
// goes out of scope, and reads as a plain pointer meanwhile.
template <class T>
class TOwned {
 public:
  TOwned() = default;
  explicit TOwned(T* p) : FPtr(p) {}
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  ~TOwned() { Reset(); }
  TOwned& operator=(T* p) {
    Reset(p);
    return *this;
  }
  operator T*() const { return FPtr; }
  T* operator->() const { return FPtr; }
  T* Get() const { return FPtr; }
  void Reset(T* p = nullptr) {
    T* old = FPtr;
    FPtr = p;
    if (old && old != p) static_cast<TObject*>(old)->Free();
  }

 private:
  T* FPtr = nullptr;
};

// Where an exception that cannot be passed on is reported: one raised while
// a destructor cleans up after a failed constructor. The GUI layer points it
// at the application's handler; without one it is dropped.
extern void (*ReportLostException)(TObject* Sender);

template <class T>
inline void FreeAndNil(T*& p) {
  T* q = p;
  p = nullptr;
  if (q) static_cast<TObject*>(q)->Free();
}

inline void FreeObject(TObject* p) {
  if (p) p->Free();
}

template <class T>
inline T* As(TObject* o) { return dynamic_cast<T*>(o); }
template <class T>
inline bool Is(const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; }
// Asks an object for an interface (an abstract class it implements);
// nothing is reference-counted.
template <class I>
inline bool Supports(TObject* o, I*& out) {
  out = dynamic_cast<I*>(o);
  return out != nullptr;
}

class TPersistent : public TObject {
  VANTREL_CLASS(TPersistent)
 public:
  // Copies Source into this object: the default asks Source to AssignTo it,
  // which raises EConvertError when nobody knows how.
  virtual void Assign(TPersistent* Source);
  virtual TPersistent* GetOwner() { return nullptr; }

 protected:
  virtual void AssignTo(TPersistent* Dest);
  void AssignError(TPersistent* Source);
};

enum class TComponentStateItem {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating,
  csFixups, csFreeNotification, csInline, csDesignInstance
};
using TComponentState = Set<TComponentStateItem>;

enum class TComponentStyleItem { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = Set<TComponentStyleItem>;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  VANTREL_CLASS(TComponent)
 public:
  explicit TComponent(TComponent* AOwner);

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  int ComponentIndex() const;
  TComponent* FindComponent(const String& AName) const;

  const String& Name() const { return FName; }
  virtual void SetName(const String& NewName);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t Value) { FTag = Value; }

  TComponentState ComponentState() const { return FComponentState; }
  bool IsLoading() const { return FComponentState.Contains(TComponentStateItem::csLoading); }
  bool IsDestroying() const { return FComponentState.Contains(TComponentStateItem::csDestroying); }
  bool IsDesigning() const { return FComponentState.Contains(TComponentStateItem::csDesigning); }
  TComponentStyle ComponentStyle() const { return FComponentStyle; }
  void SetSubComponent(bool IsSubComponent);
  // Tests use this to reach the design-time branches; the product never sets it.
  void SetDesigning(bool Value, bool SetChildren = true);

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  // Links this component and AComponent: whichever is freed first tells the
  // other through Notification(..., opRemove).
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // The loading bracket of a form or frame built in code: between the two
  // calls, this component and every component it creates are csLoading and
  // csReading; EndLoading calls Loaded on this component, then on the others
  // in creation order.
  void BeginLoading();
  virtual void EndLoading();

  TPersistent* GetOwner() override { return FOwner; }

  // Called when a component is inserted into or removed from the owner, or a
  // free-notification partner is freed. The default passes it on to every
  // owned component.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Called once the stored properties are in; clears csLoading.
  virtual void Loaded();

 protected:
  // Only memory goes here; the work of ending is Destroy's. A component whose
  // constructor failed runs TComponent's part of Destroy here: it frees what
  // it owns, leaves its owner and partners, and ends its loading bracket.
  ~TComponent() override;
  // For destructors of classes whose Destroy does lifetime work: when the
  // Destroy chain never ran (a constructor failed, or a Destroy override
  // raised), runs ClassDestroy, which calls the class's own Destroy
  // qualified, e.g. [this] { TWinControl::Destroy(); }. What it raises goes
  // to ReportLostException: a destructor never throws.
  template <class F>
  void DestroyFromDestructor(F&& ClassDestroy) noexcept {
    if (FDestroyRan) return;
    try {
      ClassDestroy();
    } catch (...) {
      ReportDestructorException();
    }
  }
  // True once Destroy has reached TComponent.
  bool DestroyRan() const { return FDestroyRan; }
  void BeforeDestruction() override;
  void Destroy() override;
  void SetComponentStateItem(TComponentStateItem Item, bool On);
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void ReportDestructorException() noexcept;

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  String FName;
  intptr_t FTag = 0;
  TComponentState FComponentState;
  TComponentStyle FComponentStyle{TComponentStyleItem::csInheritable};
  std::vector<TComponent*> FLoading;  // components created inside this one's loading bracket
  TComponent* FPrevLoadingRoot = nullptr;
  bool FDestroyRan = false;
};

bool IsValidIdent(const String& Ident);
