#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "layout/preview_layout.h"

class QGuiApplication;

namespace ze {
class CZeResourceData;
}

namespace ze::cli {

// A --sizes list as given: sizes, and the words that stand for sizes.
struct PageSizeList {
    std::vector<LayoutSize> sizes;
    bool devices = false;  // the device list's default sizes
    bool project = false;  // the project's DeviceWidth x DeviceHeight

    bool Empty() const { return sizes.empty() && !devices && !project; }
};

// LIST: comma-separated WxH (each side 1 to 16384), "devices" or
// "project". A wrong value is reported as the other numeric options are.
bool ParsePageSizes(std::string_view command, std::string_view option, std::string_view value,
                    PageSizeList& list);

// The sizes of list for project, in the order given, each once.
std::vector<LayoutSize> ResolvePageSizes(const PageSizeList& list, const CZeResourceData& project);

// --expand PERCENT, 0 to 100.
bool ParseExpandPercent(std::string_view command, std::string_view value, int& percent);

// Fonts need a GUI application; it runs on the offscreen platform (unless
// QT_QPA_PLATFORM says otherwise), so no display is needed, and only Qt's
// critical messages reach standard error.
std::unique_ptr<QGuiApplication> StartOffscreenGui();

}  // namespace ze::cli
