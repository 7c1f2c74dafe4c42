#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdint>
#include <string>
#include <vector>

#include "app/panes/dib_image.h"

using ze::app::CDibImage;
using ze::app::CDibImageList;

namespace {

QRgb PatternColour(int x, int y) {
    return qRgb(x * 10 + 1, y * 20 + 2, (x + y) * 5 + 3);
}

QImage PatternImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, PatternColour(x, y));
        }
    }
    return image;
}

std::uint32_t U32(const std::vector<std::uint8_t>& bits, std::size_t at) {
    return bits[at] | (bits[at + 1] << 8) | (bits[at + 2] << 16) |
           (static_cast<std::uint32_t>(bits[at + 3]) << 24);
}

std::uint16_t U16(const std::vector<std::uint8_t>& bits, std::size_t at) {
    return static_cast<std::uint16_t>(bits[at] | (bits[at + 1] << 8));
}

// The pixel at image coordinates (top row 0) read from the bottom-up rows.
QRgb DibPixel(const CDibImage& dib, int x, int y) {
    const std::size_t row = static_cast<std::size_t>(dib.Height() - 1 - y);
    const std::size_t at = CDibImage::kHeaderSize + row * dib.Stride() + 3 * x;
    const auto& bits = dib.Bits();
    return qRgb(bits[at + 2], bits[at + 1], bits[at]);
}

}  // namespace

class DibImageTest : public QObject {
    Q_OBJECT
private slots:
    void decodesInto24BitRows_data();
    void decodesInto24BitRows();
    void expandsPaletteImages_data();
    void expandsPaletteImages();
    void decodesJpeg();
    void failsWithoutImage_data();
    void failsWithoutImage();
    void givesTheImageBackForDrawing();
    void sortsByteWise_data();
    void sortsByteWise();
    void ignoresMissingImages();

private:
    QTemporaryDir dir_;
};

void DibImageTest::decodesInto24BitRows_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("stride");
    QTest::newRow("no padding") << 4 << 3 << 12;
    QTest::newRow("three pad bytes") << 1 << 2 << 4;
    QTest::newRow("two pad bytes") << 2 << 2 << 8;
    QTest::newRow("one pad byte") << 5 << 4 << 16;
    QTest::newRow("wide") << 23 << 1 << 72;
}

void DibImageTest::decodesInto24BitRows() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, stride);
    const QString path = dir_.filePath(QStringLiteral("pattern.png"));
    QVERIFY(PatternImage(width, height).save(path, "PNG"));

    const auto dib = CDibImage::Decode(path.toStdString());
    QVERIFY(dib);
    QCOMPARE(QString::fromStdString(dib->Name()), QStringLiteral("pattern.png"));
    QCOMPARE(QString::fromStdString(dib->Path()), path);
    QCOMPARE(dib->Width(), width);
    QCOMPARE(dib->Height(), height);
    QCOMPARE(dib->BitsPerPixel(), 24);
    QCOMPARE(dib->Stride(), static_cast<std::size_t>(stride));

    const auto& bits = dib->Bits();
    QCOMPARE(bits.size(), 40u + static_cast<std::size_t>(stride * height));
    QCOMPARE(U32(bits, 0), 40u);                                           // biSize
    QCOMPARE(U32(bits, 4), static_cast<std::uint32_t>(width));             // biWidth
    QCOMPARE(U32(bits, 8), static_cast<std::uint32_t>(height));            // biHeight, bottom-up
    QCOMPARE(U16(bits, 12), std::uint16_t{1});                             // biPlanes
    QCOMPARE(U16(bits, 14), std::uint16_t{24});                            // biBitCount
    QCOMPARE(U32(bits, 16), 0u);                                           // BI_RGB
    QCOMPARE(U32(bits, 20), static_cast<std::uint32_t>(stride * height));  // biSizeImage
    for (std::size_t at = 24; at < 40; ++at) {
        QCOMPARE(bits[at], std::uint8_t{0});
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            QCOMPARE(DibPixel(*dib, x, y), PatternColour(x, y));
        }
        const std::size_t rowStart = 40 + static_cast<std::size_t>(y * stride);
        for (int pad = width * 3; pad < stride; ++pad) {
            QCOMPARE(bits[rowStart + pad], std::uint8_t{0});
        }
    }
    // The first stored row is the image's bottom row, blue first.
    const QRgb bottomLeft = PatternColour(0, height - 1);
    QCOMPARE(bits[40], static_cast<std::uint8_t>(qBlue(bottomLeft)));
    QCOMPARE(bits[41], static_cast<std::uint8_t>(qGreen(bottomLeft)));
    QCOMPARE(bits[42], static_cast<std::uint8_t>(qRed(bottomLeft)));
}

void DibImageTest::expandsPaletteImages_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("8-bit palette") << static_cast<int>(QImage::Format_Indexed8);
    QTest::newRow("1-bit palette") << static_cast<int>(QImage::Format_Mono);
}

