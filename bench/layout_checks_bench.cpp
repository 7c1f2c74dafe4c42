// The layout checks on the benchmark project: every dialog of the 18.8 MB
// project laid out and checked at the device list's 8 default sizes, with
// the device look's fonts, beside its load; and one dialog of 2,000 groups
// and objects checked again at the 8 sizes after each edit, as the problems
// tab does. Each figure is printed beside its target.

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench_project.h"
#include "layout/device_screens.h"
#include "layout/layout_checks.h"
#include "layout/qt/font_measure.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/mo_stream.h"
#include "model/resource_data.h"

namespace {

constexpr int kRounds = 3;
constexpr int kEdits = 25;
constexpr int kBigDialog = 2000;
constexpr double kWholeTarget = 2.0;          // seconds
constexpr double kRecheckTarget = 16.0 * 8;  // milliseconds, 16 a size

double SecondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Best(const std::function<void()>& run) {
    double best = 1e9;
    for (int i = 0; i < kRounds; ++i) {
        best = std::min(best, SecondsOf(run));
    }
    return best;
}

const char* Verdict(bool met) {
    return met ? "ok" : "MISSED";
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication application(argc, argv);
    bench::Corpus corpus;
    if (!bench::LoadCorpus(corpus)) {
        std::fprintf(stderr, "cannot read the corpus\n");
        return 1;
    }
    std::string text;
    {
        ze::CZeResourceData built;
        bench::ProjectBuilder(corpus).Build(built);
        ze::CJsonString out;
        built.WriteProject(out, "");
        text = out.TakeText();
    }
    ze::CZeResourceData project;
    if (!project.LoadText(text)) {
        std::printf("LoadText failed on the generated text\n");
        return 1;
    }
    const ze::LayoutCheckOptions options{ze::DefaultDevicePageSizes(), 0};
    const double load = Best([&text] { ze::CZeResourceData().LoadText(text); });
    std::size_t findings = 0;
    // The first round measures every distinct text; the editor keeps its
    // measure as long as it runs, ze-tool lint for one run.
    ze::FontTextMeasure firstMeasure;
    ze::LayoutChecker firstChecker(firstMeasure);
    firstChecker.SetOptions(options);
    const double first = SecondsOf([&] { firstChecker.CheckAll(project); });
    const double listing = SecondsOf([&] { findings = firstChecker.Findings(project).size(); });
    ze::FontTextMeasure measure;
    ze::LayoutChecker checker(measure);
    checker.SetOptions(options);
    checker.CheckAll(project);
    const double whole = Best([&] { checker.CheckAll(project); });
    std::printf("project: %.1f MB, %zu dialogs, %zu layout findings at %zu sizes\n",
                static_cast<double>(text.size()) / (1024.0 * 1024.0),
                project.GetDialogs().GetCount(), findings, options.sizes.size());
    std::printf("whole layout check, fonts measured afresh: %.3f s (%.2f x the load's %.3f s)"
                "   target <= %.1f s: %s\n",
                first, first / load, load, kWholeTarget, Verdict(first <= kWholeTarget));
    std::printf("whole layout check, widths known:          %.3f s (%.2f x the load)\n", whole,
                whole / load);
    std::printf("listing its findings in project order:     %.3f s\n", listing);
    {
        std::map<std::string_view, std::size_t> byCheck;
        for (const ze::Finding& finding : firstChecker.Findings(project)) {
            ++byCheck[finding.check];
        }
        for (const auto& [check, count] : byCheck) {
            std::printf("  %s: %zu\n", std::string(check).c_str(), count);
        }
    }

    ze::CZeResourceData big;
    bench::ProjectBuilder(corpus, 1, kBigDialog).Build(big);
    ze::CZeDialogData& dialog = *big.GetDialogs().GetDialog(0);
    ze::LayoutChecker bigChecker(measure);
    bigChecker.SetOptions(options);
    bigChecker.CheckAll(big);
    std::vector<ze::CObjectData*> objects = dialog.GetRootGroup()->GetChildren();
    std::vector<double> times;
    for (int i = 0; i < kEdits; ++i) {
        ze::CObjectData* object = objects[static_cast<std::size_t>(i) % objects.size()];
        ze::CommitProperty(big, &dialog, object, 3, i % 2 == 0 ? "CONTENT" : "PARENT");
        times.push_back(SecondsOf([&] {
                            bigChecker.CheckDialog(big, dialog);
                            bigChecker.Findings(big);
                        }) *
                        1000.0);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("re-check of one %d-element dialog at %zu sizes: median %.2f ms, worst %.2f ms"
                "   target <= %.0f ms: %s\n",
                kBigDialog, options.sizes.size(), median, times.back(), kRecheckTarget,
                Verdict(median <= kRecheckTarget));
    return 0;
}
