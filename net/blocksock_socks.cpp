// TSocksBlockSocket: the SOCKS 5 and 4/4a client messages.
#include <winsock2.h>

#include "net/blocksock.h"
#include "net/iptext.h"
#include "net/netutil.h"

namespace {

AnsiString Bytes(std::initializer_list<uint8_t> Values) {
  AnsiString s;
  for (uint8_t v : Values) s += static_cast<char>(v);
  return s;
}

uint8_t ByteAt(const AnsiString& Value, int Position) { return static_cast<uint8_t>(Value[static_cast<size_t>(Position - 1)]); }

String Dotted(const AnsiString& Value, int Position) {
  return IntToStr(ByteAt(Value, Position)) + L"." + IntToStr(ByteAt(Value, Position + 1)) + L"." +
         IntToStr(ByteAt(Value, Position + 2)) + L"." + IntToStr(ByteAt(Value, Position + 3));
}

// Restores the bypass flag when an exchange with the proxy ends.
class TBypass {
 public:
  explicit TBypass(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TBypass() { FFlag = false; }
  TBypass(const TBypass&) = delete;
  TBypass& operator=(const TBypass&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

TSocksBlockSocket::TSocksBlockSocket(const String& Stub) : TBlockSocket(Stub) {}

bool TSocksBlockSocket::SocksOpen() {
  FUsingSocks = false;
  TBypass bypass(FBypassFlag);
  if (FSocksType == TSocksType::ST_Socks4) {
    FUsingSocks = true;
    return true;
  }
  AnsiString user = WideToAnsi(FSocksUsername);
  AnsiString pass = WideToAnsi(FSocksPassword);
  if (user.size() > 255 || pass.size() > 255) {
    // Their length bytes cannot hold them.
    SetErrorCode(WSAENAMETOOLONG);
    ExceptCheck();
    return false;
  }
  SendString(user.empty() ? Bytes({5, 1, 0}) : Bytes({5, 2, 2, 0}));
  if (FLastError != 0) return false;
  AnsiString reply = RecvBufferStr(2, FSocksTimeout);
  if (reply.size() < 2 || reply[0] != 5) return false;
  bool ok = false;
  if (reply[1] == 0) {
    ok = true;
  } else if (reply[1] == 2) {
    SendString(Bytes({1}) + static_cast<char>(user.size()) + user + static_cast<char>(pass.size()) + pass);
    reply = RecvBufferStr(2, FSocksTimeout);
    ok = reply.size() >= 2 && reply[1] == 0;
  }
  FUsingSocks = ok;
  return ok;
}

bool TSocksBlockSocket::SocksRequest(uint8_t Command, const String& IP, const String& Port) {
  TBypass bypass(FBypassFlag);
  AnsiString address = EncodeSocksAddress(IP, Port);
  if (FLastError != 0) return false;
  if (FSocksType == TSocksType::ST_Socks4)
    SendString(Bytes({4, Command}) + address);
  else
    SendString(Bytes({5, Command, 0}) + address);
  return FLastError == 0;
}

AnsiString TSocksBlockSocket::EncodeSocks5Address(const String& IP, const String& Port) {
  ResetLastError();
  String host = IP;
  if (!FSocksResolver && !IsIPv4Text(host) && !IsIPv6Text(host)) host = ResolveName(host);
  AnsiString field;
  if (IsIPv4Text(host)) {
    field = Bytes({1}) + IPv4TextToBytes(host);
  } else if (IsIPv6Text(host)) {
    TIp6Bytes b = IPv6TextToBytes(host);
    field = Bytes({4}) + AnsiString(reinterpret_cast<const char*>(b.data()), b.size());
  } else {
    AnsiString name = WideToAnsi(host);
    if (name.size() > 255) {
      // The length byte cannot hold it: refused, never wrapped.
      SetErrorCode(WSAENAMETOOLONG);
      ExceptCheck();
      return AnsiString();
    }
    field = Bytes({3}) + static_cast<char>(name.size()) + name;
  }
  return field + EncodeWordBE(ResolvePort(Port));
}

AnsiString TSocksBlockSocket::EncodeSocksAddress(const String& IP, const String& Port) {
  if (FSocksType != TSocksType::ST_Socks4) return EncodeSocks5Address(IP, Port);
  ResetLastError();
  String host = IP;
  if (!FSocksResolver && !IsIPv4Text(host)) host = ResolveName(host);
  AnsiString result = EncodeWordBE(ResolvePort(Port));
  AnsiString user = WideToAnsi(FSocksUsername);
  if (IsIPv4Text(host))
    result += IPv4TextToBytes(host) + user + '\0';
  else
    result += Bytes({0, 0, 0, 1}) + user + '\0' + WideToAnsi(host) + '\0';
  return result;
}

bool TSocksBlockSocket::SocksResponse() {
  FSocksResponseIP.clear();
  FSocksResponsePort.clear();
  FSocksLastError = -1;
  TBypass bypass(FBypassFlag);
  AnsiString reply;
  if (FSocksType == TSocksType::ST_Socks4) {
    reply = RecvBufferStr(8, FSocksTimeout);
    if (FLastError != 0 || reply.size() < 8 || reply[0] != 0) return false;
  } else {
    reply = RecvBufferStr(4, FSocksTimeout);
    if (FLastError != 0 || reply.size() < 4 || reply[0] != 5) return false;
    switch (static_cast<uint8_t>(reply[3])) {
      case 1:
        reply += RecvBufferStr(4, FSocksTimeout);
        break;
      case 4:
        reply += RecvBufferStr(16, FSocksTimeout);
        break;
      case 3: {
        AnsiString length = RecvBufferStr(1, FSocksTimeout);
        if (FLastError != 0 || length.empty()) return false;
        reply += length + RecvBufferStr(static_cast<uint8_t>(length[0]), FSocksTimeout);
        break;
      }
      default:
        return false;
    }
    if (FLastError != 0) return false;
    reply += RecvBufferStr(2, FSocksTimeout);
    if (FLastError != 0) return false;
  }
  FSocksLastError = static_cast<uint8_t>(reply[1]);
  if (FSocksLastError != 0 && FSocksLastError != 90) return false;
  DecodeSocksAddress(reply);
  return true;
}

int TSocksBlockSocket::DecodeSocksAddress(const AnsiString& Value) {
  return FSocksType == TSocksType::ST_Socks4 ? DecodeSocks4Address(Value) : DecodeSocks5Address(Value);
}

int TSocksBlockSocket::DecodeSocks4Address(const AnsiString& Value) {
  FSocksResponsePort = L"0";
  if (Value.size() < 8) return 0;
  FSocksResponseIP = Dotted(Value, 5);
  FSocksResponsePort = IntToStr(DecodeWordBE(Value, 3));
  return 9;
}

int TSocksBlockSocket::DecodeSocks5Address(const AnsiString& Value) {
  FSocksResponsePort = L"0";
  const int n = static_cast<int>(Value.size());
  if (n < 4) return 0;
  int next;
  switch (ByteAt(Value, 4)) {
    case 1:
      if (n < 10) return 5;
      FSocksResponseIP = Dotted(Value, 5);
      FSocksResponsePort = IntToStr(DecodeWordBE(Value, 9));
      next = 11;
      break;
    case 3: {
      if (n < 5) return 5;
      int length = ByteAt(Value, 5);
      if (n < length + 7) return 5;
      String name;
      for (int i = 6; i <= length + 5; ++i) name += static_cast<wchar_t>(ByteAt(Value, i));
      FSocksResponseIP = name;
      FSocksResponsePort = IntToStr(DecodeWordBE(Value, length + 6));
      next = length + 8;
      break;
    }
    case 4: {
      if (n < 22) return 5;
      TIp6Bytes b;
      for (int i = 0; i < 16; ++i) b[static_cast<size_t>(i)] = ByteAt(Value, 5 + i);
      FSocksResponseIP = IPv6BytesToText(b);
      FSocksResponsePort = IntToStr(DecodeWordBE(Value, 21));
      next = 23;
      break;
    }
    default:
      return 5;
  }
  return next;
}
