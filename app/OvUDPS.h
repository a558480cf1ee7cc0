// The UDP service: one worker thread receives datagrams on a local address
// and port, hands each one to the GUI thread through OnGetPacketUDP, sends the
// handler's reply back to the sender, and sends the application's datagrams
// from a queue, one per pass. It also tells the machine's addresses, host
// name and hardware address, and stops its worker when its owner form closes.
#pragma once

#include <iphlpapi.h>
#include <nb30.h>

#include <atomic>
#include <functional>
#include <vector>

#include "base/Forms.h"
#include "base/Lists.h"
#include "base/Threads.h"

class TUDPBlockSocket;
class TUDPThread;
class TUDPClientThread;

using TOnGetPacketUDP = std::function<void(TObject* Sender, const String& PacketUDP, const String& PacketUDPHex,
                                           const String& PeerIP, const String& PeerPort, String& Response)>;
using TOnUDPStatus = std::function<void(TObject* Sender, bool Active, int Error, const String& ErrorDesc)>;

// The adapter query; replaceable so that tests can play any machine.
using TGetAdaptersInfoFunc = ULONG (*)(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer);
extern TGetAdaptersInfoFunc GetAdaptersInfoSeam;
// The NetBIOS call, replaceable in the same way.
using TNetbiosFunc = UCHAR (*)(PNCB Ncb);
extern TNetbiosFunc NetbiosSeam;

// Lists the adapters into List: their hardware addresses ("00-1A-..."), or
// their first IPv4 addresses, or eight descriptive lines each; adapters
// without a gateway only when WithoutGateway. A failed query leaves one line
// that says why.
void GetAdapterList(TStrings* List, bool WithoutGateway, bool Addresses, bool HardwareAddresses);
// The first adapter's hardware address as NetBIOS reports it (twelve
// upper-case hexadecimal digits), or "".
String GetMacNetBios();
// "HEX(<count>) " and every byte as two upper-case hexadecimal digits.
AnsiString HexDump(const AnsiString& Data);
// The bytes a line-end setting stands for: "CRLF", "CR" (any case), any
// other text itself, "" nothing.
AnsiString LineEndBytes(const String& Setting);

// Start-up and finalisation of the unit: the lock of the send queues.
void InitOvUDPSUnit();
void FiniOvUDPSUnit();
TCriticalSection* UDPQueueLock();

class TOvUDPS : public TComponent {
  VANTREL_CLASS(TOvUDPS)
 public:
  explicit TOvUDPS(TComponent* AOwner);

  bool UDPActive() const { return FUDPActive; }
  void SetUDPActive(bool Value);
  bool UTF8() const { return FUTF8; }
  void SetUTF8(bool Value) { FUTF8 = Value; }
  const String& UDPRxPort() const { return FUDPRxPort; }
  void SetUDPRxPort(const String& Value) { FUDPRxPort = Value; }
  const String& UDPTxPort() const { return FUDPTxPort; }
  void SetUDPTxPort(const String& Value) { FUDPTxPort = Value; }
  const String& pcIP() const { return FpcIP; }
  void SetpcIP(const String& Value) { FpcIP = Value; }
  TStrings* pcIPs() { return FpcIPs; }
  // Any value re-lists the adapters.
  void SetpcIPs(TStrings* Value);
  const String& pcName() const { return FpcName; }
  // Any value re-reads the host name.
  void SetpcName(const String& Value);
  // The NetBIOS hardware address, read at the first call.
  const String& pcMAC() const;
  // Any value re-reads the hardware address of the first adapter that has
  // a gateway.
  void SetpcMAC(const String& Value);
  const String& UDPLocalIP() const { return FUDPLocalIP; }
  void SetUDPLocalIP(const String& Value) { FUDPLocalIP = Value; }
  bool UDPBroadcast() const { return FUDPBroadcast; }
  void SetUDPBroadcast(bool Value) { FUDPBroadcast = Value; }
  const String& UDPLineEndTx() const { return FUDPLineEndTx; }
  void SetUDPLineEndTx(const String& Value) { FUDPLineEndTx = Value; }
  const String& UDPLineEndRx() const { return FUDPLineEndRx; }
  void SetUDPLineEndRx(const String& Value) { FUDPLineEndRx = Value; }
  int UDPRxTimeout() const { return FUDPRxTimeout; }
  void SetUDPRxTimeout(int Value) { FUDPRxTimeout = Value; }
  String Version() const { return L"1.5"; }
  void SetVersion(const String&) {}

  // The last socket error of the worker and its description.
  int UDPError() const { return FUDPError; }
  const String& UDPErrorDesc() const { return FUDPErrorDesc; }
  // The worker now running, or nullptr.
  TUDPThread* UDPThread() const { return FUDPThread; }

  // Queues one datagram for the worker; dropped when no worker runs.
  void UDPServerSendTo(const String& ip, const String& port, const AnsiString& data);
  // Sends from a one-shot thread of its own and reports answers through
  // OnGetPacketUDP.
  void UDPClientSendTo(const String& sIP, const String& sPort, const String& AData);

