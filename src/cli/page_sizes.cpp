#include "cli/page_sizes.h"

#include <QGuiApplication>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "cli/option_values.h"
#include "layout/device_screens.h"
#include "model/resource_data.h"

namespace ze::cli {

namespace {

constexpr int kMaxPageSide = 16384;

}  // namespace

bool ParsePageSizes(std::string_view command, std::string_view option, std::string_view value,
                    PageSizeList& list) {
    PageSizeList read;
    bool good = !value.empty();
    for (std::size_t start = 0; good && start <= value.size();) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const std::string_view part = value.substr(start, comma - start);
        start = comma + 1;
        if (part == "devices") {
            read.devices = true;
            continue;
        }
        if (part == "project") {
            read.project = true;
            continue;
        }
        const std::size_t x = part.find('x');
        LayoutSize size;
        good = x != std::string_view::npos &&
               ReadNumber(part.substr(0, x), 1, kMaxPageSide, size.width) &&
               ReadNumber(part.substr(x + 1), 1, kMaxPageSide, size.height);
        if (good) {
            read.sizes.push_back(size);
        }
    }
    if (!good) {
        std::cerr << "ze-tool " << command << ": " << option
                  << ": expected WIDTHxHEIGHT (each side 1 to " << kMaxPageSide
                  << "), devices or project, separated by commas, got '" << value << "'\n";
        return false;
    }
    list = std::move(read);
    return true;
}

std::vector<LayoutSize> ResolvePageSizes(const PageSizeList& list, const CZeResourceData& project) {
    std::vector<LayoutSize> all;
    if (list.project) {
        // The size the project's tile and "実寸" lay a dialog out at.
        all.push_back(ProjectDeviceSize(project));
    }
    if (list.devices) {
        const std::vector<LayoutSize> devices = DefaultDevicePageSizes();
        all.insert(all.end(), devices.begin(), devices.end());
    }
    all.insert(all.end(), list.sizes.begin(), list.sizes.end());
    std::vector<LayoutSize> once;
    for (const LayoutSize& size : all) {
        if (std::find(once.begin(), once.end(), size) == once.end()) {
            once.push_back(size);
        }
    }
    return once;
}

bool ParseExpandPercent(std::string_view command, std::string_view value, int& percent) {
    return ParseNumberOption(command, "--expand", value, 0, 100, percent);
}

std::unique_ptr<QGuiApplication> StartOffscreenGui() {
    // Qt's notes about the session (no runtime folder...) are no concern of
    // a command; ze-tool reports its own failures.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::cerr << text.toStdString() << '\n';
        }
    });
    static int argc = 1;
    static char name[] = "ze-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace ze::cli
