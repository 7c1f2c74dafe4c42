// The editor as main() starts it, for recovery_process_test:
//   recovery_child edit SETTINGS PROJECT EDITED  opens PROJECT, edits it,
//       writes the edited project text to EDITED and runs until killed;
//   recovery_child restore SETTINGS OUT          starts, answers "復元" to
//       the recovery question, writes the project text to OUT and prints the
//       window title and whether it is modified, then closes cleanly.
// The recovery files go to the user's data folder (XDG_DATA_HOME).
#include <QApplication>
#include <cstdio>
#include <fstream>

#include "../support/editor_fixture.h"
#include "app/editor_app.h"
#include "common/paths.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/object_data.h"

namespace {

void WriteText(const char* path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::size_t RowOf(const ze::ZeClass& element, std::string_view name) {
    std::size_t row = 0;
    while (row < element.Items().GetItemCount() &&
           element.Items().GetItemData(row).GetName() != name) {
        ++row;
    }
    return row;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: recovery_child edit|restore SETTINGS FILE...\n");
        return 2;
    }
    const std::string mode = argv[1];
    ze::app::test::RecordingMessages messages;
    ze::app::test::ScriptedFiles files;
    files.recoveryAnswer = ze::app::RecoveryAnswer::kRestore;
    ze::app::EditorEnvironment environment;
    environment.settingsPath = argv[2];
    // Beside the settings: the defaults beside the built program are no
    // test's to read.
    environment.programFolder = ze::FolderOf(environment.settingsPath);
    environment.messages = &messages;
    environment.files = &files;
    ze::app::CZeDialogEditorApp editor;

    if (mode == "edit" && argc == 5) {
        if (!editor.InitInstance({"ze-editor", argv[3]}, environment)) {
            return 1;
        }
        ze::app::CMainFrame& frame = *editor.GetMainFrame();
        ze::CZeResourceData& project = frame.GetProject();
        ze::CZeDialogData& dialog = *project.GetDialogs().GetDialog(0);
        ze::ZeClass* object = dialog.GetRootGroup()->GetChildren().front();
        ze::CommitProperty(project, &dialog, object, RowOf(*object, "Text"), "\x95\x5C\x8E\xA6");
        ze::CommitProperty(project, nullptr, &project, RowOf(project, "Name"), "Recovered");
        WriteText(argv[4], frame.Files().ProjectText());
        return QApplication::exec();
    }
    if (mode == "restore") {
        if (!editor.InitInstance({"ze-editor"}, environment)) {
            return 1;
        }
        ze::app::CMainFrame& frame = *editor.GetMainFrame();
        WriteText(argv[3], frame.Files().ProjectText());
        std::printf("%s\n%d\n%zu\n", frame.windowTitle().toUtf8().constData(),
                    frame.isWindowModified() ? 1 : 0, files.recoveryOffers.size());
        return 0;
    }
    return 2;
}
