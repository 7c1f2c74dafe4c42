#pragma once

#include <QKeySequence>
#include <QList>
#include <vector>

#include "app/command_ids.h"

// The texts of every command (caption, status-bar help, tooltip, keys) and
// the two menu bars: menu 128 while no dialog window is open, menu 129 while
// one is.
namespace ze::app {

struct CommandText {
    CommandId id{};
    const char* caption = "";  // UTF-8, with the "&" of its access key
    // "long text\nshort text": the long text goes to the status bar, the
    // short one is the tooltip. Either may be empty.
    const char* help = "";
    QList<QKeySequence> keys;
};

// Every command the menus and the toolbar show, in no particular order.
const std::vector<CommandText>& CommandTexts();
// The entry of id; null when the id has none.
const CommandText* FindCommandText(CommandId id);

// A caption or help text of these tables in the user's language.
QString TranslatedMenuText(const char* text);
QString StatusTextOf(const CommandText& text);
QString ToolTipOf(const CommandText& text);

// Not a command: stands between groups of commands.
inline constexpr CommandId kSeparator{0};

struct MenuLayout {
    const char* caption;   // UTF-8
    std::vector<CommandId> ids;  // kSeparator between groups
};

// Menu 128: "ファイル(&F)", "表示(&V)", "ヘルプ(&H)".
const std::vector<MenuLayout>& MenuWithoutDialog();
// Menu 129: "ファイル(&F)", "編集(&E)", "表示(&V)", "ウィンドウ(&W)", "ヘルプ(&H)".
const std::vector<MenuLayout>& MenuWithDialog();

// The toolbar from left to right, kSeparator for its separators.
const std::vector<CommandId>& ToolBarIds();

}  // namespace ze::app
