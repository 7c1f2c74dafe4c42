#pragma once

#include <QPainter>
#include <QSize>
#include <cstdint>
#include <string>

#include "layout/qt/image_cache.h"
#include "layout/qt/painter_canvas.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;

// Where the device mode finds images: UTF-8 folder paths, empty for none.
struct LookSources {
    // The project folder; its "resources" sub-folder holds STATION images.
    std::string projectFolder;
    // The built-in images (the "assets" folder beside the executables).
    std::string builtInFolder;

    friend bool operator==(const LookSources&, const LookSources&) = default;
};

// The state the device mode keeps between paints: its sources, its image
// cache and its laid-out texts. One is shared by every window.
class DeviceLook {
public:
    void SetSources(const LookSources& sources) { sources_ = sources; }
    const LookSources& Sources() const { return sources_; }
    ImageCache& Images() { return images_; }
    LabelCache& Labels() { return labels_; }

private:
    LookSources sources_;
    ImageCache images_;
    LabelCache labels_;
};

// Paints dialog as the device shows it, in a client area of the given size:
// the same page and rectangles as DrawPreview, the page white, then each
// shown element's fill, image and text, parents before children. The
// painter is left as it was given. docs/device-look.md lists the rules.
// Every text is drawn lengthened by expandPercent of itself (ExpandedText),
// to try longer translations and values.
void PaintDeviceLook(QPainter& painter, const CZeResourceData& project, CZeDialogData& dialog,
                     QSize client, DeviceLook& look, std::int32_t expandPercent = 0);

}  // namespace ze
