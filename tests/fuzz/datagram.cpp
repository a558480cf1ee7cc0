// Datagrams of any bytes through the real UDP service and the main window's
// dispatcher, in a lab network: each is sent from a socket of this process
// to the service's address and handled before the next; every 200
// datagrams a probe from a second socket must get its "+GETIP:" answer.
// An exception reported by the dispatcher is a failure too.
#include <winsock2.h>

#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/Program.h"
#include "base/SysUtils.h"
#include "tests/fuzz/Fuzz.h"
#include "tests/support/Gui.h"

namespace {

struct TRig {
  SOCKET Sender = INVALID_SOCKET;
  SOCKET Probe = INVALID_SOCKET;
  sockaddr_in Service{};
  int Handled = 0;
  uint64_t Sent = 0;
  std::string Reported;
};
TRig* gRig = nullptr;

SOCKET BoundSocket() {
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  FuzzCheck(s != INVALID_SOCKET, "no socket");
  int size = 256 * 1024;
  setsockopt(s, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&size), sizeof size);
  setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr = gRig->Service.sin_addr;
  FuzzCheck(bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0, "cannot bind a socket");
  u_long nonBlocking = 1;
  ioctlsocket(s, FIONBIO, &nonBlocking);
  return s;
}

void SetUp() {
  gRig = new TRig;
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  CreateProgramForms();
  FuzzCheck(Form1 != nullptr, "no main window");
  // Shown once, as the program shows them, so that every control has its
  // window and lays out what it gets (the main window hides itself again).
  for (TCustomForm* f : {static_cast<TCustomForm*>(Form1), static_cast<TCustomForm*>(frmNewSMS),
                         static_cast<TCustomForm*>(frmSmsInBox), static_cast<TCustomForm*>(frmSMSOutBox)})
    f->Show();
  PumpFor(300);
  // Only the datagrams drive the dispatcher.
  for (TTimer* t : {Form1->Timer1, Form1->Timer2, Form1->Timer3, Form1->Timer4}) t->SetEnabled(false);
  FuzzCheck(PumpUntil([] { return Form1->Panel1->Color() == ServiceActiveColor; }, 10000),
            "the UDP service did not start");
  Application->OnException = [](TObject*, const Exception& e) { gRig->Reported = WideToAnsi(e.Message()); };
  auto handler = Form1->OvUDPS1->OnGetPacketUDP;
  Form1->OvUDPS1->OnGetPacketUDP = [handler](TObject* Sender, const String& Packet, const String& Hex,
                                             const String& Peer, const String& Port, String& Response) {
    struct TCount {
      ~TCount() { ++gRig->Handled; }
    } count;
    handler(Sender, Packet, Hex, Peer, Port, Response);
  };
  gRig->Service.sin_family = AF_INET;
  gRig->Service.sin_port = htons(43011);
  gRig->Service.sin_addr.s_addr = inet_addr(WideToAnsi(Form1->OvUDPS1->pcIP()).c_str());
  gRig->Sender = BoundSocket();
  gRig->Probe = BoundSocket();
  FuzzAtEnd([] {
    Application->OnException = nullptr;
    Application->DestroyComponents();
    Application->ResetMainForm();
    closesocket(gRig->Sender);
    closesocket(gRig->Probe);
    WSACleanup();
    delete gRig;
    gRig = nullptr;
  });
}

// The service answers "AT+GETIP" on the probe socket within five seconds.
void CheckAlive() {
  char drop[256];
  while (recv(gRig->Probe, drop, sizeof drop, 0) > 0) {
  }
  const char probe[] = "AT+GETIP";
  sendto(gRig->Probe, probe, sizeof probe - 1, 0, reinterpret_cast<sockaddr*>(&gRig->Service), sizeof gRig->Service);
  std::string answer;
  bool answered = PumpUntil(
      [&] {
        char buffer[512];
        int got = recv(gRig->Probe, buffer, sizeof buffer, 0);
        if (got > 0) answer.assign(buffer, got);
        return answer.rfind("+GETIP:", 0) == 0;
      },
      5000);
  FuzzCheck(answered, "the service no longer answers AT+GETIP");
}

}  // namespace

void FuzzOne(const uint8_t* Data, size_t Size) {
  if (!gRig) {
    SetUp();
    CheckAlive();
  }
  int before = gRig->Handled;
  int sent = sendto(gRig->Sender, reinterpret_cast<const char*>(Data), static_cast<int>(Size), 0,
                    reinterpret_cast<sockaddr*>(&gRig->Service), sizeof gRig->Service);
  FuzzCheck(sent == static_cast<int>(Size), "the datagram could not be sent");
  // An empty datagram reaches nobody; anything else reaches the dispatcher.
  if (Size > 0)
    FuzzCheck(PumpUntil([&] { return gRig->Handled > before; }, 20000), "the datagram was not handled");
  char drop[2048];
  while (recv(gRig->Sender, drop, sizeof drop, 0) > 0) {
  }
  FuzzCheck(gRig->Reported.empty(), "the dispatcher reported an error: " + gRig->Reported);
  if (++gRig->Sent % 200 == 0 || Size == 0) CheckAlive();
}
