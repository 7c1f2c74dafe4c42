#include "link/core/device_protocol.h"

#include "common/cp932.h"
#include "link/core/command_framer.h"
#include "link/core/safe_path.h"
#include "link/core/socket_errors.h"
#include "model/json_parser.h"

namespace ze::link {

namespace {

using texts::Sjis;

std::string StringOf(const JsonParser& parser, std::string_view key) {
    std::string value;
    parser.GetString(key, value);
    return value;
}

// False when the object is not one of the device's commands.
bool DispatchOne(JsonParser& parser, std::string_view text, CommandHandler& handler) {
    std::string command;
    if (!parser.GetString("Command", command)) {
        return false;
    }
    std::string line;
    if (command == "KEEPALIVE") {
        line = Sjis("受信：KEEPALIVE");
        if (StringOf(parser, "Status") == "DESTROY") {
            line += Sjis("終了ステータス");
        }
        handler.WriteLog(line, LogKind::Received);
        handler.OnKeepAliveReceived();
        return true;
    }
    if (command == "DIALOG") {
        handler.WriteLog(Sjis("受信：DIALOG"), LogKind::Received);
        return true;
    }
    if (command == "HELLO") {
        line = Sjis("受信：HELLO OS:");
        line += StringOf(parser, "OS");
        line += " Resolution ";
        line += StringOf(parser, "ResolutionH");
        line += " x ";
        line += StringOf(parser, "ResolutionV");
        handler.WriteLog(line, LogKind::Received);
        return true;
    }
    if (command == "CHANGE") {
        line = Sjis("受信：CHANGE");
        const JsonValue* current = parser.GetCurrent();
        if (current != nullptr && current->Find("Dialog") != nullptr) {
            line += " Dialog Name:";
            line += StringOf(parser, "Name");
        }
        handler.WriteLog(line, LogKind::Received);
        return true;
    }
    if (command == "CONDITION") {
        line = Sjis("受信：CONDITION ");
        line += text;
        handler.WriteLog(line, LogKind::Received);
        return true;
    }
    if (command == "GETFILE") {
        GetFileRequest request;
        request.file = StringOf(parser, "File");
        request.objectName = StringOf(parser, "ObjectName");
        request.date = StringOf(parser, "Date");
        std::int32_t length = 0;
        if (parser.GetInt("Length", length)) {
            request.length = length;
        }
        line = Sjis("受信：GETFILE");
        if (!request.file.empty()) {
            line += " File:" + request.file;
        }
        if (!request.objectName.empty()) {
            line += " ObjectName:" + request.objectName;
        }
        if (!request.date.empty()) {
            line += " Date:" + request.date;
        }
        if (request.length > 0) {
            line += " Length:" + std::to_string(request.length);
        }
        handler.WriteLog(line, LogKind::Received);
        handler.OnGetFile(request);
        return true;
    }
    return false;
}

}  // namespace

void HandleCommandText(std::string_view text, CommandHandler& handler) {
    JsonParser parser;
    if (!parser.Parse(text)) {
        handler.WriteLog(Sjis("コマンド解析エラー:") + std::string(text), LogKind::Error);
        return;
    }
    bool registered = true;
    if (parser.GetRoot().Find("Commands") != nullptr) {
        JsonArrayWalk walk(parser.GetArray("Commands"));
        const JsonValue* root = parser.GetCurrent();
        bool any = false;
        while (parser.NextElement(walk)) {
            any = true;
            if (!DispatchOne(parser, text, handler)) {
                registered = false;
                break;
            }
        }
        parser.SetCurrent(root);
        registered = registered && any;
    } else {
        registered = DispatchOne(parser, text, handler);
    }
    if (!registered) {
        std::string line = Sjis("コマンド受信 ");
        line += std::to_string(text.size());
        line += Sjis("Byte 未登録のコマンドを受信しました。\n");
        line += text;
        handler.WriteLog(line, LogKind::Received);
    }
}

std::string FrameOverflowLogText(std::string_view assembled, std::size_t capacity) {
    std::string line = Sjis("コマンド受信エラー ");
    line += std::to_string(capacity);
    line += Sjis("Byte 受信でETXが見つかりませんでした。\n");
    line += assembled;
    return line;
}

std::string_view KeepAliveFrame() {
    return "\x02{'Command':'KEEPALIVE'}\x03";
}

std::string Frame(std::string_view text) {
    std::string frame;
    frame.reserve(text.size() + 2);
    frame += kStx;
    frame += text;
    frame += kEtx;
    return frame;
}

std::string SentLogText(std::string_view text) {
    std::string line = Sjis("送信 ");
    line += std::to_string(text.size());
    line += "Byte\n";
    line += text;
    return line;
}

std::string SendCountErrorLogText(long long returned, std::uint64_t asked, int error,
                                  std::string_view header) {
    std::string line = Sjis("送信 error ret:");
    line += std::to_string(returned) + " != send:" + std::to_string(asked) +
            " (eno:" + std::to_string(error) + ")\n";
    line += header;
    return line;
}

GetFileAnswer AnswerGetFile(const GetFileRequest& request, const std::string& projectFolder) {
    GetFileAnswer answer;
    const std::string objectName =
        request.objectName.empty() ? std::string() : ",'ObjectName':'" + request.objectName + "'";
    const std::string name = Cp932ToUtf8(request.file);
    FileBody body;
    std::int64_t mtime = 0;
    OpenResult opened = OpenResult::Missing;
    if (StaysInsideFolder(name, false)) {
        opened = OpenFileBody(projectFolder + "resources/" + name, body, &mtime);
    } else {
        answer.before.push_back(
            {Sjis("プロジェクトフォルダの外を指すファイル名なので送信しません。File:") +
                 request.file,
             LogKind::Error});
    }
    if (opened == OpenResult::Missing) {
        answer.kind = GetFileAnswer::Kind::Error;
        answer.text = "{'Command':'PUTFILE','File':'" + request.file + "','Status':'ERROR'" +
                      objectName + "}";
        answer.frame = Frame(answer.text);
        answer.after.push_back({SentLogText(answer.text), LogKind::Sent});
        return answer;
    }
    if (opened == OpenResult::Unreadable) {
        return answer;
    }
    const std::string date = FormatFileDate(mtime);
    if (request.length >= 0 && static_cast<std::uint64_t>(request.length) == body.Size() &&
        request.date == date) {
        answer.kind = GetFileAnswer::Kind::Latest;
        answer.text = "{'Command':'PUTFILE','File':'" + request.file +
                      "','Status':'LATEST','Date':'" + date + "'" + objectName + "}";
        answer.frame = Frame(answer.text);
        answer.after.push_back({SentLogText(answer.text), LogKind::Sent});
        return answer;
    }
    answer.kind = GetFileAnswer::Kind::File;
    answer.text = "{'Command':'PUTFILE','File':'" + request.file +
                  "','Length':" + std::to_string(body.Size()) + ",'Date':'" + date + "'" +
                  objectName + "}";
    answer.frame = Frame(answer.text);
    std::string line = Sjis("送信 ");
    line += std::to_string(answer.text.size()) + "+4+" + std::to_string(body.Size()) + "Byte\n";
    line += answer.text;
    answer.after.push_back({std::move(line), LogKind::Sent});
    answer.body = std::move(body);
    return answer;
}

}  // namespace ze::link
