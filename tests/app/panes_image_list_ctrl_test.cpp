#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "app/panes/image_list_ctrl.h"

using ze::app::CDibImage;
using ze::app::CDibImageList;
using ze::app::CImageListCtrl;

namespace {

const QRgb kImageColour = qRgb(12, 200, 34);

QImage Solid(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kImageColour);
    return image;
}

void Fill(CDibImageList& list, const QStringList& names, int width = 50, int height = 50) {
    list.Clear();
    for (const QString& name : names) {
        list.Add(CDibImage::FromImage(("dir/" + name).toStdString(), Solid(width, height)));
    }
}

QString Joined(const std::vector<std::string>& lines) {
    QStringList texts;
    for (const std::string& line : lines) {
        texts.append(QString::fromStdString(line));
    }
    return texts.join('|');
}

// A grid showing list whose viewport is columns cells wide (plus a little).
std::unique_ptr<CImageListCtrl> MakeGrid(int mode, const CDibImageList& list, int columns) {
    auto grid = std::make_unique<CImageListCtrl>(mode);
    const int chrome = grid->verticalScrollBar()->sizeHint().width() + 2 * grid->frameWidth();
    grid->resize(columns * grid->Pitch() + 10 + chrome, 4 * grid->Pitch());
    grid->SetList(&list);
    grid->show();
    return grid;
}

QPoint Centre(const CImageListCtrl& grid, int index) {
    return grid.CellRect(index).center();
}

}  // namespace

class ImageListCtrlTest : public QObject {
    Q_OBJECT
private slots:
    void captionsPerMode_data();
    void captionsPerMode();
    void requestTextPerMode_data();
    void requestTextPerMode();
    void imagesPerRow_data();
    void imagesPerRow();
    void followsItsWidth_data();
    void followsItsWidth();
    void clickSelectsACell();
    void doubleClickSendsTheEntry_data();
    void doubleClickSendsTheEntry();
    void selectsByName_data();
    void selectsByName();
    void selectionFollowsARefilledList();
    void drawsTheSelectionInHighlightColours();
    void tipsShowTheWholeCaption();
};

void ImageListCtrlTest::captionsPerMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("objects") << 0 << "01_FRAME.png"
                             << "FRAME";
    QTest::newRow("objects lower case") << 0 << "14_toggle.jpg"
                                        << "TOGGLE";
    QTest::newRow("objects inner dot") << 0 << "20_a.b.png"
                                       << "A.B";
    QTest::newRow("objects short name") << 0 << "ab.png"
                                        << "";
    QTest::newRow("objects multibyte") << 0 << "\u753b\u50cf_x\u753b.png"
                                       << "X\u753b";
    QTest::newRow("clipboard") << 3 << "Clipboard.png"
                               << "Clipboard";
    QTest::newRow("built-in") << 1 << "btn[10-20].png"
                              << "btn[10-20].png|20 x 30 24 bit";
    QTest::newRow("user") << 2 << "photo.jpg"
                          << "photo.jpg|20 x 30 24 bit";
}

void ImageListCtrlTest::captionsPerMode() {
    QFETCH(int, mode);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    // 30 wide, 20 high: the size line gives the height first.
    QCOMPARE(Joined(ze::app::CaptionLines(mode, name.toStdString(), 30, 20, 24)), caption);
    QCOMPARE(ze::app::CaptionLineCount(mode), caption.count('|') + 1);
}

void ImageListCtrlTest::requestTextPerMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("objects: the type") << 0 << "12_BUTTON.png"
                                       << "BUTTON";
    QTest::newRow("clipboard: no extension") << 3 << "Clipboard.png"
                                             << "Clipboard";
    QTest::newRow("built-in: file name") << 1 << "btn[10-20].png"
                                         << "btn[10-20].png";
    QTest::newRow("user: file name") << 2 << "a.b.jpg"
                                     << "a.b.jpg";
}

void ImageListCtrlTest::requestTextPerMode() {
    QFETCH(int, mode);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ze::app::RequestText(mode, name.toStdString())), text);
}

