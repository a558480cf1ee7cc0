// The three ways a toolbar appearance object stores a published value. Each
// macro declares the getter, the setter and the field with its first value,
// and leaves the class in its private part.
#pragma once

// Stored when it differs from the stored value, then Changed(); an equal
// value changes and notifies nothing.
#define TOOLBAR_RULE_PROPERTY(Type, Name, Init) \
 public:                                        \
  Type Name() const { return F##Name; }         \
  void Set##Name(Type Value) {                  \
    if (F##Name == Value) return;               \
    F##Name = Value;                            \
    Changed();                                  \
  }                                             \
                                                \
 private:                                       \
  Type F##Name = Init;

// Stored as given; never notifies.
#define TOOLBAR_PLAIN_PROPERTY(Type, Name, Init) \
 public:                                         \
  Type Name() const { return F##Name; }          \
  void Set##Name(Type Value) { F##Name = Value; } \
                                                 \
 private:                                        \
  Type F##Name = Init;

// Stored as given, then Changed(), also when the value is the same.
#define TOOLBAR_ALWAYS_PROPERTY(Type, Name, Init) \
 public:                                          \
  Type Name() const { return F##Name; }           \
  void Set##Name(Type Value) {                    \
    F##Name = Value;                              \
    Changed();                                    \
  }                                               \
                                                  \
 private:                                         \
  Type F##Name = Init;
