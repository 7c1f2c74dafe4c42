#include "app/command_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <string_view>
#include <utility>
#include <vector>

#include "app/dialog_view.h"
#include "app/icons.h"
#include "app/menu_table.h"
#include "app/preview_viewport.h"
#include "app/profile_settings.h"
#include "app/recent_file_list.h"

namespace ze::app {

namespace {

constexpr const char* kSettingSection = "SETTING";
constexpr QSize kToolButtonSize(25, 20);

}  // namespace

CommandMenus::CommandMenus(QMainWindow& window, CRecentFileList& recentFiles,
                           CProfileSettings& settings)
    : QObject(&window), window_(window), recentFiles_(recentFiles), settings_(settings) {
    CreateActions();
    CreateLanguageMenu();
    CreateToolBar();
    connect(actions_[CommandId::kViewStatusBar], &QAction::toggled, window_.statusBar(),
            &QWidget::setVisible);
}

CommandMenus::~CommandMenus() = default;

void CommandMenus::CreateActions() {
    using enum CommandId;
    for (const CommandText& text : CommandTexts()) {
        auto* action = new QAction(TranslatedMenuText(text.caption), &window_);
        action->setStatusTip(StatusTextOf(text));
        const QString tip = ToolTipOf(text);
        if (!tip.isEmpty()) {
            action->setToolTip(tip);
        }
        action->setShortcuts(text.keys);
        action->setData(static_cast<int>(text.id));
        window_.addAction(action);  // the keys work whichever menu is shown
        actions_[text.id] = action;
    }
    for (const CommandId id :
         {kViewToolBar, kViewStatusBar, kViewResourcePanel, kViewLogPane, kViewHistory}) {
        actions_[id]->setCheckable(true);
    }
    // The active window's sizing and its paint mode: one of two each.
    for (const auto& [first, second] :
         {std::pair{kViewFitWindow, kViewDeviceSize}, std::pair{kViewStructure, kViewDeviceLook}}) {
        auto* group = new QActionGroup(&window_);
        for (const CommandId id : {first, second}) {
            actions_[id]->setCheckable(true);
            group->addAction(actions_[id]);
        }
    }
}

void CommandMenus::CreateToolBar() {
    toolBar_ = new QToolBar(QCoreApplication::translate("Editor", "ツール バー"), &window_);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    for (const CommandId id : ToolBarIds()) {
        if (id == kSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.at(id);
        action->setIcon(CommandIcon(id, *window_.style()));
        toolBar_->addAction(action);
        toolBar_->widgetForAction(action)->setFixedSize(kToolButtonSize);
    }
    window_.addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(actions_[CommandId::kViewToolBar], &QAction::toggled, toolBar_, &QWidget::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, actions_[CommandId::kViewToolBar],
            &QAction::setChecked);
}

void CommandMenus::CreateLanguageMenu() {
    // Named in both languages: whoever cannot read the one finds the other.
    languageMenu_ = new QMenu(QStringLiteral("言語 / Language"), &window_);
    languageMenu_->setObjectName(QStringLiteral("LanguageMenu"));
    auto* group = new QActionGroup(languageMenu_);
    const std::string chosen = settings_.ReadString(kSettingSection, "Language", "");
    const bool english = QCoreApplication::translate("Menu", "ファイル(&F)") != "ファイル(&F)";
    for (const auto& [code, name] : {std::pair{"ja", "日本語"}, std::pair{"en", "English"}}) {
        QAction* action = languageMenu_->addAction(QString::fromUtf8(name));
        action->setCheckable(true);
        action->setData(QString::fromLatin1(code));
        action->setChecked(chosen.empty() ? (std::string_view(code) == "en") == english
                                          : chosen == code);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, code = std::string(code)] {
            settings_.WriteString(kSettingSection, "Language", code);
            emit StatusMessage(QStringLiteral(
                "言語は次回の起動から変わります / The language changes at the next start"));
        });
    }
}

