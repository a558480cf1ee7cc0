// Blocking sockets over Windows Sockets: the base class with its option
// queue, errors and status reports, sending and receiving of packets,
// lines, blocks and streams, the SOCKS client, datagram and UDP sockets and
// the TCP socket with its HTTP tunnel and SSL plug-in interface.
//
// Failures never raise unless RaiseExcept is set: each operation leaves its
// outcome in LastError and LastErrorDesc. Host and port arguments are
// UTF-16 texts (a port may name a service); wire data are byte strings.
// Time-outs are milliseconds, -1 waits without limit. A socket belongs to
// one thread at a time; only StopFlag may be set from another one.
// Sockets end through Free().
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/Object.h"
#include "net/sockapi.h"

class TList;
class TStream;
class TStrings;

enum class TSocketFamily { SF_Any, SF_IP4, SF_IP6 };
// 0 (AF_UNSPEC), 2 (AF_INET) or 23 (AF_INET6).
int AddressFamilyOf(TSocketFamily Family);

enum class THookSocketReason {
  HR_ResolvingBegin, HR_ResolvingEnd, HR_SocketCreate, HR_SocketClose, HR_Bind, HR_Connect, HR_CanRead,
  HR_CanWrite, HR_Listen, HR_Accept, HR_ReadCount, HR_WriteCount, HR_Wait, HR_Error
};

enum class TSynaOptionType {
  SOT_Linger, SOT_RecvBuff, SOT_SendBuff, SOT_NonBlock, SOT_RecvTimeout, SOT_SendTimeout, SOT_Reuse, SOT_TTL,
  SOT_Broadcast, SOT_MulticastTTL, SOT_MulticastLoop
};

// One socket option, waiting for the handle or applied at once.
class TSynaOption : public TObject {
  VANTREL_CLASS(TSynaOption)
 public:
  TSynaOptionType Option = TSynaOptionType::SOT_Linger;
  bool Enabled = false;
  int32_t Value = 0;
};

using THookSocketStatus = std::function<void(TObject* Sender, THookSocketReason Reason, const String& Value)>;
using THookDataFilter = std::function<void(TObject* Sender, AnsiString& Value)>;
using THookCreateSocket = std::function<void(TObject* Sender)>;
using THookMonitor = std::function<void(TObject* Sender, bool Writing, const void* Buffer, int Len)>;
using THookHeartbeat = std::function<void(TObject* Sender)>;

class TBlockSocket : public TObject {
  VANTREL_CLASS(TBlockSocket)
 public:
  // Stub is not used. Windows Sockets was started by the unit start-up.
  explicit TBlockSocket(const String& Stub = String());

  THookSocketStatus OnStatus;
  THookDataFilter OnReadFilter;
  THookCreateSocket OnCreateSocket;
  THookMonitor OnMonitor;
  THookHeartbeat OnHeartbeat;

  // --- Life cycle
  // Creates the handle now when Family is fixed; with SF_Any the first Bind
  // or Connect creates it for the family the address resolves to.
  void CreateSocket();
  void CreateSocketByName(const String& Value);
  virtual void CloseSocket();
  virtual void AbortSocket();
  void Bind(const String& IP, const String& Port);
  virtual void Connect(const String& IP, const String& Port);
  virtual void Listen();
  // The accepted handle (INVALID_SOCKET on failure); adopt it with another
  // socket's SetSocket.
  virtual TSocket Accept();

  // --- Sending
  virtual int SendBuffer(const void* Buffer, int Length);
  virtual void SendByte(uint8_t Data);
  virtual void SendString(const AnsiString& Data);
  virtual void SendInteger(int32_t Data);
  virtual void SendBlock(const AnsiString& Data);
  virtual void SendStreamRaw(TStream* Stream);
  virtual void SendStream(TStream* Stream);
  virtual void SendStreamIndy(TStream* Stream);

