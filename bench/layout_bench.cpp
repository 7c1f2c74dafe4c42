// Painting a dialog's preview. Two dialogs are built with the model: one of
// 2,000 objects in content-sized groups nested 12 levels deep, one of 500
// weighted objects in 25 rows that fill the page; a third of 2,000 objects in
// 50 rows shows the cost of 4,000 labels on the page. Each is painted by DrawPreview into a
// recording canvas and, with the checkered background, into a 1024 × 768
// QImage as the editor's view paints it (the elided labels kept between
// paints of one size, as the view keeps them). The measure evaluations of
// one paint are counted for the cached layout and for the direct rules,
// which measure every group again at each level of nesting. With a folder
// as its argument the benchmark saves the two images there.

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "layout/direct_layout.h"
#include "layout/preview_layout.h"
#include "layout/qt/view_paint.h"
#include "layout/recording_canvas.h"
#include "model/dialog_data.h"
#include "model/element_store.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/schema.h"

namespace ze {
namespace {

constexpr int kRounds = 30;
constexpr double kRecordingTarget = 2.0;    // ms, 2,000 objects nested 12 deep
constexpr double kImageTarget = 40.0;       // ms, the same into a 1024 × 768 image
constexpr double kSmallImageTarget = 16.0;  // ms, 500 objects

class DialogBuilder {
public:
    explicit DialogBuilder(CZeResourceData& project) {
        dialog_ = project.GetDialogs().CreateDialog("Bench");
        dialog_->SetItem("TargetLayoutWidth", "320");
        dialog_->SetItem("TargetLayoutHeight", "480");
    }

    CZeDialogData& Dialog() { return *dialog_; }
    // Objects made from now on share their row by weight.
    void SetWeighted(bool weighted) { weighted_ = weighted; }

    CObjectDataList* Group(CObjectDataList* parent, int layout, bool vertical, const char* width,
                           const char* height, const char* weight) {
        auto* group = dialog_->GetElementStore().Create<CObjectDataList>(parent);
        AddGroupItems(group->Items(), layout);
        group->SetItem("Name", "g" + std::to_string(count_++));
        group->SetItem("Vertical", vertical ? "true" : "false");
        group->SetItem("Width", width);
        group->SetItem("Height", height);
        group->SetItem("Weight", weight);
        if (parent != nullptr) {
            parent->AddObject(group);
        } else {
            dialog_->SetRootGroup(group);
        }
        return group;
    }

