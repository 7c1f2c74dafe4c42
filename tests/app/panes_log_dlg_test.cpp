#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "app/panes/log_dlg.h"

using ze::app::CLogDlg;
using ze::link::LogKind;

namespace {

void MakeImage(const QString& folder, const QString& name) {
    QVERIFY(QDir().mkpath(folder));
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(qRgb(90, 90, 90));
    QVERIFY(image.save(folder + "/" + name, name.endsWith(".jpg") ? "JPG" : "PNG"));
}

QStringList Names(const ze::app::CDibImageList& list) {
    QStringList names;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        names.append(QString::fromStdString(list.At(i).Name()));
    }
    return names;
}

// Text and colour of each stretch of the log that shares one format.
struct Run {
    QString text;
    QColor colour;
};

QList<Run> Runs(QTextEdit& log) {
    QList<Run> runs;
    for (QTextBlock block = log.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            runs.append({fragment.text(), fragment.charFormat().foreground().color()});
        }
    }
    return runs;
}

}  // namespace

class LogDlgTest : public QObject {
    Q_OBJECT
private slots:
    void hasSevenTabsInOrder();
    void writesALinePerKind_data();
    void writesALinePerKind();
    void eachLineKeepsItsColour();
    void clearThenOneLineLeavesThatLine();
    void scrollsToTheBottom();
    void usesTheLogFont();
    void selectedEntryFollowsTheTab();
    void forwardsChosenEntries();
    void fewerRowsRenewTheListView_data();
    void fewerRowsRenewTheListView();
    void refreshKeepsTheSelectionByName();
    void showsTheShippedImages();

private:
    QTemporaryDir program_;
    QTemporaryDir project_;
};

void LogDlgTest::hasSevenTabsInOrder() {
    CLogDlg pane;
    auto* tabs = pane.findChild<QTabWidget*>();
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 7);
    const QStringList captions{"挿入オブジェクト",
                               "クリップボード",
                               "標準画像(BUILTIN)",
                               "ユーザ登録画像(STATION)",
                               "通信ログ",
                               "問題",
                               "変更"};
    for (int tab = 0; tab < 7; ++tab) {
        QCOMPARE(tabs->tabText(tab), captions[tab]);
    }
    const int modes[] = {0, 3, 1, 2};
    for (int tab = 0; tab < 4; ++tab) {
        QCOMPARE(pane.Grid(tab).Mode(), modes[tab]);
        QCOMPARE(tabs->widget(tab), &pane.Grid(tab));
    }
    QCOMPARE(tabs->widget(4), &pane.CommLog());
    QCOMPARE(tabs->widget(CLogDlg::kProblemsTab), &pane.Problems());
    QCOMPARE(tabs->widget(CLogDlg::kChangesTab), &pane.Changes());
    QVERIFY(pane.CommLog().isReadOnly());

    pane.ShowTab(4);
    QCOMPARE(pane.CurrentTab(), 4);
    pane.ShowTab(2);
    QCOMPARE(pane.CurrentTab(), 2);
    pane.ShowTab(7);
    QCOMPARE(pane.CurrentTab(), 2);
}

void LogDlgTest::writesALinePerKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QColor>("colour");
    const QString time = QStringLiteral("\\d\\d:\\d\\d:\\d\\d");
    QTest::newRow("info") << 0 << time + "#HELLO あ\n" << QColor(0, 0, 0);
    QTest::newRow("error") << 1 << time + "!HELLO あ\n" << QColor(255, 0, 0);
    QTest::newRow("received") << 2 << time + "<HELLO あ\n" << QColor(80, 80, 200);
    QTest::newRow("sent") << 3 << time + ">HELLO あ\n" << QColor(30, 170, 0);
    QTest::newRow("plain, no time") << 4 << QStringLiteral("#HELLO あ\n") << QColor(0, 0, 0);
    QTest::newRow("trace") << 5 << time + "\\?HELLO あ\n" << QColor(100, 100, 100);
    QTest::newRow("above trace") << 9 << time + "\\?HELLO あ\n" << QColor(100, 100, 100);
}

void LogDlgTest::writesALinePerKind() {
    QFETCH(int, kind);
    QFETCH(QString, pattern);
    QFETCH(QColor, colour);
    CLogDlg pane;
    pane.WriteLog("HELLO \x82\xa0", static_cast<LogKind>(kind));  // "あ" in Shift_JIS
    const QString text = pane.CommLog().toPlainText();
    QVERIFY2(QRegularExpression("^" + pattern + "$").match(text).hasMatch(), qPrintable(text));
    const QList<Run> runs = Runs(pane.CommLog());
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].colour, colour);
}

