#include <gtest/gtest.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_command.h"

namespace {

using ze::test::RunResult;

RunResult RunTool(const std::string& arguments) {
    return ze::test::RunCommand(std::string("'") + ZE_TOOL_PATH + "' " + arguments + " 2>&1");
}

// Rows of 200 × 30 pixels from the page's top-left (5, 5), one element each,
// over a root group filled #102030.
constexpr int kRowHeight = 30;
const QColor kRoot(0x10, 0x20, 0x30);

int RowY(int row) {
    return 5 + row * kRowHeight + kRowHeight / 2;
}

std::string Row(const std::string& name, const std::string& type, const std::string& items) {
    return "{'Name':'" + name + "','Type':'" + type + "','Width':'200px','Height':'30px'" + items +
           "},";
}

class DeviceLookRenderTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("ze-look-" + std::to_string(getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_ / "resources");
        WriteImage("split.png", {Qt::red, Qt::blue});
        WriteImage("green.png", {Qt::green});
        WriteImage("magenta.png", {Qt::magenta});
        std::ofstream(folder_ / "resources" / "broken.png", std::ios::binary) << "not an image";

        const std::string station = ",'FileSource':'STATION'";
        const std::string toggle = ",'FileOn':'green.png','FileOff':'magenta.png'" + station;
        const std::string objects =
            Row("red", "TEXT", ",'BGColor':'RED'") + Row("hex", "TEXT", ",'BGColor':'#336699'") +
            Row("clear", "TEXT", ",'BGColor':'TRANSPARENT'") +
            Row("hidden", "TEXT", ",'BGColor':'RED','Hide':true") +
            Row("picture", "PICTURE", ",'BGColor':'WHITE','File':'split.png'" + station) +
            Row("missing", "PICTURE", ",'BGColor':'YELLOW','File':'nope.png'" + station) +
            Row("broken", "PICTURE", ",'BGColor':'CYAN','File':'broken.png'" + station) +
            Row("on", "TOGGLE", ",'Value':'true'" + toggle) +
            Row("off", "TOGGLE", ",'Value':'false'" + toggle) +
            Row("fallback", "PICTURE", ",'File':'green.png'") +
            Row("margin", "TEXT", ",'BGColor':'RED','Margin':'10px,5px,10px,5px'") +
            Row("disabled", "TEXT", ",'BGColor':'BLACK','Disable':true") +
            Row("progress", "PROGRESS",
                ",'FileBase':'magenta.png','FileActive':'green.png','Min':0,'Max':100,"
                "'Value':'25'" +
                    station) +
            Row("ink", "TEXT",
                ",'BGColor':'WHITE','Text':'WWW','TColor':'BLUE','TSize':'20px',"
                "'TAlign':'RIGHT'");
        project_ = (folder_ / "look.moxspro").string();
        std::ofstream(project_, std::ios::binary)
            << "{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main','Object':"
               "{'Name':'root','Type':'GROUP','Layout':'LINEAR','Vertical':true,"
               "'Width':'PARENT','Height':'PARENT','BGColor':'#102030','Objects':["
            << objects.substr(0, objects.size() - 1) << "]}}]}";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // An image one pixel high with the given colours from left to right.
    void WriteImage(const char* name, std::initializer_list<Qt::GlobalColor> colours) {
        QImage image(static_cast<int>(colours.size()), 1, QImage::Format_RGB32);
        int x = 0;
        for (Qt::GlobalColor colour : colours) {
            image.setPixelColor(x++, 0, colour);
        }
        ASSERT_TRUE(image.save(QString::fromStdString((folder_ / "resources" / name).string())));
    }

    QImage Render(const std::string& extra) {
        const std::string out = (folder_ / "look.png").string();
        const RunResult result =
            RunTool("render '" + project_ + "' --dialog Main --size 220x440 --look " + extra +
                    " -o '" + out + "'");
        EXPECT_EQ(result.exitCode, 0) << result.output;
        EXPECT_EQ(result.output, "");
        return QImage(QString::fromStdString(out));
    }

    std::filesystem::path folder_;
    std::string project_;
};

bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
           std::abs(a.blue() - b.blue()) <= 2;
}

TEST_F(DeviceLookRenderTest, DrawsEachElementAsTheDeviceShowsIt) {
    const QImage image = Render("");
    ASSERT_EQ(image.size(), QSize(220, 440));
    struct Probe {
        const char* what;
        int x;
        int y;
        QColor expected;
    };
    const Probe probes[] = {
        {"checkered background beside the page", 1, 1, QColor(128, 128, 128)},
        {"root fill beside the rows", 210, RowY(0), kRoot},
        {"colour name", 105, RowY(0), Qt::red},
        {"#RRGGBB", 105, RowY(1), QColor(0x33, 0x66, 0x99)},
        {"TRANSPARENT shows the parent", 105, RowY(2), kRoot},
        {"hidden", 105, RowY(3), kRoot},
        {"image scaled: its left pixel", 25, RowY(4), Qt::red},
        {"image scaled: its right pixel", 185, RowY(4), Qt::blue},
        {"missing image keeps the fill", 105, RowY(5), Qt::yellow},
        {"undecodable image keeps the fill", 105, RowY(6), Qt::cyan},
        {"toggle on shows FileOn", 105, RowY(7), Qt::green},
        {"toggle off shows FileOff", 105, RowY(8), Qt::magenta},
        {"no source: found in the project's resources", 105, RowY(9), Qt::green},
        {"inside the margin", 105, RowY(10), Qt::red},
        {"left margin", 10, RowY(10), kRoot},
        {"top margin", 105, 5 + 10 * kRowHeight + 2, kRoot},
        {"disabled: washed", 105, RowY(11), QColor(128, 128, 128)},
        {"progress: active quarter", 45, RowY(12), Qt::green},
        {"progress: base beyond it", 65, RowY(12), Qt::magenta},
    };
    for (const Probe& probe : probes) {
        const QColor actual(image.pixel(probe.x, probe.y));
        EXPECT_TRUE(Near(actual, probe.expected))
            << probe.what << ": " << actual.name().toStdString() << " instead of "
            << probe.expected.name().toStdString();
    }

    // The blue text, right-aligned: blue ink in the row, none in its left half.
    int left = 0;
    int right = 0;
    for (int y = 5 + 13 * kRowHeight; y < 5 + 14 * kRowHeight; ++y) {
        for (int x = 5; x < 205; ++x) {
            const QColor c(image.pixel(x, y));
            if (c.blue() > 150 && c.red() < 100 && c.green() < 100) {
                ++(x < 105 ? left : right);
            }
        }
    }
    EXPECT_GT(right, 20);
    EXPECT_EQ(left, 0);
}

TEST_F(DeviceLookRenderTest, TheFolderOptionNamesTheProjectFolder) {
    const std::filesystem::path empty = folder_ / "empty";
    std::filesystem::create_directories(empty);
    const QImage image = Render("--folder '" + empty.string() + "'");
    ASSERT_FALSE(image.isNull());
    // No resources there: the picture keeps its white fill.
    EXPECT_EQ(QColor(image.pixel(105, RowY(4))), QColor(Qt::white));
}

}  // namespace