void DibImageTest::expandsPaletteImages() {
    QFETCH(int, format);
    QImage image(3, 2, static_cast<QImage::Format>(format));
    image.setColorTable({qRgb(200, 30, 40), qRgb(10, 220, 90)});
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            image.setPixel(x, y, (x + y) % 2);
        }
    }
    const QString path = dir_.filePath(QStringLiteral("palette.png"));
    QVERIFY(image.save(path, "PNG"));
    QVERIFY(QImage(path).format() == QImage::Format_Indexed8 ||
            QImage(path).format() == QImage::Format_Mono ||
            QImage(path).format() == QImage::Format_MonoLSB);

    const auto dib = CDibImage::Decode(path.toStdString());
    QVERIFY(dib);
    QCOMPARE(dib->BitsPerPixel(), 24);
    QCOMPARE(dib->Stride(), std::size_t{12});
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            QCOMPARE(DibPixel(*dib, x, y), (x + y) % 2 ? qRgb(10, 220, 90) : qRgb(200, 30, 40));
        }
    }
}

void DibImageTest::decodesJpeg() {
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(qRgb(40, 120, 200));
    const QString path = dir_.filePath(QStringLiteral("photo.jpg"));
    QVERIFY(image.save(path, "JPG", 100));

    const auto dib = CDibImage::Decode(path.toStdString());
    QVERIFY(dib);
    QCOMPARE(dib->Width(), 16);
    QCOMPARE(dib->Height(), 8);
    QCOMPARE(dib->BitsPerPixel(), 24);
    const QRgb centre = DibPixel(*dib, 8, 4);
    QVERIFY2(std::abs(qRed(centre) - 40) <= 4 && std::abs(qGreen(centre) - 120) <= 4 &&
                 std::abs(qBlue(centre) - 200) <= 4,
             qPrintable(QString::number(centre, 16)));
}

void DibImageTest::failsWithoutImage_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("asFolder");
    QTest::newRow("text named png") << QByteArray("not an image\n") << false;
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("png signature only") << QByteArray("\x89PNG\r\n\x1a\n", 8) << false;
    QTest::newRow("folder") << QByteArray() << true;
}

void DibImageTest::failsWithoutImage() {
    QFETCH(QByteArray, content);
    QFETCH(bool, asFolder);
    const QString path =
        dir_.filePath(QStringLiteral("broken-%1.png").arg(QTest::currentDataTag()));
    if (asFolder) {
        QVERIFY(QDir().mkpath(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QVERIFY(!CDibImage::Decode(path.toStdString()));
    QVERIFY(!CDibImage::Decode(dir_.filePath(QStringLiteral("missing.png")).toStdString()));
}

void DibImageTest::givesTheImageBackForDrawing() {
    const QImage original = PatternImage(5, 3);
    const auto dib = CDibImage::FromImage("memory/pattern.png", original);
    QVERIFY(dib);
    QCOMPARE(QString::fromStdString(dib->Name()), QStringLiteral("pattern.png"));
    const QImage& back = dib->ToQImage();
    QCOMPARE(back.size(), original.size());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            QCOMPARE(back.pixel(x, y), original.pixel(x, y));
        }
    }
    QVERIFY(!CDibImage::FromImage("null.png", QImage()));
}

void DibImageTest::sortsByteWise_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("upper case first")
        << QStringList{"a.png", "B.jpg"} << QStringList{"B.jpg", "a.png"};
    QTest::newRow("not by extension")
        << QStringList{"b.png", "a.jpg", "c.png"} << QStringList{"a.jpg", "b.png", "c.png"};
    QTest::newRow("digits first") << QStringList{"_x.png", "z.png", "10_A.png", "02_B.png"}
                                  << QStringList{"02_B.png", "10_A.png", "_x.png", "z.png"};
    QTest::newRow("dot before letters")
        << QStringList{"ab.png", "a.png"} << QStringList{"a.png", "ab.png"};
    QTest::newRow("multibyte after ascii") << QStringList{"\u753b.png", "z.png", "Z.png"}
                                           << QStringList{"Z.png", "z.png", "\u753b.png"};
}

void DibImageTest::sortsByteWise() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    CDibImageList list;
    for (const QString& name : names) {
        list.Add(CDibImage::FromImage(("dir/" + name).toStdString(), PatternImage(1, 1)));
    }
    list.SortByName();
    QStringList result;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        result.append(QString::fromStdString(list.At(i).Name()));
    }
    QCOMPARE(result, sorted);
    list.Clear();
    QVERIFY(list.Empty());
}

void DibImageTest::ignoresMissingImages() {
    CDibImageList list;
    list.Add(nullptr);
    list.Add(CDibImage::FromImage("a.png", PatternImage(2, 2)));
    QCOMPARE(list.Size(), std::size_t{1});
}

QTEST_GUILESS_MAIN(DibImageTest)
#include "panes_dib_image_test.moc"
