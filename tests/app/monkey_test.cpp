// About a minute of random user gestures through the real main window and
// the real event loop, from a fixed seed: windows opened and closed, picks in
// the tree and the previews, cells opened and committed with random values,
// undo, redo, insert, delete, copy and paste, drags, New, discard, the
// preview look switched, the device list opened and closed. Each gesture is
// followed by the event loop's deferred deletes and by the checks that no
// view shows an element outside its dialog's tree and that the title's
// marker tells the truth. Under the sanitizers any fault ends the run with
// the seed and step.
//
// ZE_MONKEY_SEED picks another seed, ZE_MONKEY_STEPS runs longer.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/common_interface_defs.h>)
#include <sanitizer/common_interface_defs.h>
#define ZE_HAVE_SANITIZER_CALLBACK 1
#endif

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/device_list_window.h"
#include "app/dialog_document.h"
#include "model/dialog_data.h"
#include "model/editing/element_lookup.h"
#include "model/schema.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::EditorFixture;

namespace {

// Where the run is, for the report of a fault that ends the process.
char gWhere[256] = "before the first step";

void TellWhere() {
    const std::size_t length = std::strlen(gWhere);
    [[maybe_unused]] const ssize_t written = ::write(2, gWhere, length);
    [[maybe_unused]] const ssize_t newline = ::write(2, "\n", 1);
}

void OnFatalSignal(int signal) {
    TellWhere();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

unsigned EnvironmentNumber(const char* name, unsigned fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
                                            : fallback;
}

void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Values a user might type into any cell, good and bad.
const char* const kValues[] = {
    "",        "0",        "12",     "-5",      "100000",   "PARENT", "CONTENT",  "12px",
    "8pt",     "10mm",     "abc",    "#FF0000", "#zz",      "RED",    "0,0,0,0",  "1,2,3",
    "$Value",  "Button1",  "Main",   "  ",      "'",        "\\",     "あいう",   "ソ",
    "TRUE",    "FALSE",    "LINEAR", "BUTTON",  "VERTICAL", "x y",    "Name Two", "99999999999"};

class Monkey {
public:
    Monkey(EditorFixture& fixture, CMainFrame& frame, unsigned seed)
        : fixture_(fixture), frame_(frame), random_(seed) {}

    // Steps after which the project's text differed: a monkey whose gestures
    // miss every target tests nothing.
    unsigned ChangingSteps() const { return changingSteps_; }

    void Run(unsigned seed, unsigned steps) {
        savedText_ = frame_.Files().ProjectText();
        struct Gesture {
            const char* name;
            int weight;
            std::function<void()> act;
        };
        const std::vector<Gesture> gestures = {
            {"open a dialog window", 6, [this] { OpenWindow(); }},
            {"close a dialog window", 4, [this] { CloseWindow(); }},
            {"pick in the tree", 14, [this] { PickInTree(); }},
            {"pick in a preview", 10, [this] { PickInPreview(); }},
            {"commit a cell", 14, [this] { CommitCell(); }},
            {"undo", 8, [this] { Trigger(CommandId::kEditUndo); }},
            {"redo", 5, [this] { Trigger(CommandId::kEditRedo); }},
            {"insert", 8, [this] { Insert(); }},
            {"delete", 4, [this] { panel().DeleteCurrent(); }},
            {"copy and paste", 4, [this] { CopyPaste(); }},
            {"move up or down", 3, [this] { Coin() ? panel().MoveUp() : panel().MoveDown(); }},
            {"group or ungroup", 2,
             [this] { Coin() ? panel().GroupSelected() : panel().UngroupCurrent(); }},
            {"drag in a preview", 4, [this] { DragInPreview(); }},
            {"new", 1, [this] { Trigger(CommandId::kFileNew); }},
            {"discard", 1, [this] { Discard(); }},
            {"switch the preview look", 2, [this] { Trigger(CommandId::kSwitchLook); }},
            {"open the device list", 1, [this] { Trigger(CommandId::kViewDeviceList); }},
            {"close the device list", 1, [this] { CloseDeviceList(); }},
            {"reopen the example", 1, [this] { Reopen(); }},
        };
        int total = 0;
        for (const Gesture& gesture : gestures) {
            total += gesture.weight;
        }
        for (unsigned step = 1; step <= steps; ++step) {
            int pick = Below(total);
            const Gesture* chosen = &gestures.front();
            for (const Gesture& gesture : gestures) {
                if (pick < gesture.weight) {
                    chosen = &gesture;
                    break;
                }
                pick -= gesture.weight;
            }
            std::snprintf(gWhere, sizeof gWhere, "monkey: seed %u, step %u: %s", seed, step,
                          chosen->name);
            const std::string before = frame_.Files().ProjectText();
            chosen->act();
            Settle();
            if (frame_.Files().ProjectText() != before) {
                ++changingSteps_;
            }
            const QString broken = BrokenInvariant();
            if (!broken.isEmpty()) {
                QFAIL(qPrintable(QString::fromLatin1(gWhere) + QStringLiteral(": ") + broken));
            }
        }
    }

private:
    ze::panels::CResourceDlg& panel() { return frame_.GetResourcePanel(); }

    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    bool Coin() { return Below(2) == 0; }
    template <typename T>
    T* Any(const std::vector<T*>& all) {
        return all.empty() ? nullptr : all[static_cast<std::size_t>(Below(static_cast<int>(all.size())))];
    }

    std::vector<ze::CZeDialogData*> Dialogs() {
        std::vector<ze::CZeDialogData*> all;
        ze::CZeDialogDataList& list = frame_.GetProject().GetDialogs();
        for (std::size_t i = 0; i < list.GetCount(); ++i) {
            all.push_back(list.GetDialog(i));
        }
        return all;
    }

    void Trigger(CommandId id) {
        QAction* action = frame_.Action(id);
        frame_.UpdateCommandStates();
        if (action != nullptr && action->isEnabled()) {
            action->trigger();
        }
    }

    void OpenWindow() {
        if (ze::CZeDialogData* dialog = Any(Dialogs())) {
            frame_.ActivateDialogWindow(*dialog);
        }
    }

    void CloseWindow() {
        if (CChildFrame* window = Any(frame_.ChildFrames())) {
            window->close();
        }
    }

    void PickInTree() {
        QTreeView& tree = panel().TreeView();
        std::vector<QModelIndex> indexes;
        std::function<void(const QModelIndex&)> collect = [&](const QModelIndex& parent) {
            const QAbstractItemModel* model = tree.model();
            for (int row = 0; row < model->rowCount(parent); ++row) {
                const QModelIndex index = model->index(row, 0, parent);
                indexes.push_back(index);
                collect(index);
            }
        };
        collect(QModelIndex());
        if (indexes.empty()) {
            return;
        }
        const QModelIndex index = indexes[static_cast<std::size_t>(Below(static_cast<int>(indexes.size())))];
        tree.scrollTo(index);
        const QRect rect = tree.visualRect(index);
        if (!rect.isValid()) {
            return;
        }
        QTest::mouseClick(tree.viewport(), Qt::LeftButton,
                          Below(4) == 0 ? Qt::ControlModifier : Qt::NoModifier, rect.center());
    }

    QPoint AnyPoint(const QWidget& widget) {
        return {Below(std::max(1, widget.width())), Below(std::max(1, widget.height()))};
    }

    void PickInPreview() {
        CZeDialogEditorView* view = frame_.ActiveView();
        if (view == nullptr) {
            return;
        }
        QTest::mouseClick(view->viewport(), Qt::LeftButton,
                          Below(4) == 0 ? Qt::ControlModifier : Qt::NoModifier,
                          AnyPoint(*view->viewport()));
    }

    void DragInPreview() {
        CZeDialogEditorView* view = frame_.ActiveView();
        if (view == nullptr) {
            return;
        }
        QWidget* port = view->viewport();
        const QPoint from = AnyPoint(*port);
        const QPoint to = AnyPoint(*port);
        QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(port, (from + to) / 2);
        QTest::mouseMove(port, to);
        QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, to);
    }

    void CommitCell() {
        ze::panels::CPropertyListCtrl& list = panel().PropertyList();
        if (list.GetElement() == nullptr) {
            return;
        }
        const int rows = list.Model().rowCount();
        if (rows <= 0) {
            return;
        }
        list.StartEdit(Below(rows), 1);
        QWidget* cell = list.OpenCell();
        if (auto* field = qobject_cast<QLineEdit*>(cell)) {
            field->setText(QString::fromUtf8(kValues[Below(std::size(kValues))]));
            QTest::keyClick(field, Below(5) == 0 ? Qt::Key_Escape : Qt::Key_Return);
        } else if (auto* box = qobject_cast<QComboBox*>(cell)) {
            if (box->count() > 0) {
                box->setCurrentIndex(Below(box->count()));
            }
            QTest::keyClick(box, Below(5) == 0 ? Qt::Key_Escape : Qt::Key_Return);
        }
    }

    void Insert() {
        const bool group = Below(3) == 0;
        const ze::ChoiceList& names = group ? ze::choices::GroupTypeNames() : ze::choices::ObjectTypeNames();
        if (names.empty()) {
            return;
        }
        const std::string& name = names[static_cast<std::size_t>(Below(static_cast<int>(names.size())))];
        panel().InsertByName(name, static_cast<ze::PasteMode>(Below(3)));
    }

    void CopyPaste() {
        if (panel().CopyCurrent()) {
            panel().PasteAtCurrent(static_cast<ze::PasteMode>(Below(3)));
        }
    }

    void Discard() {
        Trigger(CommandId::kDiscardAll);
        savedText_ = frame_.Files().ProjectText();
    }

    void Reopen() {
        Trigger(CommandId::kDiscardAll);
        frame_.OpenFile(fixture_.Folder() + "SampleApp.moxspro");
        savedText_ = frame_.Files().ProjectText();
    }

    void CloseDeviceList() {
        if (CDeviceListWindow* list = frame_.GetDeviceList()) {
            list->close();
        }
    }

    // An element a view may show: the project root, a dialog of the project
    // or an element of a dialog's tree.
    bool Showable(ze::ZeClass* element) {
        if (element == nullptr || element == &frame_.GetProject()) {
            return true;
        }
        return ze::FindDialogOf(frame_.GetProject(), *element) != nullptr;
    }

    QString BrokenInvariant() {
        const std::vector<ze::CZeDialogData*> dialogs = Dialogs();
        const auto known = [&dialogs](const ze::CZeDialogData* dialog) {
            return dialog == nullptr ||
                   std::find(dialogs.begin(), dialogs.end(), dialog) != dialogs.end();
        };
        for (CChildFrame* window : frame_.ChildFrames()) {
            if (!known(window->GetDocument().GetDialog())) {
                return QStringLiteral("a window shows a dialog that is gone");
            }
        }
        if (CDeviceListWindow* list = frame_.GetDeviceList(); list != nullptr && !known(list->ShownDialog())) {
            return QStringLiteral("the device list shows a dialog that is gone");
        }
        if (!known(panel().GetCurrentDialog())) {
            return QStringLiteral("the panel's current dialog is gone");
        }
        if (!Showable(panel().GetShownElement()) || !Showable(panel().GetCurrentElement()) ||
            !Showable(panel().PropertyList().GetElement())) {
            return QStringLiteral("the panel shows an element outside its dialog's tree");
        }
        if (frame_.isWindowModified() != frame_.Files().HasUnsavedChanges()) {
            return QStringLiteral("the title's marker differs from the project's state");
        }
        if (!frame_.Files().HasUnsavedChanges() && frame_.Files().ProjectText() != savedText_) {
            return QStringLiteral("the project changed but counts as unchanged");
        }
        return {};
    }

    EditorFixture& fixture_;
    CMainFrame& frame_;
    std::mt19937 random_;
    std::string savedText_;
    unsigned changingSteps_ = 0;
};

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) {
            std::signal(signal, OnFatalSignal);
        }
