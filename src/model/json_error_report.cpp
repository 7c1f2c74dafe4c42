#include "model/json_error_report.h"

#include <cstdio>

#include "model/json_byte_reader.h"

namespace ze {

namespace {

template <typename... Args>
void AppendFormat(std::string& out, const char* format, Args... args) {
    char buffer[128];
    const int length = std::snprintf(buffer, sizeof buffer, format, args...);
    if (length > 0) {
        out.append(buffer, static_cast<std::size_t>(length));
    }
}

}  // namespace

std::string BuildJsonErrorReport(std::string_view text, std::size_t errorOffset) {
    // The parser does not count lines while it reads (that would slow down
    // every load); replaying the bytes it read through the line-counting reader
    // gives the line and line start it would have had.
    JsonByteReader replay(text);
    for (std::size_t i = 0; i < errorOffset; ++i) {
        replay.Read();
    }
    const std::size_t showFrom = replay.PreviousLineStart();

    std::string report;
    AppendFormat(report, "Parse error\n line:%zu  byte:%zu\n show from %zu byte\n\n", replay.Line(),
                 errorOffset, showFrom);

    int lineFeeds = 0;
    for (std::size_t offset = showFrom;; ++offset) {
        if (offset == errorOffset) {
            report += '!';
        }
        if (offset >= text.size()) {
            break;
        }
        const unsigned char byte = static_cast<unsigned char>(text[offset]);
        if (byte == '\n') {
            if (++lineFeeds == 2) {
                break;
            }
            continue;
        }
        if (byte >= 0x20 || byte == 0x09 || byte == 0x0E) {
            report += static_cast<char>(byte);
        } else {
            AppendFormat(report, "(%x)", static_cast<unsigned>(byte));
        }
    }
    report += "\n\nput '!' at error pos. under 0x20, (Hex).\n";
    return report;
}

}  // namespace ze