  // --- Receiving
  virtual int RecvBuffer(void* Buffer, int Length);
  virtual int RecvBufferEx(void* Buffer, int Length, int Timeout);
  virtual AnsiString RecvBufferStr(int Length, int Timeout);
  virtual uint8_t RecvByte(int Timeout);
  virtual int32_t RecvInteger(int Timeout);
  virtual AnsiString RecvString(int Timeout);
  virtual AnsiString RecvTerminated(int Timeout, const AnsiString& Terminator);
  virtual AnsiString RecvPacket(int Timeout);
  virtual AnsiString RecvBlock(int Timeout);
  virtual void RecvStreamRaw(TStream* Stream, int Timeout);
  void RecvStreamSize(TStream* Stream, int Timeout, int Size);
  virtual void RecvStream(TStream* Stream, int Timeout);
  virtual void RecvStreamIndy(TStream* Stream, int Timeout);
  virtual int PeekBuffer(void* Buffer, int Length);
  virtual uint8_t PeekByte(int Timeout);
  virtual int WaitingData();
  int WaitingDataEx();
  // Discards what is pending, at most PurgeLimit bytes, so that a peer that
  // keeps sending cannot hold the caller.
  void Purge();
  static constexpr int PurgeLimit = 1 << 20;

  // --- Readiness
  virtual bool CanRead(int Timeout);
  virtual bool CanReadEx(int Timeout);
  virtual bool CanWrite(int Timeout);
  // One select() over the TBlockSocket items of SocketList (TObject*
  // pointers); CanReadList receives the readable ones in list order.
  bool GroupCanRead(TList* SocketList, int Timeout, TList* CanReadList);

  // --- Datagrams to and from the remote address
  virtual int SendBufferTo(const void* Buffer, int Length);
  virtual int RecvBufferFrom(void* Buffer, int Length);

  // --- Options (queued until the handle exists)
  void SetLinger(bool Enable, int Linger);
  int SizeRecvBuffer();
  void SetSizeRecvBuffer(int Size);
  int SizeSendBuffer();
  void SetSizeSendBuffer(int Size);
  bool NonBlockMode() const { return FNonBlockMode; }
  void SetNonBlockMode(bool Value);
  void SetRecvTimeout(int Timeout);
  void SetSendTimeout(int Timeout);
  void SetTimeout(int Timeout);
  void EnableReuse(bool Value);
  int TTL();
  void SetTTL(int TTL);

  // --- Addresses and names
  virtual String GetLocalSinIP();
  virtual String GetRemoteSinIP();
  virtual int GetLocalSinPort();
  virtual int GetRemoteSinPort();
  void GetSinLocal();
  void GetSinRemote();
  void GetSins();
  void SetRemoteSin(const String& IP, const String& Port);
  String LocalName();
  void ResolveNameToIP(const String& Name, TStrings* IPList);
  String ResolveName(const String& Name);
  uint16_t ResolvePort(const String& Port);
  String ResolveIPToName(const String& IP);

  // --- Errors
  void ResetLastError();
  virtual int SockCheck(int SockResult);
  void ExceptCheck();
  static String GetErrorDesc(int ErrorCode);
  virtual String GetErrorDescEx();

  virtual int GetSocketType() { return 0; }
  virtual int GetSocketProtocol() { return 0; }

  // --- Properties
  int32_t Tag() const { return FTag; }
  void SetTag(int32_t Value) { FTag = Value; }
  bool RaiseExcept() const { return FRaiseExcept; }
  void SetRaiseExcept(bool Value) { FRaiseExcept = Value; }
  int MaxLineLength() const { return FMaxLineLength; }
  void SetMaxLineLength(int Value) { FMaxLineLength = Value; }
  int MaxSendBandwidth() const { return FMaxSendBandwidth; }
  void SetMaxSendBandwidth(int Value) { FMaxSendBandwidth = Value; }
  int MaxRecvBandwidth() const { return FMaxRecvBandwidth; }
  void SetMaxRecvBandwidth(int Value) { FMaxRecvBandwidth = Value; }
  void SetMaxBandwidth(int Value) { FMaxSendBandwidth = FMaxRecvBandwidth = Value; }
  bool ConvertLineEnd() const { return FConvertLineEnd; }
  void SetConvertLineEnd(bool Value) { FConvertLineEnd = Value; }
  TSocketFamily Family() const { return FFamily; }
  virtual void SetFamily(TSocketFamily Value);
  bool PreferIP4() const { return FPreferIP4; }
  void SetPreferIP4(bool Value) { FPreferIP4 = Value; }
  bool InterPacketTimeout() const { return FInterPacketTimeout; }
  void SetInterPacketTimeout(bool Value) { FInterPacketTimeout = Value; }
  int SendMaxChunk() const { return FSendMaxChunk; }
  void SetSendMaxChunk(int Value) { FSendMaxChunk = Value; }
  bool StopFlag() const { return FStopFlag; }
  void SetStopFlag(bool Value) { FStopFlag = Value; }
  int NonblockSendTimeout() const { return FNonblockSendTimeout; }
  void SetNonblockSendTimeout(int Value) { FNonblockSendTimeout = Value; }
  int ConnectionTimeout() const { return FConnectionTimeout; }
  void SetConnectionTimeout(int Value) { FConnectionTimeout = Value; }
  int HeartbeatRate() const { return FHeartbeatRate; }
  void SetHeartbeatRate(int Value) { FHeartbeatRate = Value; }
  TObject* Owner() const { return FOwner; }
  void SetOwner(TObject* Value) { FOwner = Value; }

