// Reads or sets the system's menu animation from a process of its own:
//   AnimationProbe          exits with 1 when the animation is on, 0 off
//   AnimationProbe set N    switches it on (N = 1) or off, for everyone
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "set") {
    BOOL on = std::atoi(argv[2]) != 0;
    return SystemParametersInfoW(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<intptr_t>(on)),
                                 SPIF_SENDCHANGE)
               ? 0
               : 3;
  }
  BOOL on = FALSE;
  if (!SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &on, 0)) return 2;
  return on ? 1 : 0;
}
