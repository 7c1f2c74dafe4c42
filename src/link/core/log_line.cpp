#include "link/core/log_line.h"

namespace ze::link {

std::string_view LogMarker(LogKind kind) {
    switch (kind) {
        case LogKind::Info:
        case LogKind::Plain:
            return "#";
        case LogKind::Error:
            return "!";
        case LogKind::Received:
            return "<";
        case LogKind::Sent:
            return ">";
        case LogKind::Trace:
            break;
    }
    return "?";
}

LogColour LogColourOf(LogKind kind) {
    switch (kind) {
        case LogKind::Info:
        case LogKind::Plain:
            return {0, 0, 0};
        case LogKind::Error:
            return {255, 0, 0};
        case LogKind::Received:
            return {80, 80, 200};
        case LogKind::Sent:
            return {30, 170, 0};
        case LogKind::Trace:
            break;
    }
    return {100, 100, 100};
}

std::string FormatLogLine(std::string_view text, LogKind kind, std::time_t now) {
    std::string line;
    line.reserve(text.size() + 12);
    if (kind != LogKind::Plain) {
        // A busy link writes many lines a second: each second is written
        // out once.
        thread_local std::time_t stampTime = -1;
        thread_local char stamp[16];
        thread_local std::size_t stampLength = 0;
        if (now != stampTime) {
            std::tm local{};
            localtime_r(&now, &local);
            stampLength = std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
            stampTime = now;
        }
        line.append(stamp, stampLength);
    }
    line += LogMarker(kind);
    line += text;
    line += '\n';
    return line;
}

std::string FormatLogLine(std::string_view text, LogKind kind) {
    return FormatLogLine(text, kind, std::time(nullptr));
}

}  // namespace ze::link