void LogDlgTest::eachLineKeepsItsColour() {
    CLogDlg pane;
    pane.WriteLog("socket error", LogKind::Error);
    pane.WriteLog("HELLO", LogKind::Sent);
    pane.WriteLog("plain", LogKind::Plain);
    const QList<Run> runs = Runs(pane.CommLog());
    QCOMPARE(runs.size(), 3);
    QVERIFY(runs[0].text.endsWith("!socket error"));
    QCOMPARE(runs[0].colour, QColor(255, 0, 0));
    QVERIFY(runs[1].text.endsWith(">HELLO"));
    QCOMPARE(runs[1].colour, QColor(30, 170, 0));
    QCOMPARE(runs[2].text, QStringLiteral("#plain"));
    QCOMPARE(runs[2].colour, QColor(0, 0, 0));
}

void LogDlgTest::clearThenOneLineLeavesThatLine() {
    CLogDlg pane;
    for (int i = 0; i < 3; ++i) {
        pane.WriteLog("before", LogKind::Error);
    }
    // A selection made by the user does not redirect the next line.
    QTextCursor cursor = pane.CommLog().textCursor();
    cursor.setPosition(2);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    pane.CommLog().setTextCursor(cursor);
    pane.WriteLog("kept", LogKind::Plain);
    QVERIFY(pane.CommLog().toPlainText().endsWith("!before\n#kept\n"));

    pane.ClearLog();
    QCOMPARE(pane.CommLog().toPlainText(), QString());
    pane.WriteLog("only", LogKind::Plain);
    QCOMPARE(pane.CommLog().toPlainText(), QStringLiteral("#only\n"));
    const QList<Run> runs = Runs(pane.CommLog());
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].colour, QColor(0, 0, 0));
}

void LogDlgTest::scrollsToTheBottom() {
    CLogDlg pane;
    pane.resize(600, 180);
    pane.show();
    pane.ShowTab(4);
    for (int i = 0; i < 3000; ++i) {
        pane.WriteLog(QByteArray::number(i).toStdString(), LogKind::Received);
    }
    QCOMPARE(pane.CommLog().document()->blockCount(), 3001);
    QScrollBar* bar = pane.CommLog().verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(!pane.CommLog().document()->isUndoAvailable());
}

void LogDlgTest::usesTheLogFont() {
    CLogDlg pane;
    const QFont font = pane.CommLog().document()->defaultFont();
    QCOMPARE(font.pointSizeF(), 10.5);
    QCOMPARE(font.families().value(0), QStringLiteral("ＭＳ ゴシック"));
    QVERIFY(font.families().contains(QStringLiteral("Noto Sans Mono CJK JP")));
    QCOMPARE(pane.sizeHint(), QSize(600, 180));
}

void LogDlgTest::selectedEntryFollowsTheTab() {
    MakeImage(program_.filePath("objects"), "03_RADIO.png");
    MakeImage(program_.filePath("samples"), "Clipboard.png");
    MakeImage(program_.filePath("assets"), "b.png");
    MakeImage(program_.filePath("assets"), "A.jpg");
    MakeImage(project_.filePath("resources"), "mine.png");
    CLogDlg pane;
    pane.RefreshImages(program_.path().toStdString(), project_.path().toStdString());
    QCOMPARE(Names(pane.Images(0)), QStringList{"03_RADIO.png"});
    QCOMPARE(Names(pane.Images(1)), QStringList{"Clipboard.png"});
    QCOMPARE(Names(pane.Images(2)), (QStringList{"A.jpg", "b.png"}));
    QCOMPARE(Names(pane.Images(3)), QStringList{"mine.png"});
    QCOMPARE(pane.Grid(2).List(), &pane.Images(2));

    pane.ShowTab(2);
    QVERIFY(!pane.SelectedEntry());
    pane.Grid(2).SelectByName("b.png");
    pane.Grid(1).Select(0);
    auto entry = pane.SelectedEntry();
    QVERIFY(entry);
    QCOMPARE(entry->kind, ze::PaneEntryKind::kBuiltInImage);
    QCOMPARE(QByteArray::fromStdString(entry->text), QByteArray("b.png"));

    pane.ShowTab(1);
    entry = pane.SelectedEntry();
    QVERIFY(entry);
    QCOMPARE(entry->kind, ze::PaneEntryKind::kClipboard);
    QCOMPARE(QByteArray::fromStdString(entry->text), QByteArray("Clipboard"));

    pane.ShowTab(0);
    QVERIFY(!pane.SelectedEntry());
    pane.ShowTab(4);
    QVERIFY(!pane.SelectedEntry());
}

void LogDlgTest::fewerRowsRenewTheListView_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("then");
    QTest::addColumn<bool>("renewed");
    QTest::newRow("a large list emptied") << 5000 << 0 << true;
    QTest::newRow("to a fifth") << 5000 << 1000 << true;
    QTest::newRow("to two fifths") << 5000 << 2000 << false;
    QTest::newRow("a small list emptied") << 10 << 0 << false;
}

