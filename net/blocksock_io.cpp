// TBlockSocket: sending and receiving, readiness and the datagram calls.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "base/Lists.h"
#include "base/Streams.h"
#include "net/blocksock.h"
#include "net/netutil.h"
#include "net/sockcompat.h"

namespace {

TWinsockBinding& W() { return SocketApi(); }

timeval TimeValue(int Timeout) { return timeval{Timeout / 1000, (Timeout % 1000) * 1000}; }

AnsiString EncodeLongLE(uint32_t Value) {
  AnsiString r(4, '\0');
  for (int i = 0; i < 4; ++i) r[static_cast<size_t>(i)] = static_cast<char>((Value >> (8 * i)) & 0xFF);
  return r;
}

uint32_t DecodeLongLE(const AnsiString& Value) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(Value[static_cast<size_t>(i)]);
  return v;
}

}  // namespace

bool TBlockSocket::CheckStopFlag() {
  DoHeartbeat();
  if (!FStopFlag) return false;
  FStopFlag = false;
  SetErrorCode(WSAECONNABORTED);
  ExceptCheck();
  return true;
}

void TBlockSocket::ThrottleBandwidth(int Length, int Limit, uint32_t& NextTick) {
  if (FStopFlag || Limit <= 0) return;
  int32_t wait = static_cast<int32_t>(NextTick - TickMs());
  if (wait > 0) {
    ReportStatus(THookSocketReason::HR_Wait, IntToStr(wait));
    SleepMs(wait % 250);
    for (int i = 0; i < wait / 250 && !FStopFlag; ++i) SleepMs(250);
  }
  NextTick = TickMs() + static_cast<uint32_t>(static_cast<int64_t>(Length) * 1000 / Limit);
}

// ---------------------------------------------------------------------------
// Sending

int TBlockSocket::SendBuffer(const void* Buffer, int Length) {
  if (CheckStopFlag()) return 0;
  ResetLastError();
  DoMonitor(true, Buffer, Length);
  int sent = 0;
  while (sent < Length) {
    int chunk = Length - sent < FSendMaxChunk ? Length - sent : FSendMaxChunk;
    if (chunk <= 0) break;
    ThrottleBandwidth(chunk, FMaxSendBandwidth, FNextSend);
    const char* p = static_cast<const char*>(AdvancePointer(Buffer, sent));
    int r = W().send(FSocket, p, chunk, 0);
    SockCheck(r);
    // A non-blocking handle that would block gets the rest of its time.
    while (FLastError == WSAEWOULDBLOCK) {
      if (!CanWrite(FNonblockSendTimeout)) {
        SetErrorCode(WSAETIMEDOUT);
        break;
      }
      r = W().send(FSocket, p, chunk, 0);
      SockCheck(r);
    }
    if (FLastError != 0) break;
    sent += r;
    FSendCounter += r;
    ReportStatus(THookSocketReason::HR_WriteCount, IntToStr(r));
  }
  ExceptCheck();
  return sent;
}

void TBlockSocket::SendByte(uint8_t Data) { SendBuffer(&Data, 1); }

void TBlockSocket::SendString(const AnsiString& Data) { SendBuffer(Data.data(), static_cast<int>(Data.size())); }

void TBlockSocket::SendInteger(int32_t Data) { SendString(EncodeLongLE(static_cast<uint32_t>(Data))); }

void TBlockSocket::SendBlock(const AnsiString& Data) {
  SendString(EncodeLongLE(static_cast<uint32_t>(Data.size())) + Data);
}

void TBlockSocket::SendStreamInternal(TStream* Stream, bool WithSize, bool NetworkOrder) {
  uint32_t size = WithSize ? static_cast<uint32_t>(Stream->Size() - Stream->Position()) : 0;
  int chunkSize = FSendMaxChunk > 0 ? FSendMaxChunk : 65536;
  bool first = true;
  for (;;) {
    AnsiString chunk(static_cast<size_t>(chunkSize), '\0');
    int n = Stream->Read(chunk.data(), chunkSize);
    if (n <= 0) break;
    chunk.resize(static_cast<size_t>(n));
    if (first && WithSize)
      SendString((NetworkOrder ? EncodeLongBE(size) : EncodeLongLE(size)) + chunk);
    else
      SendString(chunk);
    first = false;
    if (FLastError != 0) break;
  }
}

