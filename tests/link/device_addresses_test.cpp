#include "link/core/device_addresses.h"

#include <gtest/gtest.h>

namespace ze::link {
namespace {

TEST(DeviceAddressesTest, ListsOfAddressesReadAsTyped) {
    const struct {
        const char* text;
        std::vector<DeviceAddress> addresses;
    } cases[] = {
        {"", {}},
        {" \n, ", {}},
        {"192.168.1.20", {{0xC0A80114, 5000}}},
        {"192.168.1.20:51234", {{0xC0A80114, 51234}}},
        {"10.0.0.1, 10.0.0.2:6000", {{0x0A000001, 5000}, {0x0A000002, 6000}}},
        {"10.0.0.1\r\n10.0.0.2\n\n10.0.0.3;",
         {{0x0A000001, 5000}, {0x0A000002, 5000}, {0x0A000003, 5000}}},
        // The same device twice is one connection.
        {"10.0.0.1,10.0.0.1:5000,10.0.0.1:5001", {{0x0A000001, 5000}, {0x0A000001, 5001}}},
        {"0.0.0.0 255.255.255.255:65535", {{0, 5000}, {0xFFFFFFFF, 65535}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<DeviceAddress> addresses = {{1, 1}};
        std::string bad = "untouched";
        ASSERT_TRUE(ParseDeviceAddresses(c.text, 5000, addresses, bad));
        EXPECT_EQ(addresses, c.addresses);
        EXPECT_EQ(bad, "untouched");
    }
}

TEST(DeviceAddressesTest, TheFirstWrongEntryIsNamedAndNothingIsTaken) {
    const struct {
        const char* text;
        const char* bad;
    } cases[] = {
        {"10.0.0.256", "10.0.0.256"},   {"10.0.0", "10.0.0"},
        {"10.0.0.1.2", "10.0.0.1.2"},   {"10.0.0.1, host.local", "host.local"},
        {"10.0.0.1:0", "10.0.0.1:0"},   {"10.0.0.1:65536", "10.0.0.1:65536"},
        {"10.0.0.1:", "10.0.0.1:"},     {"10..0.1", "10..0.1"},
        {"10.0.0.0001", "10.0.0.0001"}, {"-1.0.0.1", "-1.0.0.1"},
        {"10.0.0.1 :5000", ":5000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<DeviceAddress> addresses = {{1, 1}};
        std::string bad;
        EXPECT_FALSE(ParseDeviceAddresses(c.text, 5000, addresses, bad));
        EXPECT_EQ(bad, c.bad);
        EXPECT_EQ(addresses, (std::vector<DeviceAddress>{{1, 1}}));
    }
}

TEST(DeviceAddressesTest, OnlySeveralDevicesPrefixTheirLines) {
    EXPECT_EQ(DeviceLogText("10.0.0.1:5000", "受信：DIALOG", false), "受信：DIALOG");
    EXPECT_EQ(DeviceLogText("10.0.0.1:5000", "受信：DIALOG", true), "[10.0.0.1:5000] 受信：DIALOG");
    EXPECT_EQ(DeviceLogText("", "受信：DIALOG", true), "受信：DIALOG");
}

}  // namespace
}  // namespace ze::link
