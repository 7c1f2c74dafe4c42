// ze-tool diff and merge on the benchmark project (bench_project.h) against
// copies with 1,000 scattered changes each: property values, added, removed
// and moved objects. Times are given as ratios to one load of the project in
// the same run, each the best of its rounds: the whole command as ze-tool
// runs it (the files loaded one after the other, then matched; for the
// merge also written), and the matching or merging alone.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench_project.h"
#include "model/dialog_data.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/project_diff.h"
#include "model/project_merge.h"
#include "model/resource_data.h"

namespace {

constexpr int kRounds = 5;
constexpr int kChanges = 1000;
constexpr double kDiffTarget = 3.0;   // times one load
constexpr double kMergeTarget = 5.0;  // times one load

double SecondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

const char* Verdict(bool met) {
    return met ? "met" : "NOT MET";
}

std::string Text(const ze::CZeResourceData& project) {
    ze::CJsonString out;
    project.WriteProject(out, "");
    return out.TakeText();
}

// Loads the texts into the projects one after the other, as ze-tool does.
void LoadAll(const std::vector<const std::string*>& texts,
             const std::vector<ze::CZeResourceData*>& projects) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        projects[i]->LoadText(*texts[i]);
    }
}

// The text with count changes spread over the whole project by seed: seven
// in ten a property value, the rest an object added after another, a leaf
// object removed, or one moved into another group of its dialog.
std::string Changed(const std::string& text, unsigned seed, int count) {
    ze::CZeResourceData project;
    project.LoadText(text);
    std::mt19937 random(seed);
    const auto pick = [&random](std::size_t below) {
        return static_cast<std::size_t>(random() % static_cast<unsigned>(below));
    };
    struct Place {
        ze::CZeDialogData* dialog;
        ze::CObjectData* element;
    };
    std::vector<Place> leaves;
    std::vector<std::vector<ze::CObjectDataList*>> groups(project.GetDialogs().GetCount());
    for (std::size_t d = 0; d < project.GetDialogs().GetCount(); ++d) {
        ze::CZeDialogData* dialog = project.GetDialogs().GetDialog(d);
        std::function<void(ze::CObjectData*)> collect = [&](ze::CObjectData* element) {
            if (element->IsGroup()) {
                groups[d].push_back(static_cast<ze::CObjectDataList*>(element));
                for (ze::CObjectData* child :
                     static_cast<ze::CObjectDataList*>(element)->GetChildren()) {
                    collect(child);
                }
            } else {
                leaves.push_back({dialog, element});
            }
        };
        collect(dialog->GetRootGroup());
    }
    std::vector<bool> gone(leaves.size(), false);
    for (int i = 0; i < count; ++i) {
        std::size_t at = pick(leaves.size());
        while (gone[at]) {
            at = pick(leaves.size());
        }
        Place place = leaves[at];
        ze::CObjectDataList* parent = place.element->GetParent();
        switch (i % 10) {
            case 7: {
                auto* added = place.dialog->GetElementStore().Create<ze::CObjectData>(parent);
                added->Items().CopyItems(place.element->Items());
                added->SetItem("Name", "Added" + std::to_string(seed) + "_" + std::to_string(i));
                parent->InsertAfter(added, place.element);
                break;
            }
            case 8:
                place.dialog->GetElementStore();
                parent->Remove(place.element, false);
                gone[at] = true;
                break;
            case 9: {
                const std::size_t d =
                    static_cast<std::size_t>(project.GetDialogs().IndexOf(place.dialog));
                ze::CObjectDataList* target = groups[d][pick(groups[d].size())];
                place.dialog->GetElementStore();
                parent->Remove(place.element, false);
                target->InsertBefore(place.element, nullptr);
                break;
            }
            default:
                place.element->SetItem("Width", std::to_string(10 + i) + "px");
                break;
        }
    }
    return Text(project);
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
    const std::string ours = Changed(text, 1, kChanges);
    const std::string theirs = Changed(text, 2, kChanges);
    std::size_t changes = 0;
    std::size_t conflicts = 0;

    // The rounds of the five figures take turns, so that a slower stretch
    // of the machine weighs on all of them alike.
    const double never = 1e9;
    double load = never;
    double diff = never;
    double match = never;
    double merge = never;
    double mergeOnly = never;
    for (int round = 0; round < kRounds; ++round) {
        load = std::min(load, SecondsOf([&] { ze::CZeResourceData().LoadText(text); }));
        diff = std::min(diff, SecondsOf([&] {
                            ze::CZeResourceData a;
                            ze::CZeResourceData b;
                            LoadAll({&text, &theirs}, {&a, &b});
                            changes = ze::DiffProjects(a, b).size();
                        }));
        {
            ze::CZeResourceData a;
            ze::CZeResourceData b;
            LoadAll({&text, &theirs}, {&a, &b});
            match = std::min(match, SecondsOf([&] { ze::DiffProjects(a, b); }));
        }
        merge = std::min(merge, SecondsOf([&] {
                             ze::CZeResourceData base;
                             ze::CZeResourceData mine;
                             ze::CZeResourceData other;
                             LoadAll({&text, &ours, &theirs}, {&base, &mine, &other});
                             conflicts = ze::MergeProjects(base, mine, other).size();
                             Text(mine);
                         }));
        ze::CZeResourceData base;
        ze::CZeResourceData mine;
        ze::CZeResourceData other;
        LoadAll({&text, &ours, &theirs}, {&base, &mine, &other});
        mergeOnly = std::min(mergeOnly, SecondsOf([&] { ze::MergeProjects(base, mine, other); }));
    }

    std::printf(
        "project: %.1f MB; a copy with %d changes gives %zu change lines; merging two "
        "such copies gives %zu conflicts\n",
        static_cast<double>(text.size()) / (1024.0 * 1024.0), kChanges, changes, conflicts);
    std::printf("load:  %.3f s\n", load);
    std::printf("diff:  %.3f s, %.2f x load (target <= %.1f): %s; matching alone %.3f s, %.2f x\n",
                diff, diff / load, kDiffTarget, Verdict(diff <= kDiffTarget * load), match,
                match / load);
    std::printf("merge: %.3f s, %.2f x load (target <= %.1f): %s; merging alone %.3f s, %.2f x\n",
                merge, merge / load, kMergeTarget, Verdict(merge <= kMergeTarget * load), mergeOnly,
                mergeOnly / load);
    return 0;
}