  TWSAData WSAData() const;
  const TFDSet& FDset() const { return FFDSet; }
  const TVarSin& LocalSin() const { return FLocalSin; }
  const TVarSin& RemoteSin() const { return FRemoteSin; }
  TSocket Socket() const { return FSocket; }
  // Adopts a handle, for example one that another socket's Accept gave.
  virtual void SetSocket(TSocket Value);
  int LastError() const { return FLastError; }
  const String& LastErrorDesc() const { return FLastErrorDesc; }
  const AnsiString& LineBuffer() const { return FBuffer; }
  void SetLineBuffer(const AnsiString& Value) { FBuffer = Value; }
  bool IP6used() const { return FIP6used; }
  int RecvCounter() const { return FRecvCounter; }
  int SendCounter() const { return FSendCounter; }

 protected:
  ~TBlockSocket() override;
  // Closes the handle (through the virtual CloseSocket) and drops the
  // options still queued.
  void Destroy() override;

  void ReportStatus(THookSocketReason Reason, const String& Value);
  void DoHeartbeat();
  void DoMonitor(bool Writing, const void* Buffer, int Length);
  // Sets the error code (and its description) directly.
  void SetErrorCode(int Code);
  // Heartbeat, then the stop request: true (error 10053) when stopped.
  bool CheckStopFlag();
  void ThrottleBandwidth(int Length, int Limit, uint32_t& NextTick);
  // Lets OnReadFilter rewrite received bytes; returns the new count.
  int ApplyReadFilter(void* Buffer, int Count);
  virtual bool WaitReadable(int Timeout);
  // True when RecvBuffer is the platform's own stream receive (no plug-in
  // between the handle and the caller).
  virtual bool PlatformStreamReceive() { return GetSocketType() == SOCK_STREAM; }
  virtual void SendStreamInternal(TStream* Stream, bool WithSize, bool NetworkOrder);

  void QueueOption(TSynaOption* Option);
  void ApplyQueuedOptions();
  void ApplyOption(TSynaOption* Option);
  void DiscardQueuedOptions();
  int FillSin(TVarSin& Sin, const String& IP, const String& Port);
  void CreateSocketForSin(const TVarSin& Sin);
  void SetSocketOptionInt(int Level, int Option, int Value);

  TVarSin FLocalSin{};
  TVarSin FRemoteSin{};
  // The error of the last SetRemoteSin: a datagram for a destination that
  // did not resolve is not sent.
  int FRemoteSinError = 0;
  AnsiString FBuffer;
  bool FLastCR = false;
  bool FLastLF = false;
  bool FBinded = false;
  TSocketFamily FFamily = TSocketFamily::SF_Any;
  TSocketFamily FFamilySave = TSocketFamily::SF_Any;
  bool FIP6used = false;
  TSocket FSocket = INVALID_SOCKET;
  int FLastError = 0;
  String FLastErrorDesc;
  int FRecvCounter = 0;
  int FSendCounter = 0;
  // Bytes of a stream handle that the platform is known to hold: the last
  // count asked for, less what was received since.
  int64_t FKnownPending = 0;
  // The last WaitingData was the platform's count of a stream handle that
  // RecvBuffer reads directly; a class whose RecvBuffer reads another way
  // clears it, so that a receive after a wait goes through RecvBuffer.
  bool FPlatformCount = false;
  // The last CanRead found the handle readable and nothing was received
  // since: a datagram (or its error) waits to be taken.
  bool FReadableDatagram = false;
  // A datagram receive whose wait the handle's receive time-out bounds is
  // under way (RecvPacket): the time-out is not put back for it.
  bool FDirectDatagram = false;
  uint32_t FNextSend = 0;
  uint32_t FNextRecv = 0;
  std::atomic<bool> FStopFlag{false};