void TBlockSocket::SendStreamRaw(TStream* Stream) { SendStreamInternal(Stream, false, false); }
void TBlockSocket::SendStream(TStream* Stream) { SendStreamInternal(Stream, true, false); }
void TBlockSocket::SendStreamIndy(TStream* Stream) { SendStreamInternal(Stream, true, true); }

// ---------------------------------------------------------------------------
// Receiving

int TBlockSocket::ApplyReadFilter(void* Buffer, int Count) {
  if (!OnReadFilter || Count <= 0) return Count;
  AnsiString s(static_cast<const char*>(Buffer), static_cast<size_t>(Count));
  OnReadFilter(this, s);
  if (s.size() > static_cast<size_t>(Count)) s.resize(static_cast<size_t>(Count));
  std::memcpy(Buffer, s.data(), s.size());
  return static_cast<int>(s.size());
}

int TBlockSocket::RecvBuffer(void* Buffer, int Length) {
  FReadableDatagram = false;
  if (CheckStopFlag()) return 0;
  ThrottleBandwidth(Length, FMaxRecvBandwidth, FNextRecv);
  RestoreHandleRecvWait();
  int r = W().recv(FSocket, static_cast<char*>(Buffer), Length, 0);
  if (r == 0)
    SetErrorCode(WSAECONNRESET);  // the peer closed the connection
  else
    SockCheck(r);
  ExceptCheck();
  return TakeReceived(Buffer, r);
}

int TBlockSocket::TakeReceived(void* Buffer, int Count) {
  FKnownPending = Count > 0 && FKnownPending > Count ? FKnownPending - Count : 0;
  if (Count <= 0) return Count;
  FRecvCounter += Count;
  ReportStatus(THookSocketReason::HR_ReadCount, IntToStr(Count));
  DoMonitor(false, Buffer, Count);
  return ApplyReadFilter(Buffer, Count);
}

AnsiString TBlockSocket::ReceivePacket(int Count, bool Readable) {
  // The room of an earlier packet is used again: a stream of packets does
  // not allocate (and free) a block of up to 64 KiB each time. Under wine
  // a freed block of that size gives its pages back and the next one maps
  // them again, which costs more than the receive itself.
  AnsiString area;
  area.swap(FSparePacket);
  area.resize(static_cast<size_t>(Count));
  int r;
  if (!Readable) {
    r = RecvBuffer(area.data(), Count);
  } else {
    // The socket was found readable and its count was never asked for:
    // one receive both counts and takes. What it finds is what a count
    // followed by a receive of that many bytes would have found; finding
    // nothing means, as a count of 0 would, that the peer has gone.
    r = W().recv(FSocket, area.data(), Count, 0);
    if (r > 0) {
      ResetLastError();
      r = TakeReceived(area.data(), r);
    } else {
      FKnownPending = 0;
      SetErrorCode(WSAECONNRESET);
      r = 0;
    }
  }
  size_t n = r > 0 ? static_cast<size_t>(r) : 0;
  if (n >= static_cast<size_t>(Count) / 2) {
    area.resize(n);
    return area;
  }
  // A short packet goes out in a string of its own size; the room stays.
  AnsiString packet(area.data(), n);
  area.clear();
  FSparePacket.swap(area);
  return packet;
}

void TBlockSocket::KeepPacketRoom(AnsiString& Packet) {
  if (Packet.capacity() > FSparePacket.capacity()) {
    Packet.clear();
    FSparePacket.swap(Packet);
  }
}

