// Registers the tests' automation server under the spreadsheet's and the
// word processor's program ids in the test prefix's classes (the platform
// looks them up there, not in the user's own), and reads its record.
#pragma once

#include <windows.h>

#include <string>

class TAutoServer {
 public:
  // Loads the server next to the test executable and registers it.
  TAutoServer();
  // Removes the registration.
  ~TAutoServer();
  void Unregister();
  void Reset();
  std::wstring Log();
  int LiveObjects();
  void SetBlock(const wchar_t* Address, const wchar_t* Cells);
  void FailOn(const wchar_t* Name);
  // Serve the cells given as the block, whatever range is asked for.
  void SetExactBlock(bool On);

 private:
  HMODULE FModule = nullptr;
};