// A view keeps the room of the most rows it held: a new one replaces it,
// with the user's column widths, still telling which finding was chosen.
void LogDlgTest::fewerRowsRenewTheListView() {
    QFETCH(int, rows);
    QFETCH(int, then);
    QFETCH(bool, renewed);
    CLogDlg pane;
    ze::app::CFindingsList& list = pane.Problems();
    list.View().setColumnWidth(ze::app::CFindingsList::kElementColumn, 333);
    ze::Finding finding;
    finding.message = "m";
    list.SetFindings(std::vector<ze::Finding>(static_cast<std::size_t>(rows), finding));
    const QTreeWidget* first = &list.View();
    list.SetFindings(std::vector<ze::Finding>(static_cast<std::size_t>(then), finding));
    QCOMPARE(&list.View() != first, renewed);
    QCOMPARE(list.topLevelItemCount(), then);
    QCOMPARE(list.View().columnWidth(ze::app::CFindingsList::kElementColumn), 333);
    list.SetFindings(std::vector<ze::Finding>(3, finding));
    QSignalSpy chosen(&list, &ze::app::CFindingsList::FindingChosen);
    emit list.View().itemActivated(list.topLevelItem(2), 0);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), 2);
}

void LogDlgTest::forwardsChosenEntries() {
    MakeImage(program_.filePath("objects"), "03_RADIO.png");
    CLogDlg pane;
    pane.RefreshImages(program_.path().toStdString(), "");
    pane.resize(600, 180);
    pane.show();
    QSignalSpy chosen(&pane, &CLogDlg::EntryChosen);
    QTest::mouseDClick(pane.Grid(0).viewport(), Qt::LeftButton, {},
                       pane.Grid(0).CellRect(0).center());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).value<ze::PaneEntryKind>(), ze::PaneEntryKind::kInsertType);
    QCOMPARE(chosen.at(0).at(1).toByteArray(), QByteArray("RADIO"));
}

void LogDlgTest::refreshKeepsTheSelectionByName() {
    QTemporaryDir first;
    QTemporaryDir second;
    MakeImage(first.filePath("resources"), "a.png");
    MakeImage(first.filePath("resources"), "logo.png");
    MakeImage(second.filePath("resources"), "0.png");
    MakeImage(second.filePath("resources"), "logo.png");
    CLogDlg pane;
    pane.RefreshImages(program_.path().toStdString(), first.path().toStdString());
    pane.Grid(3).SelectByName("logo.png");
    QCOMPARE(pane.Grid(3).SelectedIndex(), 1);

    pane.RefreshImages(program_.path().toStdString(), second.path().toStdString());
    QCOMPARE(pane.Grid(3).SelectedIndex(), 1);
    QCOMPARE(QString::fromStdString(pane.Images(3).At(1).Name()), QStringLiteral("logo.png"));

    pane.RefreshImages(program_.path().toStdString(), program_.filePath("none").toStdString());
    QCOMPARE(pane.Grid(3).SelectedIndex(), -1);
    pane.ShowTab(3);
    QVERIFY(!pane.SelectedEntry());
}

void LogDlgTest::showsTheShippedImages() {
    CLogDlg pane;
    pane.RefreshImages(ZE_BINARY_DIR "/bin", "");
    const QStringList types{"FRAME",    "LINEAR", "RADIO",    "SCROLL",   "HSCROLL",
                            "PAGE",     "TABLE",  "TABLEROW", "RELATIVE", "TEXT",
                            "EDIT",     "BUTTON", "CHECKBOX", "TOGGLE",   "RADIOBTN",
                            "PICTURE",  "CANVAS", "GRID",     "PULLDOWN", "PROGRESS",
                            "SLIDEBAR", "METER",  "GRAPH",    "VLIST",    "HLIST"};
    const ze::app::CDibImageList& objects = pane.Images(0);
    QStringList captions;
    for (std::size_t i = 0; i < objects.Size(); ++i) {
        captions.append(QString::fromStdString(
            ze::app::CaptionLines(0, objects.At(i).Name(), 0, 0, 0).front()));
    }
    QCOMPARE(captions, types);
    QCOMPARE(Names(pane.Images(1)), QStringList{"Clipboard.png"});

    const QStringList assets = Names(pane.Images(2));
    QVERIFY(assets.size() >= 10);
    QVERIFY(!assets.filter(".jpg").isEmpty());
    QVERIFY(!assets.filter(QRegularExpression("\\[\\d+-\\d+\\]\\.png$")).isEmpty());
    // Drawn pictures, not blank squares.
    for (int tab = 0; tab < 3; ++tab) {
        const ze::app::CDibImageList& list = pane.Images(tab);
        for (std::size_t i = 0; i < list.Size(); ++i) {
            const QImage& image = list.At(i).ToQImage();
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); y += 2) {
                for (int x = 0; x < image.width(); x += 2) {
                    colours.insert(image.pixel(x, y));
                }
            }
            QVERIFY2(colours.size() >= 2, list.At(i).Name().c_str());
        }
    }
}

QTEST_MAIN(LogDlgTest)
#include "panes_log_dlg_test.moc"