  AnsiString ConvertUTF8toWin1250(const AnsiString& Value);
  AnsiString ConvertWin1250toUTF8(const AnsiString& Value);
  void RefreshPcIP();

  // How many passes of 1 ms (messages handled in between) a stop waits for
  // the worker to end.
  static int StopWaitPasses;

  TOnGetPacketUDP OnGetPacketUDP;
  TOnUDPStatus OnUDPStatus;

  void Loaded() override;
  // The addresses (pcIPs) and the address of the first adapter with a
  // gateway (pcIP), from one read of the adapter table.
  void ListAddresses();

 protected:
  void Destroy() override;
  virtual void DoUDPStatus();
  virtual void DoGetPacketUDP();
  virtual void DoGetPacketUDPClient();

 private:
  friend class TUDPThread;
  friend class TUDPClientThread;

  void HookOwnerForm();
  void UnhookOwnerForm();
  void OwnerFormClose(TObject* Sender, TCloseAction& Action);
  void UDPThreadTerminated(TObject* Sender);
  // Tells the worker to stop and waits the bounded time; a worker that is
  // still running then is cut loose so that it touches this service no more.
  void StopWorker();

  std::atomic<bool> FUDPActive{false};
  bool FUTF8 = false;
  String FUDPRxPort = L"0";
  String FUDPTxPort = L"0";
  String FpcIP;
  TStringList* FpcIPs;
  String FpcName;
  mutable String FpcMAC;
  mutable bool FpcMACRead = false;
  String FUDPLocalIP = L"127.0.0.1";
  bool FUDPBroadcast = false;
  String FUDPLineEndTx;
  String FUDPLineEndRx;
  int FUDPRxTimeout = 100;

  int FUDPError = 0;
  String FUDPErrorDesc;
  String FPacketUDP, FPacketUDPHex, FPeerIP, FPeerPort, FUdpResponse;
  String FCLPacketUDP, FCLPeerIP, FCLPeerPort, FCLUdpResponse;
  TUDPThread* FUDPThread = nullptr;
  std::vector<TUDPClientThread*> FClientThreads;
  TCloseEvent FSavedOnFormClose;
  bool FHooked = false;
};

// One queued datagram.
class TmyData : public TObject {
  VANTREL_CLASS(TmyData)
 public:
  TmyData(const String& ip, const AnsiString& str, const String& port) : Mstr(str), Mip(ip), mPort(port) {}
  AnsiString Mstr;
  String Mip;
  String mPort;
};

// The worker of a running service.
class TUDPThread : public TThread {
  VANTREL_CLASS(TUDPThread)
 public:
  TUDPThread(bool CreateSuspended, TOvUDPS* Parent);

  // Queues a datagram (GUI thread).
  void UdpSrvSendTo(const String& ip, const String& port, const AnsiString& data);
  // Tells the loop to end at the top of its next pass.
  void Stop() { F_STOP = true; }
  // Cuts the worker loose from its service (GUI thread): from now on it only
  // ends.
  void Detach();
  // How many datagrams wait in the queue.
  int QueueCount();

  bool FUDPThrBroadcast = false;
  String FUDPLocalHostIP;
  String FUDPLocalPort;

 protected:
  ~TUDPThread() override;
  void Execute() override;
  void DoTerminate() override;

 private:
  // The service's settings that one pass uses, read under the queue lock;
  // false when the worker has been cut loose.
  struct TPassSettings {
    AnsiString LineEndRx, LineEndTx;
    int RxTimeout = 1;
    bool UTF8 = false;
    bool Broadcast = false;
    bool LineMode = false;  // CR or CR LF: lines, whatever ends them
  };
  bool ReadSettings(TPassSettings& S);
  // Handles one datagram: Received (taken over) when the loop received it
  // already, else received here after a wait found the socket readable.
  void ReceiveOne(const TPassSettings& S, AnsiString* Received);
  void SendQueued(const TPassSettings& S);

  TUDPBlockSocket* FUDPSrvSock;
  TOvUDPS* FOvUDPS;  // nullptr once cut loose; changed under the queue lock
  AnsiString FUDPData;
  String FUDPPeerIP;
  std::atomic<bool> F_STOP{false};
  TStringList* FUDPSendList;
};

// A one-shot sender that reports the answers it gets within a second.
class TUDPClientThread : public TThread {
  VANTREL_CLASS(TUDPClientThread)
 public:
  TUDPClientThread(bool CreateSuspended, TOvUDPS* Parent);
  // Cuts the thread loose from its service (GUI thread).
  void Detach() { FOvUDPS = nullptr; }
  String FRemoteIP;
  String FRemotePort;
  AnsiString FData;

 protected:
  void Execute() override;
  void DoTerminate() override;

 private:
  TOvUDPS* FOvUDPS;  // read and changed on the GUI thread only
};