AnsiString TBlockSocket::RecvPacket(int Timeout) {
  AnsiString result;
  ResetLastError();
  if (!FBuffer.empty()) {
    result.swap(FBuffer);
  } else {
    // Bytes a stream handle is known to hold need no second question.
    int waiting = FKnownPending > 0 ? static_cast<int>(FKnownPending < 65536 ? FKnownPending : 65536) : 0;
    if (waiting == 0 && FReadableDatagram && GetSocketType() == SOCK_DGRAM) {
      // A wait just found a datagram (or an error) waiting and nothing was
      // received since: one receive takes it, whatever its size, without a
      // question about its count first.
      waiting = -1;
      result = ReceivePacket(65536, false);
    } else if (waiting == 0 && GetSocketType() == SOCK_DGRAM && NothingBetweenWaitAndReceive(Timeout)) {
      // One receive waits for the next datagram (the handle's receive
      // time-out bounds the wait as the wait for readability did) and takes
      // it whatever its size: no count question, no separate wait. Each of
      // those costs about as much as the receive itself.
      waiting = -1;
      SetHandleRecvWait(Timeout < 0 ? 0 : Timeout);
      FDirectDatagram = true;
      try {
        result = ReceivePacket(65536, false);
      } catch (...) {
        FDirectDatagram = false;
        throw;
      }
      FDirectDatagram = false;
    } else if (waiting == 0) {
      SleepMs(0);
      waiting = WaitingData();
    }
    if (waiting > 0) {
      // A stream handle known to hold bytes returns at once whatever it
      // holds by now: the receive takes up to a full packet, as a fresh
      // count would have allowed, without asking for that count. Under a
      // bandwidth limit the pause follows the length asked for, so there
      // the count stays exact.
      if (FKnownPending > 0 && FMaxRecvBandwidth <= 0) waiting = 65536;
      result = ReceivePacket(waiting, false);
    } else if (waiting < 0) {
      // Taken above.
    } else if (CanRead(Timeout)) {
      if (GetSocketType() == SOCK_DGRAM) {
        // One receive takes the next datagram whatever its size, an empty
        // one or an error the platform reports only through a receive
        // included: a readable socket is never left readable by a packet
        // that nobody took.
        result = ReceivePacket(65536, false);
      } else if (FPlatformCount && FMaxRecvBandwidth <= 0 && !FStopFlag && !(OnHeartbeat && FHeartbeatRate != 0)) {
        // The platform's own stream receive, with nothing for RecvBuffer
        // to do before it: no count needs asking.
        result = ReceivePacket(65536, true);
      } else {
        waiting = WaitingData();
        if (waiting > 0)
          result = ReceivePacket(waiting, false);
        else
          SetErrorCode(WSAECONNRESET);
      }
    } else if (FLastError == 0) {
      SetErrorCode(WSAETIMEDOUT);
    }
  }
  FReadableDatagram = false;
  if (FConvertLineEnd && !result.empty()) {
    if (FLastCR && result[0] == '\n') result.erase(0, 1);
    if (FLastLF && !result.empty() && result[0] == '\r') result.erase(0, 1);
    FLastCR = false;
    FLastLF = false;
  }
  ExceptCheck();
  return result;
}

void TBlockSocket::SetHandleRecvWait(int Value) {
  if (FHandleRecvWait == Value) return;
  W().setsockopt(FSocket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&Value), sizeof Value);
  FHandleRecvWait = Value;
}

void TBlockSocket::RestoreHandleRecvWait() {
  if (FHandleRecvWait == kOptionRecvWait) return;
  W().setsockopt(FSocket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&FRecvTimeoutOption),
                 sizeof FRecvTimeoutOption);
  FHandleRecvWait = kOptionRecvWait;
}

bool TBlockSocket::NothingBetweenWaitAndReceive(int Timeout) {
  // A time-out of 0 is a poll, which the handle's own wait cannot express
  // (0 there means no limit).
  return Timeout != 0 && FBuffer.empty() && !FNonBlockMode && FMaxRecvBandwidth <= 0 && !FStopFlag &&
         FHeartbeatRate == 0 && !OnStatus && FSocket != INVALID_SOCKET;
}

