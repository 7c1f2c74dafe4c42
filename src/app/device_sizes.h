#pragma once

#include <QSize>
#include <QString>
#include <optional>
#include <vector>

#include "layout/layout_checks.h"

namespace ze::app {

class CProfileSettings;

// One screen of the device list: a name the user gives it, its size in
// portrait and whether it is shown turned to landscape.
struct DeviceSize {
    QString name;
    int width = 0;
    int height = 0;
    bool landscape = false;

    // The size the dialog is laid out at: turned for landscape.
    QSize LayoutSize() const;
    // "NAME  W × H (縦)" above the tile.
    QString Caption() const;
    friend bool operator==(const DeviceSize&, const DeviceSize&) = default;
};

// The largest width or height a device size may have.
inline constexpr int kMaxDeviceSide = 16384;

// A few common phones and tablets, each upright and turned.
std::vector<DeviceSize> DefaultDeviceSizes();

// The list kept in the settings ("[DEVICES]", "Count" and "Device1" ...
// "DeviceN" as "NAME,WIDTH,HEIGHT,P|L", the name in Shift_JIS); the
// defaults when the settings hold none. Entries that do not read are
// skipped.
std::vector<DeviceSize> ReadDeviceSizes(const CProfileSettings& settings);
// False when the settings file could not be written.
bool WriteDeviceSizes(CProfileSettings& settings, const std::vector<DeviceSize>& sizes);

// The device list's "テキスト拡張", 0 to 100 (% of each text added), kept
// as "TextExpansion" in "[DEVICES]"; 0 when not kept or out of range.
int ReadTextExpansion(const CProfileSettings& settings);
bool WriteTextExpansion(CProfileSettings& settings, int percent);

// What the "問題" tab lays each dialog out at: the list's sizes, turned
// as listed, with the list's text expansion.
LayoutCheckOptions DeviceListCheckOptions(const std::vector<DeviceSize>& sizes, int expandPercent);
LayoutCheckOptions DeviceListCheckOptions(const CProfileSettings& settings);

// One entry as the settings keep it, and back; nothing for text that does
// not read (a name may hold commas: the last three fields are the numbers
// and the turn).
QString DeviceSizeText(const DeviceSize& size);
std::optional<DeviceSize> ParseDeviceSize(const QString& text);

}  // namespace ze::app