#ifdef ZE_HAVE_SANITIZER_CALLBACK
        __sanitizer_set_death_callback(TellWhere);
#endif
    }

    void RandomGestures() {
        const unsigned seed = EnvironmentNumber("ZE_MONKEY_SEED", 20261209);
        const unsigned steps = EnvironmentNumber("ZE_MONKEY_STEPS", 8000);
        EditorFixture fixture;
        const std::string example = fixture.Folder() + "SampleApp.moxspro";
        QVERIFY(QFile::copy(QStringLiteral(ZE_SOURCE_DIR "/examples/SampleApp.moxspro"),
                            QString::fromStdString(example)));
        CMainFrame* started = fixture.Start(
            {"ze-editor", QString::fromStdString(example), "--dialog", "Main", "--folder",
             QStringLiteral(ZE_SOURCE_DIR "/examples")});
        QVERIFY(started != nullptr);
        started->show();
        Settle();
        Monkey monkey(fixture, *started, seed);
        monkey.Run(seed, steps);
        if (QTest::currentTestFailed()) {
            return;
        }
        qInfo("monkey: seed %u, %u steps, %u of them changed the project", seed, steps,
              monkey.ChangingSteps());
        QVERIFY(monkey.ChangingSteps() >= steps / 20);
        std::snprintf(gWhere, sizeof gWhere, "monkey: seed %u, after the last step: quitting",
                      seed);
        fixture.files.saveAnswer = SaveAnswer::kDiscard;
        QVERIFY(started->close());
        Settle();
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