bool TBlockSocket::CanReceiveDirect(int Timeout) {
  return NothingBetweenWaitAndReceive(Timeout) && !FLastCR && !FLastLF && !OnMonitor && !OnReadFilter &&
         W().WSARecv && PlatformStreamReceive();
}

int TBlockSocket::ReceiveDirect(void* Buffer, int Room, int Timeout) {
  // What a count, a wait for readability and a receive of the count would
  // give, by the platform's receive alone: it waits as long as a wait for
  // readability would have, and takes what the handle holds, up to a whole
  // packet. Asking for the count and waiting apart cost each about as much
  // as the receive itself.
  SetHandleRecvWait(Timeout < 0 ? 0 : Timeout);
  const int kPacket = 65536;
  WSABUF parts[2];
  parts[0].len = static_cast<ULONG>(Room);
  parts[0].buf = static_cast<char*>(Buffer);
  DWORD count = 1;
  if (Room < kPacket) {
    // The rest of the packet goes straight into the (empty) line buffer.
    FBuffer.resize(static_cast<size_t>(kPacket - Room));
    parts[1].len = static_cast<ULONG>(kPacket - Room);
    parts[1].buf = FBuffer.data();
    count = 2;
  }
  DWORD got = 0, flags = 0;
  FKnownPending = 0;
  int r = W().WSARecv(FSocket, parts, count, &got, &flags, nullptr, nullptr);
  if (r == SOCKET_ERROR) {
    SockCheck(r);  // a wait that ran out is WSAETIMEDOUT, as a wait for readability gives
  } else if (got == 0) {
    SetErrorCode(WSAECONNRESET);  // the peer closed the connection
  } else {
    ResetLastError();
    FRecvCounter += static_cast<int>(got);
  }
  FBuffer.resize(FLastError == 0 && static_cast<int>(got) > Room ? got - static_cast<DWORD>(Room) : 0);
  ExceptCheck();
  if (FLastError != 0) return 0;
  return static_cast<int>(got) <= Room ? static_cast<int>(got) : Room;
}

int TBlockSocket::RecvBufferEx(void* Buffer, int Length, int Timeout) {
  ResetLastError();
  if (Length <= 0) return 0;
  int stored = 0;
  int timeout = Timeout;
  for (;;) {
    uint32_t started = TickMs();
    if (CanReceiveDirect(timeout)) {
      stored += ReceiveDirect(AdvancePointer(Buffer, stored), Length - stored, timeout);
      if (FLastError != 0 || stored >= Length) break;
      if (!FInterPacketTimeout && timeout >= 0) {
        timeout -= static_cast<int>(TickSpan(started, TickMs()));
        if (timeout <= 0) {
          SetErrorCode(WSAETIMEDOUT);
          break;
        }
      }
      continue;
    }
    if (!FBuffer.empty() && !FLastCR && !FLastLF) {
      // Bytes waiting in the line buffer (the tail of a direct receive)
      // are served in place, as the line buffer's packet would have been:
      // the buffer keeps its room for the next tail, so a stream of blocks
      // neither allocates nor frees.
      FReadableDatagram = false;
      int n = static_cast<int>(FBuffer.size()) < Length - stored ? static_cast<int>(FBuffer.size()) : Length - stored;
      std::memcpy(AdvancePointer(Buffer, stored), FBuffer.data(), static_cast<size_t>(n));
      FBuffer.erase(0, static_cast<size_t>(n));
      stored += n;
      if (stored >= Length) break;
    } else {
      AnsiString packet = RecvPacket(timeout);
      if (FLastError != 0) {
        KeepPacketRoom(packet);
        break;
      }
      int n = static_cast<int>(packet.size()) < Length - stored ? static_cast<int>(packet.size()) : Length - stored;
      std::memcpy(AdvancePointer(Buffer, stored), packet.data(), static_cast<size_t>(n));
      stored += n;
      if (stored >= Length) {
        FBuffer.assign(packet, static_cast<size_t>(n), AnsiString::npos);
        KeepPacketRoom(packet);
        break;
      }
      KeepPacketRoom(packet);
    }
    if (!FInterPacketTimeout && timeout >= 0) {
      timeout -= static_cast<int>(TickSpan(started, TickMs()));
      if (timeout <= 0) {
        SetErrorCode(WSAETIMEDOUT);
        break;
      }
    }
  }
  return stored;
}