 private:
  bool WaitConnected(int Timeout);
  // One packet of up to Count bytes: through RecvBuffer, or, on a stream
  // socket just found Readable, by the platform's receive alone.
  AnsiString ReceivePacket(int Count, bool Readable);
  // What RecvBuffer does with Count bytes received into Buffer: counters,
  // report, monitor and read filter; returns the count handed on.
  int TakeReceived(void* Buffer, int Count);
  // Keeps the room of a packet that was handed out and is done with, for
  // the next ReceivePacket.
  void KeepPacketRoom(AnsiString& Packet);
  // Nobody (line buffer, limit, heartbeat, stop request, status hook)
  // needs serving between a wait for readability and the receive after it,
  // and the handle can bound the wait by Timeout itself.
  bool NothingBetweenWaitAndReceive(int Timeout);
  // Whether RecvBufferEx may take its next packet by ReceiveDirect: a
  // blocking stream handle with nothing in the line buffer and nobody
  // (limit, heartbeat, hook) to serve between the wait and the receive.
  bool CanReceiveDirect(int Timeout);
  // The next packet, by one platform receive whose wait the handle bounds
  // by Timeout: up to Room bytes into Buffer, the rest of a packet (up to
  // 65536 bytes in all) into the line buffer. Errors as RecvPacket's.
  int ReceiveDirect(void* Buffer, int Room, int Timeout);
  // The handle's receive time-out: Value (0 waits without limit) for a
  // direct receive, or back to what SetRecvTimeout asked for.
  void SetHandleRecvWait(int Value);
  void RestoreHandleRecvWait();

  int32_t FTag = 0;
  bool FRaiseExcept = false;
  bool FNonBlockMode = false;
  int FMaxLineLength = 0;
  int FMaxSendBandwidth = 0;
  int FMaxRecvBandwidth = 0;
  bool FConvertLineEnd = false;
  bool FPreferIP4 = true;
  std::vector<TSynaOption*> FDelayedOptions;  // owned, in the order set
  bool FInterPacketTimeout = true;
  TFDSet FFDSet{};
  int FSendMaxChunk = 65536;
  int FNonblockSendTimeout = 15000;
  int FHeartbeatRate = 0;
  int FConnectionTimeout = 0;
  TObject* FOwner = nullptr;
  // Room for the next received packet (see ReceivePacket).
  AnsiString FSparePacket;
  // The receive time-out that SetRecvTimeout gave the handle, and the one a
  // direct receive gave it instead (kOptionRecvWait: none, the handle has
  // the option's).
  static constexpr int kOptionRecvWait = -2;
  int FRecvTimeoutOption = 0;
  int FHandleRecvWait = kOptionRecvWait;
};

enum class TSocksType { ST_Socks5, ST_Socks4 };

// A socket that can pass through a SOCKS 5 (with user name and password) or
// SOCKS 4/4a proxy. Nothing of SOCKS is active while SocksIP is empty.
class TSocksBlockSocket : public TBlockSocket {
  VANTREL_CLASS(TSocksBlockSocket)
 public:
  explicit TSocksBlockSocket(const String& Stub = String());

  // The greeting (and authentication) on the connection to the proxy.
  bool SocksOpen();
  // One request (01 CONNECT, 02 BIND, 03 UDP ASSOCIATE) for IP and Port.
  bool SocksRequest(uint8_t Command, const String& IP, const String& Port);
  // Reads and checks one reply; its address lands in the response fields.
  bool SocksResponse();
  // The bytes of a request after the command byte. A host name longer than
  // 255 bytes cannot be encoded: empty, with the error WSAENAMETOOLONG.
  AnsiString EncodeSocksAddress(const String& IP, const String& Port);
  // Reads the address and port of a reply or relay header into the
  // response fields; the position of the first byte after the port, or 0
  // (too short for its kind) or 5 (a truncated or unknown address).
  int DecodeSocksAddress(const AnsiString& Value);

