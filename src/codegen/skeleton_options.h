#pragma once

#include <string>
#include <string_view>

namespace ze {

enum class SkeletonScope {
    kThisDialog = 0,  // "このダイアログのみ": only the dialog named in dialogName
    kAllDialogs = 1,  // "すべてのダイアログ"
};

// The choices of the skeleton dialog. Defaults are the dialog's own.
struct SkeletonOptions {
    // Operating-system paths; a missing trailing separator is added by the run.
    std::string outputFolder;
    std::string templateFolder;

    // "上書き": overwrite every existing file, whatever the per-step boxes say.
    bool overwriteAll = false;

    bool main = false;  // "メイン"
    bool overwriteMain = false;
    bool application = true;  // "アプリケーション"
    bool overwriteApplication = false;
    bool dialogMaker = true;  // "ダイアログ生成"
    bool overwriteDialogMaker = false;
    bool dialogs = true;  // "ダイアログ"
    bool overwriteDialogs = false;
    bool json = true;  // "JSON"
    bool overwriteJson = false;
    bool ideProject = false;  // "プロジェクト"
    bool overwriteIdeProject = false;
    bool makefile = false;  // "Makefile" (with Makeparam)
    bool overwriteMakefile = false;

    SkeletonScope scope = SkeletonScope::kThisDialog;
    // The dialog taken with kThisDialog, compared byte for byte (Shift_JIS).
    std::string dialogName;
};

// Applies one ze-tool switch ("--main", "--no-json", "--overwrite-dialogs",
// ...) that sets an option to a fixed value. False for any other text.
bool SetSkeletonSwitch(SkeletonOptions& options, std::string_view name);

}  // namespace ze