AnsiString TBlockSocket::RecvBufferStr(int Length, int Timeout) {
  ResetLastError();
  if (Length < 1) return AnsiString();
  // Grows with what arrives: a length prefix from the peer never reserves
  // memory of its own accord.
  AnsiString result;
  int timeout = Timeout;
  for (;;) {
    int want = Length - static_cast<int>(result.size());
    int piece = want < 65536 ? want : 65536;
    size_t at = result.size();
    result.resize(at + static_cast<size_t>(piece));
    uint32_t started = TickMs();
    int n = RecvBufferEx(&result[at], piece, timeout);
    result.resize(at + static_cast<size_t>(n));
    if (FLastError != 0 || static_cast<int>(result.size()) >= Length) break;
    if (!FInterPacketTimeout && timeout >= 0) {
      timeout -= static_cast<int>(TickSpan(started, TickMs()));
      if (timeout <= 0) {
        SetErrorCode(WSAETIMEDOUT);
        break;
      }
    }
  }
  if (FLastError != 0) {
    // Nothing received is lost: the bytes wait in the line buffer.
    FBuffer.insert(0, result);
    result.clear();
  }
  return result;
}

uint8_t TBlockSocket::RecvByte(int Timeout) {
  ResetLastError();
  uint8_t result = 0;
  if (FBuffer.empty()) FBuffer = RecvPacket(Timeout);
  if (FLastError == 0 && !FBuffer.empty()) {
    result = static_cast<uint8_t>(FBuffer[0]);
    FBuffer.erase(0, 1);
  }
  ExceptCheck();
  return result;
}

int32_t TBlockSocket::RecvInteger(int Timeout) {
  AnsiString s = RecvBufferStr(4, Timeout);
  if (FLastError != 0 || s.size() < 4) return 0;
  return static_cast<int32_t>(DecodeLongLE(s));
}

AnsiString TBlockSocket::RecvString(int Timeout) {
  AnsiString s = RecvTerminated(Timeout, "\r\n");
  if (FLastError != 0) s.clear();
  return s;
}

AnsiString TBlockSocket::RecvTerminated(int Timeout, const AnsiString& Terminator) {
  ResetLastError();
  if (Terminator.empty()) return AnsiString();
  const bool anyLineEnd = FConvertLineEnd && Terminator == "\r\n";
  AnsiString collected;
  size_t found = AnsiString::npos;
  size_t terminatorLength = 0;
  int timeout = Timeout;
  for (;;) {
    uint32_t started = TickMs();
    collected += RecvPacket(timeout);
    if (FLastError != 0) break;
    if (anyLineEnd) {
      AnsiString term;
      int p = FindLineBreak(collected, term);
      if (p > 0) {
        found = static_cast<size_t>(p - 1);
        terminatorLength = term.size();
      }
    } else {
      found = collected.find(Terminator);
      terminatorLength = Terminator.size();
    }
    if (found != AnsiString::npos) {
      // A complete line is delivered; only a line that is itself too long
      // is refused.
      if (FMaxLineLength != 0 && found > static_cast<size_t>(FMaxLineLength)) SetErrorCode(WSAENOBUFS);
      break;
    }
    if (FMaxLineLength != 0 && collected.size() > static_cast<size_t>(FMaxLineLength)) {
      SetErrorCode(WSAENOBUFS);
      break;
    }
    if (!FInterPacketTimeout && timeout >= 0) {
      timeout -= static_cast<int>(TickSpan(started, TickMs()));
      if (timeout <= 0) {
        SetErrorCode(WSAETIMEDOUT);
        break;
      }
    }
  }
  AnsiString result;
  if (found != AnsiString::npos) {
    if (anyLineEnd && terminatorLength == 1) {
      if (collected[found] == '\r')
        FLastCR = true;
      else
        FLastLF = true;
    }
    result = collected.substr(0, found);
    collected.erase(0, found + terminatorLength);
  }
  FBuffer = collected;
  ExceptCheck();
  return result;
}

