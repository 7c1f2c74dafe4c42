#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "app/panes/image_scan.h"

using ze::app::CDibImageList;
using ze::app::PaneImageLists;

namespace {

// Writes an image or, for names starting with "bad", a text file; names
// ending with "/" become folders.
void Make(const QString& folder, const QString& name) {
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/" + name;
    if (name.endsWith('/')) {
        QVERIFY(QDir().mkpath(path));
        return;
    }
    if (name.startsWith(QStringLiteral("bad"))) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("no image here");
        return;
    }
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    const QString lower = name.toLower();
    const char* format = lower.endsWith(".jpg") || lower.endsWith(".jpeg") ? "JPG" : "PNG";
    QVERIFY(image.save(path, format));
}

QStringList Names(const CDibImageList& list) {
    QStringList names;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        names.append(QString::fromStdString(list.At(i).Name()));
    }
    return names;
}

}  // namespace

class ImageScanTest : public QObject {
    Q_OBJECT
private slots:
    void listsAFolderInNameOrder_data();
    void listsAFolderInNameOrder();
    void matchesExtensions_data();
    void matchesExtensions();
    void fillsTheFourLists_data();
    void fillsTheFourLists();
    void missingFoldersGiveEmptyLists();
    void scanningAgainReplacesTheLists();
};

void ImageScanTest::listsAFolderInNameOrder_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("upper-case jpg before lower-case png")
        << QStringList{"a.png", "B.jpg"} << QStringList{"B.jpg", "a.png"};
    QTest::newRow("jpg and png mixed by name") << QStringList{"b.png", "a.jpg", "c.jpg", "d.png"}
                                               << QStringList{"a.jpg", "b.png", "c.jpg", "d.png"};
    QTest::newRow("upper-case extensions")
        << QStringList{"x.PNG", "Y.Jpg"} << QStringList{"Y.Jpg", "x.PNG"};
    QTest::newRow("other types left out")
        << QStringList{"a.gif", "b.jpeg", "c.png.txt", "d.png", "png"} << QStringList{"d.png"};
    QTest::newRow("undecodable left out")
        << QStringList{"bad.png", "bad.jpg", "good.png"} << QStringList{"good.png"};
    QTest::newRow("folders left out")
        << QStringList{"sub.png/", "x.jpg/", "y.png"} << QStringList{"y.png"};
    QTest::newRow("numbered names") << QStringList{"10_TEXT.png", "02_LINEAR.png", "01_FRAME.png"}
                                    << QStringList{"01_FRAME.png", "02_LINEAR.png", "10_TEXT.png"};
    QTest::newRow("empty folder") << QStringList{} << QStringList{};
    // UTF-8 puts the Greek letter first, Shift_JIS the katakana.
    QTest::newRow("Japanese names in Shift_JIS order")
        << QStringList{"\u03b1.png", "\u30a2.png"} << QStringList{"\u30a2.png", "\u03b1.png"};
}

void ImageScanTest::listsAFolderInNameOrder() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, listed);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("images"));
    QVERIFY(QDir().mkpath(folder));
    for (const QString& name : files) {
        Make(folder, name);
    }
    CDibImageList list;
    ze::app::ScanImageFolder(folder.toStdString(), list);
    QCOMPARE(Names(list), listed);
}

void ImageScanTest::matchesExtensions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("matches");
    QTest::newRow("same") << "a.png"
                          << ".png" << true;
    QTest::newRow("upper case") << "A.PNG"
                                << ".png" << true;
    QTest::newRow("mixed case") << "a.JpG"
                                << ".jpg" << true;
    QTest::newRow("only the extension") << ".png"
                                        << ".png" << true;
    QTest::newRow("longer extension") << "a.pngx"
                                      << ".png" << false;
    QTest::newRow("no dot") << "apng"
                            << ".png" << false;
    QTest::newRow("shorter than extension") << "png"
                                            << ".png" << false;
    QTest::newRow("other") << "a.jpg"
                           << ".png" << false;
}