    void Object(CObjectDataList* parent, int index) {
        const int type = index % object_type::kCount;
        auto* object = dialog_->GetElementStore().Create<CObjectData>(parent);
        AddObjectItems(object->Items(), type, layout_code::kLinear);
        object->SetItem("Name", "obj" + std::to_string(index));
        object->SetItem("Text", index % 3 == 0 ? "\x83{\x83^\x83\x93" : "Label text");
        object->SetItem("TextOn", "On");
        object->SetItem("File", "image.png");
        object->SetItem("Width", index % 5 == 0 ? "CONTENT" : "10px");
        object->SetItem("Height", index % 7 == 0 ? "PARENT" : "CONTENT");
        object->SetItem("Weight", weighted_ ? "1" : "");
        object->SetSelected(index % 50 == 0);
        parent->AddObject(object);
    }

private:
    CZeDialogData* dialog_ = nullptr;
    int count_ = 0;
    bool weighted_ = false;
};

// Each level holds a row of objects and the next level; levels and rows are
// sized to their content and alternate between columns and rows, so that
// every measure of a level asks for the measures of everything below it.
void BuildNested(DialogBuilder& builder, int objects, int levels) {
    CObjectDataList* level =
        builder.Group(nullptr, layout_code::kLinear, true, "PARENT", "PARENT", "");
    int made = 0;
    for (int depth = 0; depth < levels; ++depth) {
        const int here = (objects - made) / (levels - depth);
        CObjectDataList* row =
            builder.Group(level, layout_code::kLinear, depth % 2 == 1, "CONTENT", "CONTENT", "");
        for (int i = 0; i < here; ++i) {
            builder.Object(row, made++);
        }
        if (depth + 1 < levels) {
            level =
                builder.Group(level, depth % 3 == 2 ? layout_code::kFrame : layout_code::kLinear,
                              depth % 2 == 0, "CONTENT", "CONTENT", "");
        }
    }
}

// rows × columns weighted objects filling the page.
void BuildRows(DialogBuilder& builder, int rows, int columns) {
    CObjectDataList* page =
        builder.Group(nullptr, layout_code::kLinear, true, "PARENT", "PARENT", "");
    int made = 0;
    for (int r = 0; r < rows; ++r) {
        CObjectDataList* row =
            builder.Group(page, layout_code::kLinear, false, "PARENT", "CONTENT", "1");
        for (int c = 0; c < columns; ++c) {
            builder.Object(row, made++);
        }
    }
}

using Clock = std::chrono::steady_clock;

template <typename Paint>
double MedianMilliseconds(Paint&& paint, int rounds = kRounds) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        paint();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

const char* Verdict(double value, double target) {
    return value <= target ? "ok" : "OVER";
}

struct Figures {
    PreviewStats fast;
    PreviewStats direct;
    double recording = 0;
    double directRecording = 0;
    double image = 0;
    double firstImage = 0;
};

// Where the benchmark leaves the painted images (layout_bench FOLDER), or empty.
std::string imageFolder;

Figures Measure(CZeResourceData& project, CZeDialogData& dialog, const char* imageName) {
    Figures figures;
    RecordingCanvas canvas;
    DrawPreview(project, dialog, canvas, 1024, 768, &figures.fast);
    DrawPreviewDirectly(project, dialog, canvas, 1024, 768, &figures.direct);
    figures.recording = MedianMilliseconds([&] {
        canvas.Clear();
        DrawPreview(project, dialog, canvas, 1024, 768);
    });
    figures.directRecording = MedianMilliseconds(
        [&] {
            canvas.Clear();
            DrawPreviewDirectly(project, dialog, canvas, 1024, 768);
        },
        3);
    QImage image(1024, 768, QImage::Format_RGB32);
    ViewPainter painter;
    auto start = Clock::now();
    painter.Paint(image, project, dialog);
    figures.firstImage = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    figures.image = MedianMilliseconds([&] { painter.Paint(image, project, dialog); });
    if (!imageFolder.empty()) {
        image.save(QString::fromStdString(imageFolder + "/" + imageName));
    }
    return figures;
}

void Print(const char* name, const Figures& f, double imageTarget, bool withRecordingTarget) {
    std::printf("%s: %zu elements\n", name, f.fast.elements);
    std::printf("  measure evaluations per paint: cached %zu, direct %zu (%.1f x)\n",
                f.fast.measureEvaluations, f.direct.measureEvaluations,
                static_cast<double>(f.direct.measureEvaluations) /
                    static_cast<double>(std::max<std::size_t>(f.fast.measureEvaluations, 1)));
    if (withRecordingTarget) {
        std::printf(
            "  DrawPreview into a recording canvas: %.3f ms (target <= %.1f ms: %s); "
            "direct rules %.3f ms\n",
            f.recording, kRecordingTarget, Verdict(f.recording, kRecordingTarget),
            f.directRecording);
    } else {
        std::printf("  DrawPreview into a recording canvas: %.3f ms; direct rules %.3f ms\n",
                    f.recording, f.directRecording);
    }
    std::printf(
        "  view paint into a 1024 x 768 QImage: %.2f ms (target <= %.1f ms: %s); "
        "first paint, labels not yet laid out, %.2f ms\n",
        f.image, imageTarget, Verdict(f.image, imageTarget), f.firstImage);
}

}  // namespace
}  // namespace ze

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication application(argc, argv);
    using namespace ze;
    if (argc > 1) {
        imageFolder = argv[1];
    }

    CZeResourceData nestedProject;
    DialogBuilder nested(nestedProject);
    BuildNested(nested, 2000, 12);
    const Figures big = Measure(nestedProject, nested.Dialog(), "nested.png");
    Print("2,000 objects nested 12 levels deep", big, kImageTarget, true);

    CZeResourceData rowsProject;
    DialogBuilder rows(rowsProject);
    rows.SetWeighted(true);
    BuildRows(rows, 25, 20);
    const Figures small = Measure(rowsProject, rows.Dialog(), "rows.png");
    Print("500 objects in 25 rows", small, kSmallImageTarget, false);

    // Nesting leaves much of the big dialog beside the image; the same
    // number of objects all on the page is the harder case for the painter.
    CZeResourceData gridProject;
    DialogBuilder grid(gridProject);
    grid.SetWeighted(true);
    BuildRows(grid, 50, 40);
    const Figures full = Measure(gridProject, grid.Dialog(), "rows2000.png");
    Print("2,000 objects in 50 rows", full, kImageTarget, false);

    const bool met = big.recording <= kRecordingTarget && big.image <= kImageTarget &&
                     small.image <= kSmallImageTarget && full.image <= kImageTarget;
    return met ? 0 : 1;
}
