#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <iostream>
#include <set>
#include <string>

#include "cli/commands.h"
#include "cli/option_values.h"
#include "cli/page_sizes.h"
#include "cli/picture_compare.h"
#include "cli/usage.h"
#include "common/cp932.h"
#include "layout/layout_checks.h"
#include "layout/qt/device_look.h"
#include "layout/qt/font_measure.h"
#include "layout/qt/view_paint.h"
#include "model/object_data.h"
#include "model/property_names.h"
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
    int expand = 0;
    // Many pictures: every dialog (or the one named) at every size, into a
    // folder, or compared with the pictures of another.
    bool all = false;
    PageSizeList sizes;
    std::string outFolder;
    std::string compareFolder;
    int tolerance = 0;

    bool Batch() const { return all || !outFolder.empty() || !compareFolder.empty(); }
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
                                arg == "--page" || arg == "--folder" || arg == "--select" ||
                                arg == "--sizes" || arg == "--out" || arg == "--compare" ||
                                arg == "--tolerance" || arg == "--expand";
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
        } else if (arg == "--all") {
            options.all = true;
        } else if (arg == "--folder") {
            options.folder = args[++i];
        } else if (arg == "--out") {
            options.outFolder = args[++i];
        } else if (arg == "--compare") {
            options.compareFolder = args[++i];
        } else if (arg == "--sizes") {
            if (!ParsePageSizes("render", arg, args[++i], options.sizes)) {
                return false;
            }
        } else if (arg == "--tolerance") {
            if (!ParseNumberOption("render", arg, args[++i], 0, 255, options.tolerance)) {
                return false;
            }
        } else if (arg == "--expand") {
            if (!ParseExpandPercent("render", args[++i], options.expand)) {
                return false;
            }
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
    if (options.inputs.empty()) {
        return false;
    }
    if (options.Batch()) {
        // One dialog or all of them, always into a folder.
        if (options.outFolder.empty() || !options.output.empty() ||
            options.all == !options.dialog.empty()) {
            return false;
        }
        if (options.sizes.Empty()) {
            options.sizes.project = true;
        }
        return true;
    }
    return !options.dialog.empty() && !options.output.empty() && options.sizes.Empty();
}

// Selects every object and group named in names, as the resource panel's
// selection does (a group with everything below it).
void SelectNamed(CObjectData& element, const std::set<std::string>& names) {
    if (names.contains(element.GetItem(prop::kName))) {
        element.SetSelected(true);
    }
    if (element.IsGroup()) {
        for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
            SelectNamed(*child, names);
        }
    }
}

// The file name of a dialog's picture at a size: "Main@360x640". A
// folder separator in the Name would put the picture elsewhere.
std::string PictureName(const CZeDialogData& dialog, LayoutSize size) {
    std::string name = Cp932ToUtf8(dialog.GetItem(prop::kName));
    std::replace(name.begin(), name.end(), '/', '_');
    if (name.empty() || name == "." || name == "..") {
        name = "_" + name;
    }
    return name + "@" + PageSizeText(size);
}

// The page as a device of that size shows it: laid out as a device list
// tile lays it out, without the checkered margin around it.
QImage PaintPage(ViewPainter& painter, const CZeResourceData& project, CZeDialogData& dialog,
                 LayoutSize size) {
    QImage client(size.width + 10, size.height + 10, QImage::Format_RGB32);
    painter.Paint(client, project, dialog);
    return client.copy(5, 5, size.width, size.height);
}

bool Save(const QImage& image, const std::filesystem::path& path) {
    if (image.save(QString::fromStdString(path.string()), "PNG")) {
        return true;
    }
    std::cerr << path.string() << ": cannot be written\n";
    return false;
}