  const String& SocksIP() const { return FSocksIP; }
  void SetSocksIP(const String& Value) { FSocksIP = Value; }
  const String& SocksPort() const { return FSocksPort; }
  void SetSocksPort(const String& Value) { FSocksPort = Value; }
  const String& SocksUsername() const { return FSocksUsername; }
  void SetSocksUsername(const String& Value) { FSocksUsername = Value; }
  const String& SocksPassword() const { return FSocksPassword; }
  void SetSocksPassword(const String& Value) { FSocksPassword = Value; }
  int SocksTimeout() const { return FSocksTimeout; }
  void SetSocksTimeout(int Value) { FSocksTimeout = Value; }
  bool SocksResolver() const { return FSocksResolver; }
  void SetSocksResolver(bool Value) { FSocksResolver = Value; }
  TSocksType SocksType() const { return FSocksType; }
  void SetSocksType(TSocksType Value) { FSocksType = Value; }
  bool UsingSocks() const { return FUsingSocks; }
  int SocksLastError() const { return FSocksLastError; }
  const String& SocksResponseIP() const { return FSocksResponseIP; }
  const String& SocksResponsePort() const { return FSocksResponsePort; }

 protected:
  // The version 5 address field and port, whatever SocksType says (the
  // header of relayed datagrams has this form).
  AnsiString EncodeSocks5Address(const String& IP, const String& Port);
  int DecodeSocks5Address(const AnsiString& Value);
  int DecodeSocks4Address(const AnsiString& Value);

  String FSocksIP;
  String FSocksPort = L"1080";
  int FSocksTimeout = 60000;
  String FSocksUsername;
  String FSocksPassword;
  bool FUsingSocks = false;
  bool FSocksResolver = true;
  int FSocksLastError = 0;
  String FSocksResponseIP;
  String FSocksResponsePort;
  String FSocksLocalIP;
  String FSocksLocalPort;
  String FSocksRemoteIP;
  String FSocksRemotePort;
  bool FBypassFlag = false;
  TSocksType FSocksType = TSocksType::ST_Socks5;
};

// A connectionless socket: Connect only fixes the destination, every send
// is one datagram to the remote address and every receive takes one
// datagram and makes its sender the remote address.
class TDgramBlockSocket : public TSocksBlockSocket {
  VANTREL_CLASS(TDgramBlockSocket)
 public:
  using TSocksBlockSocket::TSocksBlockSocket;
  void Connect(const String& IP, const String& Port) override;
  int SendBuffer(const void* Buffer, int Length) override;
  int RecvBuffer(void* Buffer, int Length) override;
};

class TTCPBlockSocket;

// The UDP socket: broadcast, multicast and relaying through a SOCKS 5
// proxy.
class TUDPBlockSocket : public TDgramBlockSocket {
  VANTREL_CLASS(TUDPBlockSocket)
 public:
  using TDgramBlockSocket::TDgramBlockSocket;

  void EnableBroadcast(bool Value);
  int MulticastTTL();
  void SetMulticastTTL(int Value);
  void EnableMulticastLoop(bool Value);
  // Joins or leaves a group (an IPv4 or IPv6 text; an IPv6 zone names the
  // interface). Needs a handle.
  void AddMulticast(const String& MCastIP);
  void DropMulticast(const String& MCastIP);
  int SendBufferTo(const void* Buffer, int Length) override;
  int RecvBufferFrom(void* Buffer, int Length) override;
  int GetSocketType() override { return 2; }
  int GetSocketProtocol() override { return 17; }

 protected:
  void Destroy() override;
  bool OpenSocksUdpAssociation();
  void ChangeMembership(const String& MCastIP, bool Join);

 private:
  TTCPBlockSocket* FSocksControlSock = nullptr;
};

enum class TSSLType { LT_all, LT_SSLv2, LT_SSLv3, LT_TLSv1, LT_TLSv1_1, LT_TLSv1_2, LT_SSHv2 };

class TCustomSSL;
using THookVerifyCert = std::function<bool(TObject* Sender)>;
// Makes a plug-in for the given socket.
using TSSLClass = std::function<TCustomSSL*(TTCPBlockSocket* Value)>;
template <class T>
TSSLClass SSLClassOf() {
  return [](TTCPBlockSocket* s) -> TCustomSSL* { return new T(s); };
}

