#pragma once

#include <QTabBar>

namespace ze::panels {

// The pages of the resource panel, by their place on the tab strip.
enum class PanelTab : int { kLink = 0, kProperty = 1 };

// The tab strip at the bottom of the resource panel: "接続" (the device link
// controls) and "プロパティー" (the tool buttons and the property list), each
// with a small picture of its own.
class PanelTabs : public QTabBar {
    Q_OBJECT
public:
    static constexpr int kIconSize = 16;

    explicit PanelTabs(QWidget* parent = nullptr);
};

}  // namespace ze::panels