AnsiString TBlockSocket::RecvBlock(int Timeout) {
  int32_t length = RecvInteger(Timeout);
  if (FLastError != 0) return AnsiString();
  return RecvBufferStr(length, Timeout);
}

void TBlockSocket::RecvStreamRaw(TStream* Stream, int Timeout) {
  for (;;) {
    AnsiString s = RecvPacket(Timeout);
    if (FLastError != 0) break;
    WriteTextToStream(Stream, s);
  }
}

void TBlockSocket::RecvStreamSize(TStream* Stream, int Timeout, int Size) {
  int chunk = FSendMaxChunk > 0 ? FSendMaxChunk : 65536;
  for (int i = 0; i < Size / chunk; ++i) {
    AnsiString s = RecvBufferStr(chunk, Timeout);
    if (FLastError != 0) return;
    WriteTextToStream(Stream, s);
  }
  int rest = Size % chunk;
  if (rest > 0) {
    AnsiString s = RecvBufferStr(rest, Timeout);
    if (FLastError == 0) WriteTextToStream(Stream, s);
  }
}

void TBlockSocket::RecvStream(TStream* Stream, int Timeout) {
  int32_t size = RecvInteger(Timeout);
  if (FLastError == 0) RecvStreamSize(Stream, Timeout, size);
}

void TBlockSocket::RecvStreamIndy(TStream* Stream, int Timeout) {
  int32_t size = static_cast<int32_t>(ReverseBytes(static_cast<uint32_t>(RecvInteger(Timeout))));
  if (FLastError == 0) RecvStreamSize(Stream, Timeout, size);
}

int TBlockSocket::PeekBuffer(void* Buffer, int Length) {
  RestoreHandleRecvWait();
  int r = W().recv(FSocket, static_cast<char*>(Buffer), Length, MSG_PEEK);
  SockCheck(r);
  ExceptCheck();
  return r;
}

uint8_t TBlockSocket::PeekByte(int Timeout) {
  uint8_t result = 0;
  if (CanRead(Timeout)) {
    uint8_t b = 0;
    if (PeekBuffer(&b, 1) > 0) result = b;
  } else {
    SetErrorCode(WSAETIMEDOUT);
  }
  ExceptCheck();
  return result;
}

int TBlockSocket::WaitingData() {
  u_long count = 0;
  FKnownPending = 0;
  FPlatformCount = false;
  if (W().ioctlsocket(FSocket, FIONREAD, &count) != 0) return 0;
  // On a stream every byte counted is there to read; a datagram socket
  // counts datagrams its own way.
  if (GetSocketType() != SOCK_DGRAM) {
    FKnownPending = count;
    FPlatformCount = true;
  }
  return count > 65536 ? 65536 : static_cast<int>(count);
}

int TBlockSocket::WaitingDataEx() { return FBuffer.empty() ? WaitingData() : static_cast<int>(FBuffer.size()); }

void TBlockSocket::Purge() {
  SleepMs(1);
  int discarded = 0;
  try {
    while (!FBuffer.empty() || WaitingData() > 0) {
      AnsiString s = RecvPacket(0);
      if (FLastError != 0) break;
      discarded += static_cast<int>(s.size());
      if (discarded >= PurgeLimit) break;
    }
  } catch (...) {
    // Purging ends quietly.
  }
  ResetLastError();
}

// ---------------------------------------------------------------------------
// Readiness

bool TBlockSocket::WaitReadable(int Timeout) {
  TFDSet set = FFDSet;
  timeval tv = TimeValue(Timeout);
  int r = W().select(0, reinterpret_cast<fd_set*>(&set), nullptr, nullptr, Timeout < 0 ? nullptr : &tv);
  SockCheck(r);
  return FLastError == 0 && r > 0;
}

