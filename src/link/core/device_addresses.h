#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Several devices at once: the addresses typed for "接続" and the prefix
// that tells the devices' log lines apart.
namespace ze::link {

struct DeviceAddress {
    std::uint32_t address = 0;  // IPv4, host byte order
    int port = 0;
    friend bool operator==(const DeviceAddress&, const DeviceAddress&) = default;
};

// Dotted IPv4 addresses, each with an optional ":port" (else defaultPort),
// separated by commas, semicolons, spaces or line ends. False at the first
// entry that is not one, with that entry in bad; addresses is then
// unchanged. A repeated entry is taken once.
bool ParseDeviceAddresses(std::string_view text, int defaultPort,
                          std::vector<DeviceAddress>& addresses, std::string& bad);

// The line of one device while several are held: "[endpoint] " first. With
// one device (several false) the text as it is.
std::string DeviceLogText(std::string_view endpoint, std::string_view text, bool several);

}  // namespace ze::link