QAction* CommandMenus::Action(CommandId id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CommandMenus::On(CommandId id, std::function<void()> handler) {
    connect(actions_.at(id), &QAction::triggered, this,
            [handler = std::move(handler)] { handler(); });
}

void CommandMenus::ShowMenu(bool withDialog) {
    dialogMenuShown_ = withDialog;
    QMenuBar* bar = window_.menuBar();
    // The menus of the other bar are deleted with their entries.
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu()) {
            menu->deleteLater();
        }
    }
    bar->clear();
    for (const MenuLayout& layout : withDialog ? MenuWithDialog() : MenuWithoutDialog()) {
        QMenu* menu = bar->addMenu(TranslatedMenuText(layout.caption));
        const std::vector<CommandId> ids = layout.ids;
        const bool view = std::string_view(layout.caption) == "表示(&V)";
        // Filled again each time it opens: the recent files change.
        const auto fill = [this, menu, ids, view] {
            menu->clear();
            for (const CommandId id : ids) {
                if (id == kSeparator) {
                    menu->addSeparator();
                } else if (id == CommandId::kRecentFile) {
                    FillRecentFiles(*menu);
                } else {
                    menu->addAction(actions_.at(id));
                }
            }
            if (view) {
                menu->addSeparator();
                menu->addMenu(languageMenu_);
            }
        };
        fill();
        connect(menu, &QMenu::aboutToShow, this, [this, fill] {
            fill();
            emit MenuAboutToShow();
        });
    }
}

void CommandMenus::FillRecentFiles(QMenu& menu) {
    const std::vector<std::string>& entries = recentFiles_.GetEntries();
    if (entries.empty()) {
        QAction* placeholder = actions_.at(CommandId::kRecentFile);
        placeholder->setEnabled(false);
        menu.addAction(placeholder);
        return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string path = entries[i];
        QAction* action =
            menu.addAction(QString::fromStdString(CRecentFileList::MenuCaption(i, path)));
        action->setStatusTip(QString::fromStdString(path));
        connect(action, &QAction::triggered, this, [this, path] { emit RecentFileChosen(path); });
    }
}

void CommandMenus::UpdateStates(const CommandContext& context) {
    using enum CommandId;
    const CZeDialogEditorView* view = context.view;
    const bool hasView = view != nullptr;
    for (const CommandId id :
         {kSaveResource, kFilePrint, kFilePrintPreview, kFileClose, kWindowNew, kWindowCascade,
          kWindowTile, kWindowArrange, kViewFitWindow, kViewDeviceSize, kZoomReset, kViewStructure,
          kViewDeviceLook, kSwitchLook}) {
        actions_[id]->setEnabled(hasView);
    }
    // Redraw repaints the previews there are: a window's, the device list's.
    actions_[kRedraw]->setEnabled(hasView || context.deviceListShown);
    // Cut, copy and paste act on what is picked, in the tree as in a window.
    for (const CommandId id : {kEditCopy, kEditCut, kEditPaste}) {
        actions_[id]->setEnabled(hasView || context.canEdit);
    }
    const PreviewViewport* preview = hasView ? &view->Viewport() : nullptr;
    actions_[kViewStructure]->setChecked(hasView && view->Look() == PreviewLook::kStructure);
    actions_[kViewDeviceLook]->setChecked(hasView && view->Look() == PreviewLook::kDevice);
    actions_[kZoomIn]->setEnabled(hasView && preview->ZoomPercent() < PreviewViewport::kMaxZoom);
    actions_[kZoomOut]->setEnabled(hasView && preview->ZoomPercent() > PreviewViewport::kMinZoom);
    actions_[kViewFitWindow]->setChecked(hasView && preview->Sizing() == PreviewSizing::kFitWindow);
    actions_[kViewDeviceSize]->setChecked(hasView &&
                                          preview->Sizing() == PreviewSizing::kDeviceSize);
    actions_[kEditUndo]->setEnabled(context.canUndo);
    actions_[kEditRedo]->setEnabled(context.canRedo);
    for (const auto& [id, caption] :
         {std::pair{kEditUndo, &context.undoCaption}, std::pair{kEditRedo, &context.redoCaption}}) {
        actions_[id]->setText(caption->isEmpty() ? TranslatedMenuText(FindCommandText(id)->caption)
                                                 : *caption);
    }
    actions_[kSendDialog]->setEnabled(context.deviceConnected);
    actions_[kViewToolBar]->setChecked(!toolBar_->isHidden());
    actions_[kViewStatusBar]->setChecked(context.statusBarShown);
    actions_[kViewResourcePanel]->setChecked(context.resourceBarShown);
    actions_[kViewLogPane]->setChecked(context.logBarShown);
    actions_[kViewHistory]->setChecked(context.historyBarShown);
}

}  // namespace ze::app
