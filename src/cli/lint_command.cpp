#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include <QGuiApplication>

#include "cli/json_text.h"
#include "cli/page_sizes.h"
#include "cli/usage.h"
#include "common/paths.h"
#include "layout/layout_checks.h"
#include "layout/qt/font_measure.h"
#include "model/project_checks.h"
#include "model/resource_data.h"

namespace ze::cli {

namespace {

// One finding as the output shows it, every text in UTF-8.
struct Line {
    std::string file;
    std::string dialog;
    std::string element;
    std::string size;  // "360x640" for a layout finding, else empty
    std::string property;
    std::string_view severity;
    std::string_view check;
    std::string message;
};

void PrintJson(const std::vector<Line>& lines) {
    std::cout << '[';
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        std::cout << (i == 0 ? "\n" : ",\n") << "  {\"file\": " << JsonString(line.file)
                  << ", \"dialog\": " << JsonString(line.dialog)
                  << ", \"element\": " << JsonString(line.element);
        if (!line.size.empty()) {
            std::cout << ", \"size\": " << JsonString(line.size);
        }
        std::cout                  << ", \"property\": " << JsonString(line.property)
                  << ", \"severity\": " << JsonString(line.severity)
                  << ", \"check\": " << JsonString(line.check)
                  << ", \"message\": " << JsonString(line.message) << '}';
    }
    std::cout << (lines.empty() ? "]\n" : "\n]\n");
}

}  // namespace

int RunLint(const Arguments& args) {
    std::vector<std::string> inputs;
    std::string folder;
    bool json = false;
    bool strict = false;
    bool layout = false;
    PageSizeList sizes;
    int expand = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--strict") {
            strict = true;
        } else if (args[i] == "--layout") {
            layout = true;
        } else if (args[i] == "--folder" && i + 1 < args.size()) {
            folder = args[++i];
        } else if (args[i] == "--sizes" && i + 1 < args.size()) {
            layout = true;
            if (!ParsePageSizes("lint", "--sizes", args[++i], sizes)) {
                PrintSynopsis(std::cerr, "lint");
                return 2;
            }
        } else if (args[i] == "--expand" && i + 1 < args.size()) {
            layout = true;
            if (!ParseExpandPercent("lint", args[++i], expand)) {
                PrintSynopsis(std::cerr, "lint");
                return 2;
            }
        } else if (args[i].starts_with("--")) {
            std::cerr << "ze-tool lint: unknown option " << args[i] << '\n';
            PrintSynopsis(std::cerr, "lint");
            return 2;
        } else {
            inputs.push_back(args[i]);
        }
    }
    if (inputs.empty()) {
        PrintSynopsis(std::cerr, "lint");
        return 2;
    }
    // Without a project folder nothing is known of the files.
    const ProjectFiles files =
        folder.empty() ? ProjectFiles{} : ProjectFiles::Scan(folder, ExecutableFolder() + "assets");
    if (sizes.Empty()) {
        sizes.project = true;
    }
    // The layout checks measure texts with the device look's fonts.
    std::unique_ptr<QGuiApplication> gui;
    std::unique_ptr<FontTextMeasure> measure;
    if (layout) {
        gui = StartOffscreenGui();
        AddFontFiles(ExecutableFolder() + "assets");
        if (!folder.empty()) {
            AddFontFiles(folder + "/resources");
        }
        measure = std::make_unique<FontTextMeasure>();
    }
    std::vector<Line> lines;
    bool unreadable = false;
    bool failed = false;
    const auto add = [&](const std::string& input, const Finding& finding) {
        failed = failed || finding.severity == Severity::kError || strict;
        const bool sized = finding.pageWidth != 0 || finding.pageHeight != 0;
        lines.push_back({input, ForTerminal(finding.dialogName), ForTerminal(finding.elementLabel),
                         sized ? PageSizeText({finding.pageWidth, finding.pageHeight}) : "",
                         finding.property, SeverityName(finding.severity), finding.check,
                         ForTerminal(finding.message)});
    };
    for (const std::string& input : inputs) {
        CZeResourceData project;
        if (LoadProjectFile(project, input) != LoadOutcome::kLoaded) {
            unreadable = true;
            continue;
        }
        for (const Finding& finding : CheckProject(project, files)) {
            add(input, finding);
        }
        if (layout) {
            LayoutChecker checker(*measure);
            checker.SetOptions({ResolvePageSizes(sizes, project), expand});
            checker.CheckAll(project);
            for (const Finding& finding : checker.Findings(project)) {
                add(input, finding);
            }
        }
    }
    if (json) {
        PrintJson(lines);
    } else {
        for (const Line& line : lines) {
            std::cout << line.file << ": " << line.dialog << ": " << line.element
                      << (line.size.empty() ? "" : "@") << line.size << ": "
                      << line.property << ": " << line.severity << ": " << line.check << ": "
                      << line.message << '\n';
        }
    }
    if (!std::cout.good()) {
        return 2;
    }
    return unreadable ? 2 : failed ? 1 : 0;
}

}  // namespace ze::cli
