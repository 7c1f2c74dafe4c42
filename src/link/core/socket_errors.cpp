#include "link/core/socket_errors.h"

#include <cerrno>
#include <map>
#include <mutex>
#include <utility>

#include "common/cp932.h"

namespace ze::link {

int WsaFromErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return wsa::kAccess;
        case EFAULT:
            return wsa::kFault;
        case EINVAL:
            return wsa::kInvalid;
        case EMFILE:
        case ENFILE:
            return wsa::kTooManyFiles;
        case EAGAIN:
        case EINPROGRESS:
            return wsa::kWouldBlock;
        case EALREADY:
            return wsa::kAlready;
        case ENOTSOCK:
        case EBADF:
            return wsa::kNotSocket;
        case EDESTADDRREQ:
            return wsa::kDestinationRequired;
        case EMSGSIZE:
            return wsa::kMessageSize;
        case EOPNOTSUPP:
            return wsa::kOperationNotSupported;
        case EAFNOSUPPORT:
            return wsa::kFamilyNotSupported;
        case EADDRINUSE:
            return wsa::kAddressInUse;
        case EADDRNOTAVAIL:
            return wsa::kAddressNotAvailable;
        case ENETDOWN:
            return wsa::kNetworkDown;
        case ENETUNREACH:
            return wsa::kNetworkUnreachable;
        case ENETRESET:
            return wsa::kNetworkReset;
        case ECONNABORTED:
            return wsa::kConnectionAborted;
        case ECONNRESET:
        case EPIPE:
            return wsa::kConnectionReset;
        case ENOBUFS:
        case ENOMEM:
            return wsa::kNoBuffers;
        case EISCONN:
            return wsa::kIsConnected;
        case ENOTCONN:
            return wsa::kNotConnected;
        case ESHUTDOWN:
            return wsa::kShutDown;
        case ETIMEDOUT:
            return wsa::kTimedOut;
        case ECONNREFUSED:
            return wsa::kConnectionRefused;
        case EHOSTUNREACH:
            return wsa::kHostUnreachable;
        default:
            return error;
    }
}

