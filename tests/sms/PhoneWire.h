// The phone simulator seen from a test in the lab's desktop namespace: its
// control port, and what reached the phone from the desktop's port.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gui.h"
#include "tools/phone/SimControl.h"

inline TSimControl* Sim() {
  static TSimControl sim;
  return &sim;
}

// The datagrams the phone received from the desktop's port, kept across
// polls (each poll empties the simulator's log).
struct TWire {
  std::vector<std::string> lines;
  static constexpr const char* Desk = "10.77.0.2:43011 ";

  void Poll() {
    bool ok = false;
    std::string log = Sim()->Ask("log", &ok);
    size_t start = 0;
    while (ok && start < log.size()) {
      size_t end = log.find('\n', start);
      if (end == std::string::npos) end = log.size();
      if (end > start) lines.push_back(log.substr(start, end - start));
      start = end + 1;
    }
  }
  // The commands seen so far that start with Prefix.
  std::vector<std::string> From(const std::string& Prefix) {
    Poll();
    std::vector<std::string> r;
    const std::string desk = Desk;
    for (auto& l : lines)
      if (l.rfind(desk + Prefix, 0) == 0) r.push_back(l.substr(desk.size()));
    return r;
  }
  int CountPrefix(const std::string& Prefix) { return static_cast<int>(From(Prefix).size()); }
  // Pumps messages until Command, whole, has reached the phone.
  bool WaitFor(const std::string& Command, DWORD Ms = 20000) {
    return PumpUntil(
        [&] {
          auto seen = From(Command);
          return std::find(seen.begin(), seen.end(), Command) != seen.end();
        },
        Ms);
  }
};
