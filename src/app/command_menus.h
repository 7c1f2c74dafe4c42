#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>

#include "app/command_ids.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace ze::app {

class CProfileSettings;
class CRecentFileList;
class CZeDialogEditorView;

// What the commands' enabled and checked states follow.
struct CommandContext {
    // The active editing window's view; null without one.
    const CZeDialogEditorView* view = nullptr;
    // The history of the dialog picked, and the entries' captions naming the
    // steps undo and redo would take (empty: the plain caption).
    bool canUndo = false;
    bool canRedo = false;
    QString undoCaption;
    QString redoCaption;
    // Something is picked for cut, copy and paste to act on.
    bool canEdit = false;
    // The device list shows previews, with or without an editing window.
    bool deviceListShown = false;
    // A device is there to send to.
    bool deviceConnected = false;
    // The bars the View entries show and hide.
    bool statusBarShown = false;
    bool resourceBarShown = false;
    bool logBarShown = false;
    bool historyBarShown = false;
};

// The main window's commands as the user reaches them: an action per
// command id (caption, status-bar help, tooltip, keys), the two menu bars
// (menu 128 while no dialog window is open, menu 129 while one is) with the
// recent files and the "言語 / Language" submenu, the toolbar, and the
// states of the entries. What a command does is the main window's to say
// (On).
class CommandMenus : public QObject {
    Q_OBJECT

public:
    // The actions are the window's, so their keys work whichever menu is
    // shown; the toolbar is put at its top.
    CommandMenus(QMainWindow& window, CRecentFileList& recentFiles, CProfileSettings& settings);
    ~CommandMenus() override;

    // The action of a command id; null for an unknown id.
    QAction* Action(CommandId id) const;
    // Runs handler when the command is chosen.
    void On(CommandId id, std::function<void()> handler);

    // Shows menu 129 (withDialog) or menu 128.
    void ShowMenu(bool withDialog);
    bool IsDialogMenuShown() const { return dialogMenuShown_; }
    QToolBar& ToolBar() const { return *toolBar_; }

    // Enables and checks the entries for context.
    void UpdateStates(const CommandContext& context);

signals:
    // A menu opens: its entries are about to be seen.
    void MenuAboutToShow();
    // An entry of the recent files was chosen.
    void RecentFileChosen(const std::string& path);
    // A language was chosen; it applies at the next start.
    void StatusMessage(const QString& text);

private:
    void CreateActions();
    void CreateToolBar();
    void CreateLanguageMenu();
    void FillRecentFiles(QMenu& menu);

    QMainWindow& window_;
    CRecentFileList& recentFiles_;
    CProfileSettings& settings_;
    std::map<CommandId, QAction*> actions_;
    QToolBar* toolBar_ = nullptr;
    // "言語 / Language" in the View menu: the language of the next start.
    QMenu* languageMenu_ = nullptr;
    bool dialogMenuShown_ = false;
};

}  // namespace ze::app
