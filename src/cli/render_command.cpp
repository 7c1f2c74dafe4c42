#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>

#include "cli/commands.h"
#include "cli/option_values.h"
#include "cli/usage.h"
#include "common/cp932.h"
#include "layout/qt/device_look.h"
#include "layout/qt/view_paint.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze::cli {

namespace {

struct RenderOptions {
    std::vector<std::string> inputs;
    std::string dialog;
    std::string output;
    int width = 400;
    int height = 300;
    std::int32_t page = 0;
    std::set<std::string> selected;  // Shift_JIS names
    bool look = false;
    std::string folder;  // the project folder; empty: the first input's folder
};

// The largest side of the client area painted: a bigger image would only
// take memory (16384 x 16384 at 4 bytes a pixel is already 1 GiB).
constexpr int kMaxRenderSide = 16384;

// False, with a message on standard error for an option that is wrong.
bool ParseArguments(const Arguments& args, RenderOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const bool takesValue = arg == "--dialog" || arg == "-o" || arg == "--size" ||
                                arg == "--page" || arg == "--folder" || arg == "--select";
        if (takesValue && !hasValue) {
            std::cerr << "ze-tool render: " << arg << " needs a value\n";
            return false;
        }
        if (arg == "--dialog") {
            options.dialog = args[++i];
        } else if (arg == "-o") {
            options.output = args[++i];
        } else if (arg == "--size") {
            if (!ParseSizeOption("render", arg, args[++i], kMaxRenderSide, options.width,
                                 options.height)) {
                return false;
            }
        } else if (arg == "--page") {
            if (!ParseNumberOption("render", arg, args[++i], INT32_MIN, INT32_MAX, options.page)) {
                return false;
            }
        } else if (arg == "--look") {
            options.look = true;
        } else if (arg == "--folder") {
            options.folder = args[++i];
        } else if (arg == "--select") {
            const std::string& names = args[++i];
            for (std::size_t start = 0; start <= names.size();) {
                const std::size_t comma = std::min(names.find(',', start), names.size());
                if (comma > start) {
                    options.selected.insert(Utf8ToCp932(names.substr(start, comma - start)));
                }
                start = comma + 1;
            }
        } else if (arg.starts_with("-") && arg != "-") {
            std::cerr << "ze-tool render: unknown option \"" << arg << "\"\n";
            return false;
        } else {
            options.inputs.push_back(arg);
        }
    }
    return !options.inputs.empty() && !options.dialog.empty() && !options.output.empty();
}

// Selects every object and group named in names, as the resource panel's
// selection does (a group with everything below it).
void SelectNamed(CObjectData& element, const std::set<std::string>& names) {
    if (names.contains(element.GetItem("Name"))) {
        element.SetSelected(true);
    }
    if (element.IsGroup()) {
        for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
            SelectNamed(*child, names);
        }
    }
}

}  // namespace

int RunRender(const Arguments& args) {
    RenderOptions options;
    if (!ParseArguments(args, options)) {
        PrintSynopsis(std::cerr, "render");
        return 2;
    }
    CZeResourceData project;
    for (const std::string& input : options.inputs) {
        if (const LoadOutcome outcome = LoadProjectFile(project, input);
            outcome != LoadOutcome::kLoaded) {
            return ExitStatusOf(outcome, 1);
        }
    }
    CZeDialogData* dialog = project.GetDialogs().FindDialog(Utf8ToCp932(options.dialog));
    if (dialog == nullptr) {
        std::cerr << "ze-tool render: no dialog is named \"" << options.dialog << "\"\n";
        return 1;
    }
    if (dialog->GetRootGroup() != nullptr && !options.selected.empty()) {
        SelectNamed(*dialog->GetRootGroup(), options.selected);
    }
    dialog->SetCurrentPage(options.page);

    // Fonts need a GUI application; the offscreen platform needs no display.
    // Qt's notes about the session (no runtime folder...) are no concern of
    // a render; ze-tool reports its own failures.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::cerr << text.toStdString() << '\n';
        }
    });
    int argc = 1;
    char name[] = "ze-tool";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    QImage image(options.width, options.height, QImage::Format_RGB32);
    ViewPainter painter;
    DeviceLook look;
    if (options.look) {
        LookSources sources;
        sources.projectFolder = options.folder;
        if (sources.projectFolder.empty()) {
            std::error_code error;
            const std::filesystem::path first =
                std::filesystem::absolute(options.inputs.front(), error);
            sources.projectFolder = first.parent_path().string();
        }
        sources.builtInFolder = (QCoreApplication::applicationDirPath() + "/assets").toStdString();
        look.SetSources(sources);
        painter.SetDeviceLook(&look);
    }
    painter.Paint(image, project, *dialog);
    if (!image.save(QString::fromStdString(options.output), "PNG")) {
        std::cerr << options.output << ": cannot be written\n";
        return 1;
    }
    return 0;
}

}  // namespace ze::cli