void ImageListCtrlTest::imagesPerRow_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("perRow");
    QTest::newRow("no width") << 0 << 65 << 1;
    QTest::newRow("narrower than a cell") << 64 << 65 << 1;
    QTest::newRow("one cell") << 65 << 65 << 1;
    QTest::newRow("just short of two") << 129 << 65 << 1;
    QTest::newRow("two cells") << 130 << 65 << 2;
    QTest::newRow("fifteen cells") << 15 * 65 << 65 << 15;
    QTest::newRow("capped at fifteen") << 40 * 65 << 65 << 15;
    QTest::newRow("two-line pitch short") << 159 << 80 << 1;
    QTest::newRow("two-line pitch") << 160 << 80 << 2;
    QTest::newRow("two-line pitch, 65 px grid width") << 195 << 80 << 2;
}

void ImageListCtrlTest::imagesPerRow() {
    QFETCH(int, width);
    QFETCH(int, pitch);
    QFETCH(int, perRow);
    QCOMPARE(CImageListCtrl::ImagesPerRowFor(width, pitch), perRow);
}

void ImageListCtrlTest::followsItsWidth_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("pitch");
    QTest::newRow("objects") << 0 << 65;
    QTest::newRow("built-in") << 1 << 80;
    QTest::newRow("user") << 2 << 80;
    QTest::newRow("clipboard") << 3 << 65;
}

void ImageListCtrlTest::followsItsWidth() {
    QFETCH(int, mode);
    QFETCH(int, pitch);
    CDibImageList list;
    Fill(list, {"a.png", "b.png", "c.png", "d.png", "e.png"});
    auto grid = MakeGrid(mode, list, 3);
    QCOMPARE(grid->Pitch(), pitch);
    QCOMPARE(grid->ImagesPerRow(), 3);
    QCOMPARE(grid->CellRect(4), QRect(pitch, pitch, pitch, pitch));
    QCOMPARE(grid->CellAt(QPoint(pitch + 1, pitch + 1)), 4);
    QCOMPARE(grid->CellAt(QPoint(2 * pitch + 1, pitch + 1)), -1);  // past the last image

    grid->resize(grid->width() + pitch, grid->height());
    QCOMPARE(grid->ImagesPerRow(), 4);
    QCOMPARE(grid->CellRect(4), QRect(0, pitch, pitch, pitch));
    QVERIFY(grid->verticalScrollBar()->isVisible());
}

void ImageListCtrlTest::clickSelectsACell() {
    CDibImageList list;
    Fill(list, {"a.png", "b.png", "c.png", "d.png", "e.png"});
    auto grid = MakeGrid(1, list, 2);
    QCOMPARE(grid->SelectedIndex(), -1);
    QVERIFY(!grid->SelectedEntry());

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(*grid, 3));
    QCOMPARE(grid->SelectedIndex(), 3);
    // Right of the last column, below the last image: outside every cell.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(2 * 80 + 5, 10));
    QCOMPARE(grid->SelectedIndex(), 3);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(80 + 10, 2 * 80 + 10));
    QCOMPARE(grid->SelectedIndex(), 3);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(*grid, 4));
    QCOMPARE(grid->SelectedIndex(), 4);

    const auto entry = grid->SelectedEntry();
    QVERIFY(entry);
    QCOMPARE(entry->kind, ze::PaneEntryKind::kBuiltInImage);
    QCOMPARE(QByteArray::fromStdString(entry->text), QByteArray("e.png"));
}

void ImageListCtrlTest::doubleClickSendsTheEntry_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("objects") << 0 << "16_PICTURE.png" << QByteArray("PICTURE");
    QTest::newRow("built-in") << 1 << "btn[10-20].png" << QByteArray("btn[10-20].png");
    QTest::newRow("user") << 2 << "logo.jpg" << QByteArray("logo.jpg");
    QTest::newRow("user, Japanese name in Shift_JIS")
        << 2 << "\u753b\u50cf.png" << QByteArray("\x89\xe6\x91\x9c.png");
    QTest::newRow("clipboard") << 3 << "Clipboard.png" << QByteArray("Clipboard");
}

