#include "app/device_sizes.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <iterator>
#include <string>

#include "app/profile_settings.h"
#include "common/cp932.h"
#include "layout/device_screens.h"

namespace ze::app {

namespace {

constexpr const char* kSection = "DEVICES";

}  // namespace

QSize DeviceSize::LayoutSize() const {
    return landscape ? QSize(height, width) : QSize(width, height);
}

QString DeviceSize::Caption() const {
    const QSize size = LayoutSize();
    return QStringLiteral("%1  %2 × %3 (%4)")
        .arg(name)
        .arg(size.width())
        .arg(size.height())
        .arg(landscape ? QCoreApplication::translate("Editor", "横")
                       : QCoreApplication::translate("Editor", "縦"));
}

std::vector<DeviceSize> DefaultDeviceSizes() {
    // The sizes are the layout checks' too (ze-tool lint --sizes devices).
    static constexpr const char* kNames[] = {
        QT_TRANSLATE_NOOP("Editor", "小型スマートフォン"),
        QT_TRANSLATE_NOOP("Editor", "スマートフォン"),
        QT_TRANSLATE_NOOP("Editor", "大型スマートフォン"),
        QT_TRANSLATE_NOOP("Editor", "タブレット"),
    };
    static_assert(std::size(kNames) == kDefaultScreens.size());
    std::vector<DeviceSize> sizes;
    for (std::size_t i = 0; i < kDefaultScreens.size(); ++i) {
        for (const bool landscape : {false, true}) {
            sizes.push_back({QCoreApplication::translate("Editor", kNames[i]),
                             kDefaultScreens[i].width, kDefaultScreens[i].height, landscape});
        }
    }
    return sizes;
}

int ReadTextExpansion(const CProfileSettings& settings) {
    const int percent = settings.ReadInt(kSection, "TextExpansion", 0);
    return percent >= 0 && percent <= 100 ? percent : 0;
}

bool WriteTextExpansion(CProfileSettings& settings, int percent) {
    return settings.WriteInt(kSection, "TextExpansion", percent);
}

LayoutCheckOptions DeviceListCheckOptions(const std::vector<DeviceSize>& sizes,
                                          int expandPercent) {
    LayoutCheckOptions options;
    options.expandPercent = expandPercent;
    for (const DeviceSize& size : sizes) {
        const QSize laid = size.LayoutSize();
        const ze::LayoutSize page{laid.width(), laid.height()};
        // Two entries of one size would report everything twice.
        if (std::find(options.sizes.begin(), options.sizes.end(), page) == options.sizes.end()) {
            options.sizes.push_back(page);
        }
    }
    return options;
}

LayoutCheckOptions DeviceListCheckOptions(const CProfileSettings& settings) {
    return DeviceListCheckOptions(ReadDeviceSizes(settings), ReadTextExpansion(settings));
}

QString DeviceSizeText(const DeviceSize& size) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(size.name)
        .arg(size.width)
        .arg(size.height)
        .arg(size.landscape ? QLatin1Char('L') : QLatin1Char('P'));
}

std::optional<DeviceSize> ParseDeviceSize(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() < 4) {
        return std::nullopt;
    }
    const auto count = fields.size();
    bool widthRead = false;
    bool heightRead = false;
    DeviceSize size;
    size.name = fields.mid(0, count - 3).join(QLatin1Char(',')).trimmed();
    size.width = fields[count - 3].trimmed().toInt(&widthRead);
    size.height = fields[count - 2].trimmed().toInt(&heightRead);
    const QString turn = fields[count - 1].trimmed();
    size.landscape = turn == QLatin1String("L");
    const auto inRange = [](int side) { return side > 0 && side <= kMaxDeviceSide; };
    if (size.name.isEmpty() || !widthRead || !heightRead || !inRange(size.width) ||
        !inRange(size.height) || (turn != QLatin1String("L") && turn != QLatin1String("P"))) {
        return std::nullopt;
    }
    return size;
}

std::vector<DeviceSize> ReadDeviceSizes(const CProfileSettings& settings) {
    const int count = settings.ReadInt(kSection, "Count", -1);
    if (count < 0) {
        return DefaultDeviceSizes();
    }
    std::vector<DeviceSize> sizes;
    for (int i = 1; i <= count; ++i) {
        const std::string text = settings.ReadString(kSection, "Device" + std::to_string(i), "");
        if (const auto size = ParseDeviceSize(QString::fromStdString(Cp932ToUtf8(text)))) {
            sizes.push_back(*size);
        }
    }
    return sizes;
}

bool WriteDeviceSizes(CProfileSettings& settings, const std::vector<DeviceSize>& sizes) {
    const int before = settings.ReadInt(kSection, "Count", 0);
    bool written = settings.WriteInt(kSection, "Count", static_cast<int>(sizes.size()));
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        written = settings.WriteString(kSection, "Device" + std::to_string(i + 1),
                                       Utf8ToCp932(DeviceSizeText(sizes[i]).toStdString())) &&
                  written;
    }
    // Entries beyond the new end are dropped.
    for (int i = static_cast<int>(sizes.size()) + 1; i <= before; ++i) {
        written = settings.DeleteKey(kSection, "Device" + std::to_string(i)) && written;
    }
    return written;
}

}  // namespace ze::app