void ImageScanTest::matchesExtensions() {
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QFETCH(bool, matches);
    QCOMPARE(ze::app::HasExtension(name.toStdString(), extension.toStdString()), matches);
}

void ImageScanTest::fillsTheFourLists_data() {
    QTest::addColumn<bool>("trailingSeparators");
    QTest::newRow("folders with separator") << true;
    QTest::newRow("folders without separator") << false;
}

void ImageScanTest::fillsTheFourLists() {
    QFETCH(bool, trailingSeparators);
    QTemporaryDir program;
    QTemporaryDir project;
    Make(program.filePath("objects"), "02_LINEAR.png");
    Make(program.filePath("objects"), "01_FRAME.png");
    Make(program.filePath("samples"), "Clipboard.png");
    Make(program.filePath("samples"), "Other.png");
    Make(program.filePath("assets"), "photo.jpg");
    Make(program.filePath("assets"), "btn[10-20].png");
    Make(project.filePath("resources"), "mine.png");
    Make(project.filePath("resources/sub"), "deeper.png");

    const QString separator = trailingSeparators ? QStringLiteral("/") : QString();
    PaneImageLists lists;
    ze::app::ScanPaneImages((program.path() + separator).toStdString(),
                            (project.path() + separator).toStdString(), lists);
    QCOMPARE(Names(lists.objects), (QStringList{"01_FRAME.png", "02_LINEAR.png"}));
    QCOMPARE(Names(lists.clipboard), QStringList{"Clipboard.png"});
    QCOMPARE(Names(lists.builtIn), (QStringList{"btn[10-20].png", "photo.jpg"}));
    QCOMPARE(Names(lists.user), QStringList{"mine.png"});
    QCOMPARE(QString::fromStdString(lists.user.At(0).Path()),
             project.path() + "/resources/mine.png");
}

void ImageScanTest::missingFoldersGiveEmptyLists() {
    QTemporaryDir program;
    PaneImageLists lists;
    ze::app::ScanPaneImages(program.path().toStdString(),
                            program.filePath("no-such-project").toStdString(), lists);
    QVERIFY(lists.objects.Empty());
    QVERIFY(lists.clipboard.Empty());
    QVERIFY(lists.builtIn.Empty());
    QVERIFY(lists.user.Empty());

    // No project folder set: nothing is read from the working folder.
    const QString working = QDir::currentPath();
    QVERIFY(QDir::setCurrent(program.path()));
    Make(program.filePath("resources"), "stray.png");
    ze::app::ScanPaneImages("", "", lists);
    QVERIFY(QDir::setCurrent(working));
    QVERIFY(lists.user.Empty());
    QVERIFY(lists.objects.Empty());
}

void ImageScanTest::scanningAgainReplacesTheLists() {
    QTemporaryDir program;
    QTemporaryDir project;
    Make(program.filePath("objects"), "01_FRAME.png");
    Make(program.filePath("samples"), "Clipboard.png");
    Make(project.filePath("resources"), "a.png");
    Make(project.filePath("resources"), "b.png");
    PaneImageLists lists;
    ze::app::ScanPaneImages(program.path().toStdString(), project.path().toStdString(), lists);
    QCOMPARE(lists.user.Size(), std::size_t{2});

    QVERIFY(QFile::remove(project.filePath("resources/a.png")));
    QVERIFY(QFile::remove(program.filePath("samples/Clipboard.png")));
    ze::app::ScanPaneImages(program.path().toStdString(), project.path().toStdString(), lists);
    QCOMPARE(Names(lists.objects), QStringList{"01_FRAME.png"});
    QVERIFY(lists.clipboard.Empty());
    QCOMPARE(Names(lists.user), QStringList{"b.png"});
}

QTEST_GUILESS_MAIN(ImageScanTest)
#include "panes_image_scan_test.moc"