// The interface of an SSL plug-in of the TCP socket. This base offers no
// encryption: every SSL step fails with "SSL/TLS support is not compiled!".
class TCustomSSL : public TObject {
  VANTREL_CLASS(TCustomSSL)
 public:
  explicit TCustomSSL(TTCPBlockSocket* Value);

  THookVerifyCert OnVerifyCert;

  virtual void SetCertCAFile(const String& Value) { FCertCAFile = Value; }
  virtual bool SetSslKeys(const String& Value) { return false; }
  virtual void Assign(TCustomSSL* Value);
  virtual String LibVersion() { return String(); }
  virtual String LibName() { return String(); }
  virtual bool Connect();
  virtual bool Accept();
  virtual bool Shutdown();
  virtual bool BiShutdown();
  virtual int SendBuffer(const void* Buffer, int Len);
  virtual int RecvBuffer(void* Buffer, int Len);
  virtual int WaitingData();
  virtual String GetSSLVersion() { return String(); }
  virtual String GetPeerSubject() { return String(); }
  virtual int GetPeerSerialNo() { return -1; }
  virtual String GetPeerIssuer() { return String(); }
  virtual String GetPeerName() { return String(); }
  virtual uint32_t GetPeerNameHash() { return 0; }
  virtual String GetPeerFingerprint() { return String(); }
  virtual String GetCertInfo() { return String(); }
  virtual String GetCipherName() { return String(); }
  virtual int GetCipherBits() { return 0; }
  virtual int GetCipherAlgBits() { return 0; }
  virtual int GetVerifyCert() { return 1; }

  bool SSLEnabled() const { return FSSLEnabled; }
  int LastError() const { return FLastError; }
  const String& LastErrorDesc() const { return FLastErrorDesc; }
  TTCPBlockSocket* Socket() const { return FSocket; }

  TSSLType SSLType() const { return FSSLType; }
  void SetSSLType(TSSLType Value) { FSSLType = Value; }
  const String& KeyPassword() const { return FKeyPassword; }
  void SetKeyPassword(const String& Value) { FKeyPassword = Value; }
  const String& Username() const { return FUsername; }
  void SetUsername(const String& Value) { FUsername = Value; }
  const String& Password() const { return FPassword; }
  void SetPassword(const String& Value) { FPassword = Value; }
  const String& Ciphers() const { return FCiphers; }
  void SetCiphers(const String& Value) { FCiphers = Value; }
  const String& CertificateFile() const { return FCertificateFile; }
  void SetCertificateFile(const String& Value) { FCertificateFile = Value; }
  const String& PrivateKeyFile() const { return FPrivateKeyFile; }
  void SetPrivateKeyFile(const String& Value) { FPrivateKeyFile = Value; }
  const AnsiString& Certificate() const { return FCertificate; }
  void SetCertificate(const AnsiString& Value) { FCertificate = Value; }
  const AnsiString& PrivateKey() const { return FPrivateKey; }
  void SetPrivateKey(const AnsiString& Value) { FPrivateKey = Value; }
  const AnsiString& PFX() const { return FPFX; }
  void SetPFX(const AnsiString& Value) { FPFX = Value; }
  const String& PFXfile() const { return FPFXfile; }
  void SetPFXfile(const String& Value) { FPFXfile = Value; }
  const String& TrustCertificateFile() const { return FTrustCertificateFile; }
  void SetTrustCertificateFile(const String& Value) { FTrustCertificateFile = Value; }
  const AnsiString& TrustCertificate() const { return FTrustCertificate; }
  void SetTrustCertificate(const AnsiString& Value) { FTrustCertificate = Value; }
  const AnsiString& CertCA() const { return FCertCA; }
  void SetCertCA(const AnsiString& Value) { FCertCA = Value; }
  const String& CertCAFile() const { return FCertCAFile; }
  bool VerifyCert() const { return FVerifyCert; }
  void SetVerifyCert(bool Value) { FVerifyCert = Value; }
  const String& SSHChannelType() const { return FSSHChannelType; }
  void SetSSHChannelType(const String& Value) { FSSHChannelType = Value; }
  const String& SSHChannelArg1() const { return FSSHChannelArg1; }
  void SetSSHChannelArg1(const String& Value) { FSSHChannelArg1 = Value; }
  const String& SSHChannelArg2() const { return FSSHChannelArg2; }
  void SetSSHChannelArg2(const String& Value) { FSSHChannelArg2 = Value; }
  int CertComplianceLevel() const { return FCertComplianceLevel; }
  void SetCertComplianceLevel(int Value) { FCertComplianceLevel = Value; }
  const String& SNIHost() const { return FSNIHost; }
  void SetSNIHost(const String& Value) { FSNIHost = Value; }

