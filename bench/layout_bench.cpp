// Painting a dialog's preview. Two dialogs are built with the model: one of
// 2,000 objects in content-sized groups nested 12 levels deep, one of 500
// weighted objects in 25 rows that fill the page; a third of 2,000 objects in
// 50 rows shows the cost of 4,000 labels on the page. Each is painted by DrawPreview into a
// recording canvas and, with the checkered background, into a 1024 × 768
// QImage as the editor's view paints it (the elided labels kept between
// paints of one size, as the view keeps them). The measure evaluations of
// one paint are counted for the cached layout and for the direct rules,
// which measure every group again at each level of nesting. The device
// mode is measured on 500 objects with texts and 100 distinct images,
// all on the page: the first paint, which decodes the images, and the mean
// of the paints after it. With a folder as its argument the benchmark saves
// the images there.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "layout/direct_layout.h"
#include "layout/preview_layout.h"
#include "layout/qt/device_look.h"
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
constexpr double kDeviceTarget = 16.0;      // ms, 500 objects in the device mode, cached
constexpr int kDeviceImages = 100;

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

    CObjectDataList* Group(CObjectDataList* parent, GroupLayout layout, bool vertical,
                           const char* width, const char* height, const char* weight) {
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

    CObjectData& Object(CObjectDataList* parent, int index) {
        return Object(parent, index, ObjectTypeAt(index % IndexOf(ObjectType::kCount)));
    }

    CObjectData& Object(CObjectDataList* parent, int index, ObjectType type) {
        auto* object = dialog_->GetElementStore().Create<CObjectData>(parent);
        AddObjectItems(object->Items(), type, GroupLayout::kLinear);
        object->SetItem("Name", "obj" + std::to_string(index));
        object->SetItem("Text", index % 3 == 0 ? "\x83{\x83^\x83\x93" : "Label text");
        object->SetItem("TextOn", "On");
        object->SetItem("File", "image.png");
        object->SetItem("Width", index % 5 == 0 ? "CONTENT" : "10px");
        object->SetItem("Height", index % 7 == 0 ? "PARENT" : "CONTENT");
        object->SetItem("Weight", weighted_ ? "1" : "");
        object->SetSelected(index % 50 == 0);
        parent->AddObject(object);
        return *object;
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
        builder.Group(nullptr, GroupLayout::kLinear, true, "PARENT", "PARENT", "");
    int made = 0;
    for (int depth = 0; depth < levels; ++depth) {
        const int here = (objects - made) / (levels - depth);
        CObjectDataList* row =
            builder.Group(level, GroupLayout::kLinear, depth % 2 == 1, "CONTENT", "CONTENT", "");
        for (int i = 0; i < here; ++i) {
            builder.Object(row, made++);
        }
        if (depth + 1 < levels) {
            level =
                builder.Group(level, depth % 3 == 2 ? GroupLayout::kFrame : GroupLayout::kLinear,
                              depth % 2 == 0, "CONTENT", "CONTENT", "");
        }
    }
}

// rows × columns weighted objects filling the page.
void BuildRows(DialogBuilder& builder, int rows, int columns) {
    CObjectDataList* page =
        builder.Group(nullptr, GroupLayout::kLinear, true, "PARENT", "PARENT", "");
    int made = 0;
    for (int r = 0; r < rows; ++r) {
        CObjectDataList* row =
            builder.Group(page, GroupLayout::kLinear, false, "PARENT", "CONTENT", "1");
        for (int c = 0; c < columns; ++c) {
            builder.Object(row, made++);
        }
    }
}

// 500 weighted objects in 25 rows, of the types that show images and texts,
// each with one of kDeviceImages images from the project's resources.
void BuildDeviceRows(DialogBuilder& builder) {
    static constexpr ObjectType kTypes[] = {ObjectType::kButton,      ObjectType::kPicture,
                                            ObjectType::kToggle,      ObjectType::kCheckbox,
                                            ObjectType::kRadioButton, ObjectType::kText,
                                            ObjectType::kProgress,    ObjectType::kSlidebar,
                                            ObjectType::kMeter,       ObjectType::kEdit};
    static constexpr const char* kColours[] = {"", "LTGRAY", "#336699", "TRANSPARENT"};
    builder.SetWeighted(true);
    CObjectDataList* page =
        builder.Group(nullptr, GroupLayout::kLinear, true, "PARENT", "PARENT", "");
    int made = 0;
    for (int r = 0; r < 25; ++r) {
        CObjectDataList* row =
            builder.Group(page, GroupLayout::kLinear, false, "PARENT", "CONTENT", "1");
        for (int c = 0; c < 20; ++c, ++made) {
            CObjectData& object = builder.Object(row, made, kTypes[made % std::size(kTypes)]);
            object.SetSelected(false);
            const std::string image = "img" + std::to_string(made / 5 % kDeviceImages) + ".png";
            for (const char* slot : {"File", "FileOff", "FileOn", "FileBase", "FileActive",
                                     "FileThumb", "FileCursor", "FileTop"}) {
                object.SetItem(slot, image);
            }
            object.SetItem("FileSource", "STATION");
            object.SetItem("Text", "Label " + std::to_string(made));
            object.SetItem("TextOff", "Off");
            object.SetItem("Value", made % 2 == 0 ? "true" : "40");
            object.SetItem("TSize", "12px");
            object.SetItem("TColor", made % 3 == 0 ? "RED" : "");
            object.SetItem("BGColor", kColours[made % std::size(kColours)]);
            object.SetItem("Padding", "1px,1px,1px,1px");
        }
    }
}

// kDeviceImages PNG images of 64 × 48, each its own colours, into folder.
bool WriteDeviceImages(const QString& folder) {
    for (int i = 0; i < kDeviceImages; ++i) {
        QImage image(64, 48, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 64, 48);
        gradient.setColorAt(0, QColor::fromHsv(i * 360 / kDeviceImages, 200, 230));
        gradient.setColorAt(1, QColor::fromHsv((i * 360 / kDeviceImages + 90) % 360, 160, 120));
        painter.setBrush(gradient);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0, 0, 64, 48), 8, 8);
        painter.end();
        if (!image.save(folder + QStringLiteral("/img%1.png").arg(i))) {
            return false;
        }
    }
    return true;
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