namespace {

struct ErrorRow {
    int code;
    const char* connect;
    const char* send;
    const char* onConnect;
    const char* shutDown;
    const char* receive;
};

// clang-format off
constexpr ErrorRow kErrorRows[] = {
    {10013, "", "要求したアドレスはブロードキャスト アドレスですが、適切なフラグが設定されていませんでした。", "", "", ""},
    {10014, "引数 nSockAddrLen が不正です。", "引数 lpBuf がユーザー アドレス空間の有効な部分を指していません。", "引数 lpSockAddrLen が不正です。", "", "引数 lpSockAddrLen が無効です。ピア アドレスを格納するには、lpSockAddr バッファが小さすぎます。"},
    {10022, "ホスト アドレスが無効です。", "ソケットが Bind を使用してバインドされていません。", "ソケットは既にアドレスにバインドされています。", "", "ソケットが Bind を使用してバインドされていません。"},
    {10024, "利用できるファイル記述子がありません。", "", "利用できるファイル ディスクリプタがありません。", "", ""},
    {10035, "", "", "", "", "ソケットは非ブロッキングになっていて、ReceiveFrom 操作がブロックされました。"},
    {10036, "実行中の Windows ソケット呼び出しがブロッキングされています。", "実行中の Windows ソケット呼び出しがブロッキングされています。", "", "実行中の Windows ソケット呼び出しがブロッキングされています。", "実行中の Windows ソケット呼び出しがブロッキングされています。"},
    {10038, "記述子がソケットではありません。", "記述子がソケットではありません。", "ディスクリプタがソケットではありません。", "ディスクリプタがソケットではありません。", "記述子がソケットではありません。"},
    {10039, "宛先アドレスが必要です。", "", "宛先アドレスが必要です。", "", ""},
    {10040, "", "ソケットが SOCK_DGRAM 型で、Windows ソケットの実装でサポートされている最大長よりもデータグラムが長すぎます。", "", "", "データグラムが長すぎて、指定したバッファに入りきらないため、切り詰められました。"},
    {10045, "", "MSG_OOB が指定されましたが、SOCK_STREAM 型のソケットではありません。", "", "", "MSG_OOB が指定されましたが、SOCK_STREAM 型のソケットではありません。"},
    {10047, "指定したファミリのアドレスはこのソケットでは使用できません。", "", "指定したファミリのアドレスは、このソケットでは使えません。", "", ""},
    {10048, "指定したアドレスは使用中です。", "", "指定したアドレスは使用中です。", "", ""},
    {10049, "指定したアドレスはローカル コンピュータからは利用できません。", "", "指定したアドレスはローカル マシンからは利用できません。", "", ""},
    {10050, "Windows ソケットの実装が、ネットワーク サブシステムの異常を検出しました。", "Windows ソケットの実装が、ネットワーク サブシステムの異常を検出しました。", "", "WinSockが、ネットワーク サブシステムの異常を検出しました。", "Windows ソケットの実装が、ネットワーク サブシステムの異常を検出しました。"},
    {10051, "現時点では、このホストからネットワークに到達できません。", "", "現時点では、このホストからネットワークに到達できません。", "", ""},
    {10052, "", "Windows ソケットの実装が接続をドロップしたので、接続をリセットする必要があります。", "", "", ""},
    {10053, "", "タイムアウトまたはその他の障害により、仮想回路はアボートされました。", "", "", "タイムアウトまたはその他の障害により、仮想回路はアボートされました。"},
    {10054, "", "リモート側から仮想回路がリセットされました。", "", "", "リモート側から仮想回路がリセットされました。"},
    {10055, "利用できるバッファ領域がありません。ソケットは接続できません。", "Windows ソケットの実装が、バッファのデッドロックをレポートしています。", "利用できるバッファ領域がありません。ソケットが接続できません。", "", ""},
    {10056, "ソケットは既に接続されています。", "", "ソケットは既に接続されています。", "", ""},
    {10057, "", "ソケットが接続されていません。", "ソケットは接続されていません。", "ソケットが接続されていません。", "ソケットが接続されていません (SOCK_STREAM 型だけ)。"},
    {10058, "", "ソケットはシャット ダウンしています。nHow に 1 または 2 を指定して ShutDown を起動した後では、ソケットで Send を呼び出すことはできません。", "", "", "ソケットはシャットダウンしています。nHow に 0 または 2 を指定して ShutDown を起動した後では、ソケットで ReceiveFrom を呼び出すことはできません。"},
    {10060, "接続を試みましたが、タイムアウトで接続を確立できません。", "", "接続を試みましたが、タイムアウトしました。接続は確立していません。", "", ""},
    {10061, "接続を試みましたが、拒否されました。", "", "接続を試みましたが、強制的にリジェクトされました。", "", ""},
    {10093, "この API を使う前に AfxSocketInit の呼び出しが正常終了していることが必要です。", "この API を使う前に AfxSocketInit の呼び出しが正常終了していることが必要です。", "", "", "初期化が正常に行われていません。"},
};
// clang-format on

const char* Column(const ErrorRow& row, SocketOp op) {
    switch (op) {
        case SocketOp::Connect:
            return row.connect;
        case SocketOp::Send:
            return row.send;
        case SocketOp::OnConnect:
            return row.onConnect;
        case SocketOp::ShutDown:
            return row.shutDown;
        case SocketOp::Receive:
            return row.receive;
    }
    return "";
}

}  // namespace

const std::string& SocketErrorText(SocketOp op, int wsaCode) {
    static const std::string kEmpty;
    for (const ErrorRow& row : kErrorRows) {
        if (row.code == wsaCode) {
            return texts::Sjis(Column(row, op));
        }
    }
    return kEmpty;
}

namespace texts {

// Converted once per distinct text and kept for the whole run; the map's
// nodes never move, so the references stay valid.
const std::string& Sjis(std::string_view utf8) {
    static std::mutex mutex;
    static std::map<std::string, std::string, std::less<>> converted;
    const std::lock_guard lock(mutex);
    auto found = converted.find(utf8);
    if (found == converted.end()) {
        found = converted.emplace(std::string(utf8), Utf8ToCp932(utf8)).first;
    }
    return found->second;
}

}  // namespace texts

}  // namespace ze::link
