#include "layout/qt/image_cache.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "layout/qt/device_look.h"
#include "layout/qt/view_paint.h"
#include "model/dialog_data.h"
#include "model/resource_data.h"

namespace ze {
namespace {

std::string ColourAt(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y)).name().toStdString();
}

class ImageCacheTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("ze-image-cache-" + std::to_string(getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_ / "resources");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const char* name, const QColor& colour, int size = 1) {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(colour);
        const std::filesystem::path path = folder_ / "resources" / name;
        EXPECT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
        return path.string();
    }

    std::filesystem::path folder_;
};

TEST_F(ImageCacheTest, ARepaintDecodesNothingUntilAFileChanges) {
    const std::string red = Write("a.png", Qt::red);
    Write("b.png", Qt::green);
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(
        "{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main','Object':"
        "{'Name':'root','Type':'GROUP','Layout':'LINEAR','Width':'PARENT','Height':'PARENT',"
        "'Objects':["
        "{'Name':'a1','Type':'PICTURE','Width':'20px','Height':'20px','File':'a.png',"
        "'FileSource':'STATION'},"
        "{'Name':'a2','Type':'PICTURE','Width':'20px','Height':'20px','File':'a.png',"
        "'FileSource':'STATION'},"
        "{'Name':'b','Type':'PICTURE','Width':'20px','Height':'20px','File':'b.png',"
        "'FileSource':'STATION'}]}}]}"));
    CZeDialogData& dialog = *project.GetDialogs().FindDialog("Main");
    DeviceLook look;
    look.SetSources(LookSources{folder_.string(), ""});
    ViewPainter painter;
    painter.SetDeviceLook(&look);
    QImage image(100, 100, QImage::Format_RGB32);

    painter.Paint(image, project, dialog);
    EXPECT_EQ(look.Images().Decodes(), 2u);  // a.png once for both objects
    EXPECT_EQ(ColourAt(image, 15, 15), "#ff0000");
    EXPECT_EQ(ColourAt(image, 35, 15), "#ff0000");
    EXPECT_EQ(ColourAt(image, 55, 15), "#00ff00");

    painter.Paint(image, project, dialog);
    EXPECT_EQ(look.Images().Decodes(), 2u);

    // The file is written again with a later modification time.
    const auto written = std::filesystem::last_write_time(red);
    Write("a.png", Qt::blue);
    std::filesystem::last_write_time(red, written + std::chrono::seconds(2));
    painter.Paint(image, project, dialog);
    EXPECT_EQ(look.Images().Decodes(), 3u);
    EXPECT_EQ(ColourAt(image, 15, 15), "#0000ff");
    EXPECT_EQ(ColourAt(image, 55, 15), "#00ff00");
}

TEST_F(ImageCacheTest, DropsTheLeastRecentlyUsedImagesBeyondItsBudget) {
    const std::string a = Write("a.png", Qt::red, 16);
    const std::string b = Write("b.png", Qt::green, 16);
    const std::string c = Write("c.png", Qt::blue, 16);
    ImageCache cache(2 * 16 * 16 * 4);  // two of the images
    EXPECT_FALSE(cache.Find(a).isNull());
    EXPECT_FALSE(cache.Find(b).isNull());
    EXPECT_FALSE(cache.Find(a).isNull());
    EXPECT_EQ(ColourAt(cache.Find(c), 0, 0), "#0000ff");  // drops b
    EXPECT_EQ(cache.Size(), 2u);
    EXPECT_EQ(cache.Decodes(), 3u);
    EXPECT_EQ(ColourAt(cache.Find(a), 0, 0), "#ff0000");
    EXPECT_EQ(cache.Decodes(), 3u);
    EXPECT_EQ(ColourAt(cache.Find(b), 0, 0), "#00ff00");
    EXPECT_EQ(cache.Decodes(), 4u);
    EXPECT_TRUE(cache.Find((folder_ / "none.png").string()).isNull());
    EXPECT_EQ(cache.Decodes(), 4u);
}

}  // namespace
}  // namespace ze

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