// --all and --compare: every dialog chosen at every size.
int RenderMany(const RenderOptions& options, CZeResourceData& project, ViewPainter& painter) {
    namespace fs = std::filesystem;
    std::vector<CZeDialogData*> dialogs;
    if (options.all) {
        const CZeDialogDataList& list = project.GetDialogs();
        for (std::size_t i = 0; i < list.GetCount(); ++i) {
            dialogs.push_back(list.GetDialog(i));
        }
    } else if (CZeDialogData* dialog =
                   project.GetDialogs().FindDialog(Utf8ToCp932(options.dialog))) {
        dialogs.push_back(dialog);
    } else {
        std::cerr << "ze-tool render: no dialog is named \"" << options.dialog << "\"\n";
        return 1;
    }
    const std::vector<LayoutSize> sizes = ResolvePageSizes(options.sizes, project);
    const fs::path out(options.outFolder);
    std::error_code error;
    fs::create_directories(out, error);
    const bool comparing = !options.compareFolder.empty();
    const fs::path reference(options.compareFolder);
    // The report names the references from the report's folder.
    fs::path toReference = fs::relative(fs::absolute(reference, error), fs::absolute(out, error),
                                        error);
    if (error || toReference.empty()) {
        toReference = fs::absolute(reference, error);
    }
    std::vector<ReportEntry> report;
    bool differs = false;
    for (CZeDialogData* dialog : dialogs) {
        if (dialog->GetRootGroup() != nullptr && !options.selected.empty()) {
            SelectNamed(*dialog->GetRootGroup(), options.selected);
        }
        dialog->SetCurrentPage(options.page);
        for (const LayoutSize& size : sizes) {
            const QImage picture = PaintPage(painter, project, *dialog, size);
            const std::string name = PictureName(*dialog, size);
            const std::string file = name + ".png";
            if (!comparing) {
                if (!Save(picture, out / file)) {
                    return 1;
                }
                continue;
            }
            QImage kept;
            const fs::path keptPath = reference / file;
            if (!fs::is_regular_file(keptPath, error) ||
                !kept.load(QString::fromStdString(keptPath.string()), "PNG")) {
                differs = true;
                std::cout << "new " << name << '\n';
                if (!Save(picture, out / file)) {
                    return 1;
                }
                report.push_back({name, "", file, "", 0});
                continue;
            }
            const PictureDifference difference =
                ComparePictures(kept, picture, options.tolerance);
            if (difference.pixels == 0) {
                std::cout << "same " << name << '\n';
                continue;
            }
            differs = true;
            std::cout << "changed " << name << ": " << difference.pixels << " pixels\n";
            const std::string marked = name + ".diff.png";
            if (!Save(picture, out / file) || !Save(difference.marked, out / marked)) {
                return 1;
            }
            report.push_back(
                {name, (toReference / file).generic_string(), file, marked, difference.pixels});
        }
    }
    if (comparing) {
        std::ofstream html(out / "report.html", std::ios::binary);
        html << ComparisonReport(report);
        if (!html.good()) {
            std::cerr << (out / "report.html").string() << ": cannot be written\n";
            return 1;
        }
    }
    return differs ? 1 : 0;
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
            // A comparison says 1 for a changed picture: a project that does
            // not read must not look like one.
            return ExitStatusOf(outcome, options.Batch() ? 2 : 1);
        }
    }
    CZeDialogData* dialog = nullptr;
    if (!options.Batch()) {
        dialog = project.GetDialogs().FindDialog(Utf8ToCp932(options.dialog));
        if (dialog == nullptr) {
            std::cerr << "ze-tool render: no dialog is named \"" << options.dialog << "\"\n";
            return 1;
        }
        if (dialog->GetRootGroup() != nullptr && !options.selected.empty()) {
            SelectNamed(*dialog->GetRootGroup(), options.selected);
        }
        dialog->SetCurrentPage(options.page);
    }

    const std::unique_ptr<QGuiApplication> application = StartOffscreenGui();
    LookSources sources;
    sources.projectFolder = options.folder;
    if (sources.projectFolder.empty()) {
        std::error_code error;
        const std::filesystem::path first =
            std::filesystem::absolute(options.inputs.front(), error);
        sources.projectFolder = first.parent_path().string();
    }
    sources.builtInFolder = (QCoreApplication::applicationDirPath() + "/assets").toStdString();
    // Fonts a project carries win over the machine's, so that its pictures
    // are the same wherever they are painted.
    AddFontFiles(sources.builtInFolder);
    AddFontFiles(sources.projectFolder + "/resources");

    ViewPainter painter;
    DeviceLook look;
    painter.SetTextExpansion(options.expand);
    if (options.look) {
        look.SetSources(sources);
        painter.SetDeviceLook(&look);
    }
    if (options.Batch()) {
        return RenderMany(options, project, painter);
    }
    QImage image(options.width, options.height, QImage::Format_RGB32);
    painter.Paint(image, project, *dialog);
    if (!image.save(QString::fromStdString(options.output), "PNG")) {
        std::cerr << options.output << ": cannot be written\n";
        return 1;
    }
    return 0;
}

}  // namespace ze::cli
