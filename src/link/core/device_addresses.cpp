#include "link/core/device_addresses.h"

#include <algorithm>
#include <charconv>

namespace ze::link {

namespace {

bool ReadPart(std::string_view text, int maximum, int& value) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0 &&
           value <= maximum;
}

bool ParseOne(std::string_view entry, int defaultPort, DeviceAddress& parsed) {
    int port = defaultPort;
    if (const std::size_t colon = entry.find(':'); colon != std::string_view::npos) {
        if (!ReadPart(entry.substr(colon + 1), 65535, port) || port == 0) {
            return false;
        }
        entry = entry.substr(0, colon);
    }
    std::uint32_t address = 0;
    int parts = 0;
    bool more = true;
    while (more) {
        const std::size_t dot = entry.find('.');
        const std::string_view part = entry.substr(0, dot);
        int value = 0;
        // Three digits at most: "0001" is not how anyone writes a byte.
        if (++parts > 4 || part.size() > 3 || !ReadPart(part, 255, value)) {
            return false;
        }
        address = (address << 8) | static_cast<std::uint32_t>(value);
        more = dot != std::string_view::npos;
        entry = more ? entry.substr(dot + 1) : std::string_view();
    }
    if (parts != 4) {
        return false;
    }
    parsed = {address, port};
    return true;
}

}  // namespace

bool ParseDeviceAddresses(std::string_view text, int defaultPort,
                          std::vector<DeviceAddress>& addresses, std::string& bad) {
    constexpr std::string_view kSeparators = ", ;\t\r\n";
    std::vector<DeviceAddress> found;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(kSeparators, at);
        if (start == std::string_view::npos) {
            break;
        }
        std::size_t end = text.find_first_of(kSeparators, start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view entry = text.substr(start, end - start);
        DeviceAddress parsed;
        if (!ParseOne(entry, defaultPort, parsed)) {
            bad = std::string(entry);
            return false;
        }
        if (std::find(found.begin(), found.end(), parsed) == found.end()) {
            found.push_back(parsed);
        }
        at = end;
    }
    addresses = std::move(found);
    return true;
}

std::string DeviceLogText(std::string_view endpoint, std::string_view text, bool several) {
    if (!several || endpoint.empty()) {
        return std::string(text);
    }
    std::string line;
    line.reserve(endpoint.size() + 3 + text.size());
    line += '[';
    line += endpoint;
    line += "] ";
    line += text;
    return line;
}

}  // namespace ze::link