struct DeviceFigures {
    double first = 0;
    double mean = 0;
    std::size_t firstDecodes = 0;
    std::size_t laterDecodes = 0;
};

double MeanMilliseconds(const std::function<void()>& paint, int rounds = kRounds) {
    const auto start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        paint();
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

bool MeasureDevice(DeviceFigures& figures) {
    QTemporaryDir folder;
    if (!folder.isValid() || !QDir(folder.path()).mkdir(QStringLiteral("resources")) ||
        !WriteDeviceImages(folder.path() + QStringLiteral("/resources"))) {
        std::printf("device mode: cannot write the images\n");
        return false;
    }
    CZeResourceData project;
    DialogBuilder builder(project);
    BuildDeviceRows(builder);
    DeviceLook look;
    look.SetSources(LookSources{folder.path().toStdString(), ""});
    ViewPainter painter;
    painter.SetDeviceLook(&look);
    QImage image(1024, 768, QImage::Format_RGB32);
    const auto start = Clock::now();
    painter.Paint(image, project, builder.Dialog());
    figures.first = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    figures.firstDecodes = look.Images().Decodes();
    figures.mean = MeanMilliseconds([&] { painter.Paint(image, project, builder.Dialog()); });
    figures.laterDecodes = look.Images().Decodes() - figures.firstDecodes;
    if (!imageFolder.empty()) {
        image.save(QString::fromStdString(imageFolder + "/device.png"));
    }
    return true;
}

void PrintDevice(const DeviceFigures& f) {
    std::printf("500 objects with texts and %d images, all on the page: device mode\n",
                kDeviceImages);
    std::printf("  first paint, decoding: %.2f ms (%zu decodes)\n", f.first, f.firstDecodes);
    std::printf(
        "  view paint into a 1024 x 768 QImage once cached: mean %.2f ms "
        "(%.2f of the %.1f ms target: %s; %zu decodes in %d paints)\n",
        f.mean, f.mean / kDeviceTarget, kDeviceTarget, Verdict(f.mean, kDeviceTarget),
        f.laterDecodes, kRounds);
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

    DeviceFigures device;
    if (MeasureDevice(device)) {
        PrintDevice(device);
    }

    const bool met = big.recording <= kRecordingTarget && big.image <= kImageTarget &&
                     small.image <= kSmallImageTarget && full.image <= kImageTarget;
    return met ? 0 : 1;
}