void ImageListCtrlTest::doubleClickSendsTheEntry() {
    QFETCH(int, mode);
    QFETCH(QString, name);
    QFETCH(QByteArray, text);
    CDibImageList list;
    Fill(list, {"0first.png", name});
    auto grid = MakeGrid(mode, list, 3);
    QSignalSpy chosen(grid.get(), &CImageListCtrl::EntryChosen);

    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Centre(*grid, 2));  // empty cell
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(grid->SelectedIndex(), -1);

    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Centre(*grid, 1));
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).value<ze::PaneEntryKind>(), ze::app::EntryKindOf(mode));
    QCOMPARE(chosen.at(0).at(1).toByteArray(), text);
    QCOMPARE(grid->SelectedIndex(), 1);
    const auto entry = grid->SelectedEntry();
    QVERIFY(entry);
    QCOMPARE(static_cast<int>(entry->kind), mode);
    QCOMPARE(QByteArray::fromStdString(entry->text), text);
}

void ImageListCtrlTest::selectsByName_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("selected");
    QTest::newRow("exact") << QByteArray("b.png") << 1;
    QTest::newRow("other case") << QByteArray("B.PNG") << 0;
    QTest::newRow("without extension") << QByteArray("b") << 0;
    QTest::newRow("longer") << QByteArray("b.png ") << 0;
    QTest::newRow("Shift_JIS name") << QByteArray("\x89\xe6.png") << 2;
    QTest::newRow("empty") << QByteArray() << 0;
}

void ImageListCtrlTest::selectsByName() {
    QFETCH(QByteArray, name);
    QFETCH(int, selected);
    CDibImageList list;
    Fill(list, {"a.png", "b.png", "\u753b.png"});
    auto grid = MakeGrid(2, list, 3);
    grid->Select(0);
    grid->SelectByName(name.toStdString());
    QCOMPARE(grid->SelectedIndex(), selected);
}

void ImageListCtrlTest::selectionFollowsARefilledList() {
    CDibImageList list;
    Fill(list, {"a.png", "b.png", "c.png"});
    auto grid = MakeGrid(1, list, 3);
    grid->Select(2);

    Fill(list, {"0.png", "a.png", "c.png", "d.png"});
    grid->SetList(&list);
    QCOMPARE(grid->SelectedIndex(), 2);

    Fill(list, {"a.png"});
    grid->SetList(&list);
    QCOMPARE(grid->SelectedIndex(), -1);
    QVERIFY(!grid->SelectedEntry());
    // The entry once selected does not come back with a later refill.
    Fill(list, {"a.png", "c.png"});
    grid->SetList(&list);
    QCOMPARE(grid->SelectedIndex(), -1);
}

void ImageListCtrlTest::drawsTheSelectionInHighlightColours() {
    CDibImageList list;
    Fill(list, {"a.png", "b.png"});
    auto grid = MakeGrid(1, list, 3);
    QPalette colours = grid->palette();
    colours.setColor(QPalette::Highlight, QColor(200, 10, 10));
    colours.setColor(QPalette::Base, QColor(250, 250, 240));
    grid->setPalette(colours);
    grid->Select(1);

    const QImage shot = grid->viewport()->grab().toImage();
    const QRect first = grid->CellRect(0);
    const QRect second = grid->CellRect(1);
    // The image fills its 50-pixel cell; the caption area below keeps a
    // free margin on the left.
    QCOMPARE(shot.pixel(first.x() + 40, first.y() + 25), kImageColour);
    QCOMPARE(shot.pixel(second.x() + 40, second.y() + 25), kImageColour);
    QCOMPARE(shot.pixel(first.x() + 2, first.y() + 52), qRgb(250, 250, 240));
    QCOMPARE(shot.pixel(second.x() + 2, second.y() + 52), qRgb(200, 10, 10));
    QCOMPARE(shot.pixel(second.x() + 2, second.y() + 78), qRgb(200, 10, 10));
    QCOMPARE(shot.pixel(second.x() + 2, second.y() + 2), qRgb(200, 10, 10));
}

void ImageListCtrlTest::tipsShowTheWholeCaption() {
    CDibImageList list;
    Fill(list, {"a_very_long_name_for_a_cell.png"}, 7, 3);
    auto grid = MakeGrid(2, list, 3);
    QCOMPARE(grid->ToolTipAt(Centre(*grid, 0)),
             QStringLiteral("a_very_long_name_for_a_cell.png\n3 x 7 24 bit"));
    QCOMPARE(grid->ToolTipAt(Centre(*grid, 1)), QString());
}

QTEST_MAIN(ImageListCtrlTest)
#include "panes_image_list_ctrl_test.moc"
