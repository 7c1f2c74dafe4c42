#pragma once

#include <string>
#include <string_view>

// Socket error codes and their texts. The log speaks in the Windows Sockets
// codes its messages were written for; errno values of this platform are
// mapped onto them here, in one place, so the texts stay the same.
namespace ze::link {

namespace wsa {
inline constexpr int kAccess = 10013;
inline constexpr int kFault = 10014;
inline constexpr int kInvalid = 10022;
inline constexpr int kTooManyFiles = 10024;
inline constexpr int kWouldBlock = 10035;
inline constexpr int kInProgress = 10036;
inline constexpr int kAlready = 10037;
inline constexpr int kNotSocket = 10038;
inline constexpr int kDestinationRequired = 10039;
inline constexpr int kMessageSize = 10040;
inline constexpr int kOperationNotSupported = 10045;
inline constexpr int kFamilyNotSupported = 10047;
inline constexpr int kAddressInUse = 10048;
inline constexpr int kAddressNotAvailable = 10049;
inline constexpr int kNetworkDown = 10050;
inline constexpr int kNetworkUnreachable = 10051;
inline constexpr int kNetworkReset = 10052;
inline constexpr int kConnectionAborted = 10053;
inline constexpr int kConnectionReset = 10054;
inline constexpr int kNoBuffers = 10055;
inline constexpr int kIsConnected = 10056;
inline constexpr int kNotConnected = 10057;
inline constexpr int kShutDown = 10058;
inline constexpr int kTimedOut = 10060;
inline constexpr int kConnectionRefused = 10061;
inline constexpr int kHostUnreachable = 10065;
inline constexpr int kNotInitialised = 10093;
}  // namespace wsa

// errno -> Windows Sockets code. EINPROGRESS of a non-blocking connect and
// EAGAIN both become would-block; EPIPE (writing after the peer reset) is a
// reset. Codes without a counterpart are passed through unchanged, which
// keeps them apart from every tabled code.
int WsaFromErrno(int error);

// The operations whose error texts differ.
enum class SocketOp { Connect, Send, OnConnect, ShutDown, Receive };

// The tabled text of code for the operation, Shift_JIS; empty when the
// operation has no text of its own for that code (the caller then writes
// its default).
const std::string& SocketErrorText(SocketOp op, int wsaCode);

// The text of every log line and message the socket layer and the link
// write, Shift_JIS. Kept here so that the words live in one place.
namespace texts {
const std::string& Sjis(std::string_view utf8);
}

}  // namespace ze::link