 protected:
  void ReportSslUnavailable();

  TTCPBlockSocket* FSocket;
  bool FSSLEnabled = false;
  int FLastError = 0;
  String FLastErrorDesc;
  TSSLType FSSLType = TSSLType::LT_all;
  String FKeyPassword, FCiphers, FCertificateFile, FPrivateKeyFile;
  AnsiString FCertificate, FPrivateKey, FPFX;
  String FPFXfile;
  AnsiString FCertCA;
  String FCertCAFile;
  AnsiString FTrustCertificate;
  String FTrustCertificateFile;
  bool FVerifyCert = false;
  String FUsername, FPassword, FSSHChannelType, FSSHChannelArg1, FSSHChannelArg2;
  int FCertComplianceLevel = -1;
  String FSNIHost;
};

// The default plug-in: no encryption.
class TSSLNone : public TCustomSSL {
  VANTREL_CLASS(TSSLNone)
 public:
  using TCustomSSL::TCustomSSL;
  String LibVersion() override { return L"Without SSL support"; }
  String LibName() override { return L"ssl_none"; }
};

using THookAfterConnect = std::function<void(TObject* Sender)>;

// The stream socket: connects directly, through a SOCKS proxy or through
// an HTTP proxy's CONNECT tunnel; listens and accepts directly or through a
// SOCKS BIND; closes gracefully.
class TTCPBlockSocket : public TSocksBlockSocket {
  VANTREL_CLASS(TTCPBlockSocket)
 public:
  TTCPBlockSocket();
  explicit TTCPBlockSocket(const TSSLClass& SSLPlugin);

  THookAfterConnect OnAfterConnect;

  void CloseSocket() override;
  int WaitingData() override;
  void Listen() override;
  TSocket Accept() override;
  void Connect(const String& IP, const String& Port) override;
  String GetLocalSinIP() override;
  String GetRemoteSinIP() override;
  int GetLocalSinPort() override;
  int GetRemoteSinPort() override;
  int RecvBuffer(void* Buffer, int Length) override;
  int SendBuffer(const void* Buffer, int Length) override;
  int GetSocketType() override { return 1; }
  int GetSocketProtocol() override { return 6; }
  String GetErrorDescEx() override;

  void SSLDoConnect();
  bool SSLAcceptConnection();
  void SSLDoShutdown();

  TCustomSSL* SSL() const { return FSSL; }
  bool HTTPTunnel() const { return FHTTPTunnel; }
  const String& HTTPTunnelIP() const { return FHTTPTunnelIP; }
  void SetHTTPTunnelIP(const String& Value) { FHTTPTunnelIP = Value; }
  const String& HTTPTunnelPort() const { return FHTTPTunnelPort; }
  void SetHTTPTunnelPort(const String& Value) { FHTTPTunnelPort = Value; }
  const String& HTTPTunnelUser() const { return FHTTPTunnelUser; }
  void SetHTTPTunnelUser(const String& Value) { FHTTPTunnelUser = Value; }
  const String& HTTPTunnelPass() const { return FHTTPTunnelPass; }
  void SetHTTPTunnelPass(const String& Value) { FHTTPTunnelPass = Value; }
  int HTTPTunnelTimeout() const { return FHTTPTunnelTimeout; }
  void SetHTTPTunnelTimeout(int Value) { FHTTPTunnelTimeout = Value; }

 protected:
  void Destroy() override;
  bool PlatformStreamReceive() override { return !UsesSslPath(); }
  void ConnectViaSocks(const String& IP, const String& Port);
  void ConnectViaHttpTunnel(const String& IP, const String& Port);

 private:
  bool UsesSslPath() const;

  TCustomSSL* FSSL = nullptr;
  String FHTTPTunnelIP;
  String FHTTPTunnelPort;
  bool FHTTPTunnel = false;
  String FHTTPTunnelRemoteIP;
  String FHTTPTunnelRemotePort;
  String FHTTPTunnelUser;
  String FHTTPTunnelPass;
  int FHTTPTunnelTimeout = 30000;
};
