#pragma once

#include <array>
#include <vector>

#include "layout/preview_layout.h"

namespace ze {

// The screens the device list starts with (a small, a common and a large
// phone and a tablet), upright; the list shows each upright and turned.
inline constexpr std::array<LayoutSize, 4> kDefaultScreens = {
    LayoutSize{360, 640}, LayoutSize{393, 852}, LayoutSize{430, 932}, LayoutSize{800, 1280}};

// The device list's default page sizes in its order: each screen upright,
// then turned.
std::vector<LayoutSize> DefaultDevicePageSizes();

}  // namespace ze