bool TBlockSocket::CanRead(int Timeout) {
  int first = Timeout, further = 1;
  if (FHeartbeatRate != 0 && Timeout != -1) {
    first = Timeout % FHeartbeatRate;
    further = Timeout / FHeartbeatRate + 1;
  }
  bool readable = WaitReadable(first);
  while (!readable && further-- > 0 && FLastError == 0) {
    DoHeartbeat();
    if (FStopFlag) {
      FStopFlag = false;
      return false;
    }
    readable = WaitReadable(FHeartbeatRate);
  }
  ExceptCheck();
  FReadableDatagram = readable;
  if (readable) ReportStatus(THookSocketReason::HR_CanRead, String());
  return readable;
}

bool TBlockSocket::CanReadEx(int Timeout) { return !FBuffer.empty() || CanRead(Timeout); }

bool TBlockSocket::CanWrite(int Timeout) {
  TFDSet set = FFDSet;
  timeval tv = TimeValue(Timeout);
  int r = W().select(0, nullptr, reinterpret_cast<fd_set*>(&set), nullptr, Timeout < 0 ? nullptr : &tv);
  SockCheck(r);
  bool writable = FLastError == 0 && r > 0;
  ExceptCheck();
  if (writable) ReportStatus(THookSocketReason::HR_CanWrite, String());
  return writable;
}

bool TBlockSocket::GroupCanRead(TList* SocketList, int Timeout, TList* CanReadList) {
  TFDSet set;
  FdSetClear(set);
  TSocket highest = 0;
  std::vector<TBlockSocket*> sockets;
  for (int i = 0; i < SocketList->Count(); ++i) {
    auto* s = dynamic_cast<TBlockSocket*>(static_cast<TObject*>(SocketList->Items(i)));
    if (!s) continue;
    sockets.push_back(s);
    if (set.fd_count < 64) {
      FdSetAdd(s->Socket(), set);
      if (s->Socket() > highest) highest = s->Socket();
    }
  }
  timeval tv = TimeValue(Timeout);
  int r = W().select(static_cast<int>(highest + 1), reinterpret_cast<fd_set*>(&set), nullptr, nullptr,
                     Timeout < 0 ? nullptr : &tv);
  SockCheck(r);
  ExceptCheck();
  CanReadList->Clear();
  bool any = FLastError == 0 && r > 0;
  if (any)
    for (TBlockSocket* s : sockets)
      if (FdSetContains(s->Socket(), set)) CanReadList->Add(static_cast<TObject*>(s));
  return any;
}

// ---------------------------------------------------------------------------
// Datagrams

int TBlockSocket::SendBufferTo(const void* Buffer, int Length) {
  if (CheckStopFlag()) return 0;
  if (FRemoteSinError != 0) {
    // The destination did not resolve: its error, and nothing goes out.
    SetErrorCode(FRemoteSinError);
    ExceptCheck();
    return SOCKET_ERROR;
  }
  DoMonitor(true, Buffer, Length);
  ThrottleBandwidth(Length, FMaxSendBandwidth, FNextSend);
  int r = SendToSin(FSocket, Buffer, Length, 0, FRemoteSin);
  SockCheck(r);
  ExceptCheck();
  if (r != SOCKET_ERROR) {
    FSendCounter += r;
    ReportStatus(THookSocketReason::HR_WriteCount, IntToStr(r));
  }
  return r;
}

int TBlockSocket::RecvBufferFrom(void* Buffer, int Length) {
  FReadableDatagram = false;
  if (CheckStopFlag()) return 0;
  ThrottleBandwidth(Length, FMaxRecvBandwidth, FNextRecv);
  if (!FDirectDatagram) RestoreHandleRecvWait();
  TVarSin sender;
  int r = RecvFromSin(FSocket, Buffer, Length, 0, sender);
  SockCheck(r);
  if (r != SOCKET_ERROR) {
    FRemoteSin = sender;
    FRemoteSinError = 0;
  }
  ExceptCheck();
  if (r != SOCKET_ERROR) {
    FRecvCounter += r;
    ReportStatus(THookSocketReason::HR_ReadCount, IntToStr(r));
    DoMonitor(false, Buffer, r);
  }
  return r;
}
