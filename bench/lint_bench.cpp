// The project checks on the benchmark project: the whole check of the
// 20 MB project beside its load, and the re-check of one dialog of 2,000
// groups and objects after an edit, as the problems pane runs it. Each
// figure is printed beside its target.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_project.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/mo_stream.h"
#include "model/project_checks.h"
#include "model/resource_data.h"

namespace {

constexpr int kRounds = 5;
constexpr int kEdits = 25;
constexpr int kBigDialog = 2000;
constexpr double kWholeTarget = 0.5;     // seconds
constexpr double kRecheckTarget = 16.0;  // milliseconds

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

std::string Text(const ze::CZeResourceData& project) {
    ze::CJsonString out;
    project.WriteProject(out, "");
    return out.TakeText();
}

// Every file is listed as missing: the heaviest case for the file checks.
ze::ProjectFiles EmptyFolder() {
    ze::ProjectFiles files;
    files.scanned = true;
    return files;
}

const char* Verdict(bool met) {
    return met ? "ok" : "MISSED";
}

}  // namespace

int main() {
    bench::Corpus corpus;
    if (!bench::LoadCorpus(corpus)) {
        std::fprintf(stderr, "cannot read the corpus\n");
        return 1;
    }

    std::string text;
    {
        ze::CZeResourceData built;
        bench::ProjectBuilder(corpus).Build(built);
        text = Text(built);
    }
    ze::CZeResourceData project;
    if (!project.LoadText(text)) {
        std::printf("LoadText failed on the generated text\n");
        return 1;
    }
    std::size_t findings = 0;
    const double load = Best([&text] { ze::CZeResourceData().LoadText(text); });
    const double bare = Best([&] { findings = ze::CheckProject(project).size(); });
    std::size_t withFolder = 0;
    const double files =
        Best([&] { withFolder = ze::CheckProject(project, EmptyFolder()).size(); });
    std::printf("project: %.1f MB, %zu findings (%zu with an empty folder)\n",
                static_cast<double>(text.size()) / (1024.0 * 1024.0), findings, withFolder);
    std::printf(
        "whole check, no folder:    %.3f s (%.2f x the load's %.3f s)   target <= %.1f s: %s\n",
        bare, bare / load, load, kWholeTarget, Verdict(bare <= kWholeTarget));
    std::printf("whole check, empty folder: %.3f s (%.2f x the load)   target <= %.1f s: %s\n",
                files, files / load, kWholeTarget, Verdict(files <= kWholeTarget));

    // One dialog of 2,000 groups and objects, edited through the edit API
    // and checked again as the pane does after each change.
    ze::CZeResourceData big;
    bench::ProjectBuilder(corpus, 1, kBigDialog).Build(big);
    ze::CZeDialogData& dialog = *big.GetDialogs().GetDialog(0);
    ze::ProjectChecker checker(EmptyFolder());
    checker.CheckAll(big);
    std::vector<ze::CObjectData*> objects = dialog.GetRootGroup()->GetChildren();
    std::vector<double> times;
    for (int i = 0; i < kEdits; ++i) {
        ze::CObjectData* object = objects[static_cast<std::size_t>(i) % objects.size()];
        ze::CommitProperty(big, &dialog, object, 3, i % 2 == 0 ? "CONTENT" : "PARENT");
        times.push_back(SecondsOf([&] {
                            checker.CheckDialog(dialog);
                            checker.Findings(big);
                            checker.Counts();
                        }) *
                        1000.0);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf(
        "re-check of one %d-element dialog: median %.2f ms, worst %.2f ms   target <= %.0f "
        "ms: %s\n",
        kBigDialog, median, times.back(), kRecheckTarget, Verdict(median <= kRecheckTarget));
    return 0;
}
