// The colours of the tree's items: the current item white on red, selected
// objects and groups red on white, the rest black on white, exactly as drawn.

#include <QImage>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "model/editing/selection.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/support/recording_host.h"
#include "panels/support/sample_project.h"

namespace ze::panels::test {

namespace {

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// The colour the view painted at the far right of the item's row (no text
// there) and the darkest-or-reddest text pixel of its label.
struct Painted {
    QColor background;
    bool hasText = false;
    QColor text;
};

Painted PaintedItem(QTreeView& view, const QModelIndex& index, const QColor& background) {
    const QImage image = view.viewport()->grab().toImage();
    const QRect rect = view.visualRect(index);
    Painted painted;
    painted.background = image.pixelColor(rect.right() - 2, rect.center().y());
    // Text pixels: the ones farthest from the background colour.
    int best = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x < rect.left() + 120 && x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int distance = std::abs(c.red() - background.red()) +
                                 std::abs(c.green() - background.green()) +
                                 std::abs(c.blue() - background.blue());
            if (distance > best) {
                best = distance;
                painted.text = c;
                painted.hasText = true;
            }
        }
    }
    return painted;
}

}  // namespace

class TreeColoursTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        project_ = std::make_unique<CZeResourceData>();
        QVERIFY(LoadSampleProject(*project_));
        panel_ = std::make_unique<CResourceDlg>(*project_, host_, messages_, host_.link);
        main_ = &Dialog(*project_, "Main");
        panel_->Reload();
        panel_->TreeView().expandAll();
        // The title is current; the others are picked before it.
        Select(*project_, &Element(*main_, "grid"));
        SelectAlso(*project_, &Element(*main_, "page1"));  // with p1button
        SelectAlso(*project_, &Element(*main_, "title"));
    }
    void cleanup() {
        panel_.reset();
        project_.reset();
    }

    void RolesGiveTheItemColours_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("foreground");
        QTest::addColumn<QColor>("background");
        QTest::newRow("current item") << "title" << kWhite << kRed;
        QTest::newRow("selected object") << "grid" << kRed << kWhite;
        QTest::newRow("selected group") << "page1" << kRed << kWhite;
        QTest::newRow("object of a selected group") << "p1button" << kRed << kWhite;
        QTest::newRow("unselected object") << "toggle" << kBlack << kWhite;
        QTest::newRow("unselected group") << "pages" << kBlack << kWhite;
        QTest::newRow("dialog") << "Main" << kBlack << kWhite;
        QTest::newRow("header column of a selected object") << "grid/0" << kBlack << kWhite;
    }
    void RolesGiveTheItemColours() {
        QFETCH(QString, name);
        QFETCH(QColor, foreground);
        QFETCH(QColor, background);
        const QModelIndex index = IndexOf(name);
        QVERIFY(index.isValid());
        ResourceTreeModel& model = panel_->TreeModel();
        QCOMPARE(model.data(index, Qt::ForegroundRole).value<QColor>(), foreground);
        QCOMPARE(model.data(index, Qt::BackgroundRole).value<QColor>(), background);
    }

    void TheViewPaintsExactlyThoseColours_data() { RolesGiveTheItemColours_data(); }
    void TheViewPaintsExactlyThoseColours() {
        QFETCH(QString, name);
        QFETCH(QColor, foreground);
        QFETCH(QColor, background);
        panel_->resize(400, 700);
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
        const QModelIndex index = IndexOf(name);
        panel_->TreeView().scrollTo(index);
        const Painted painted = PaintedItem(panel_->TreeView(), index, background);
        QCOMPARE(painted.background, background);
        QVERIFY(painted.hasText);
        // Antialiased text reaches its full colour in the strokes' middle.
        QCOMPARE(painted.text, foreground);
    }

    void CurrentItemMovesWithTheSelection() {
        ResourceTreeModel& model = panel_->TreeModel();
        const QModelIndex before = IndexOf("title");
        panel_->SelectByUser(&Element(*main_, "toggle"));
        QCOMPARE(model.data(before, Qt::BackgroundRole).value<QColor>(), kWhite);
        // Picking without Control cleared the rest of the selection.
        QCOMPARE(model.data(IndexOf("grid"), Qt::ForegroundRole).value<QColor>(), kBlack);
        QCOMPARE(model.data(IndexOf("toggle"), Qt::BackgroundRole).value<QColor>(), kRed);
    }

private:
    // "Main", an element name, or "name/row" for a child item.
    QModelIndex IndexOf(const QString& name) {
        ResourceTreeModel& model = panel_->TreeModel();
        if (name == "Main") {
            return model.IndexOf(main_);
        }
        const QStringList parts = name.split('/');
        const QModelIndex index = model.IndexOf(&Element(*main_, parts[0].toStdString()));
        return parts.size() == 1 ? index : model.index(parts[1].toInt(), 0, index);
    }

    RecordingHost host_;
    RecordingMessages messages_;
    std::unique_ptr<CZeResourceData> project_;
    std::unique_ptr<CResourceDlg> panel_;
    CZeDialogData* main_ = nullptr;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreeColoursTest)
#include "tree_colours_test.moc"
