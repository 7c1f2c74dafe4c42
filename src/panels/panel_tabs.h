#pragma once

#include <QTabBar>

namespace ze::panels {

// The tab strip at the bottom of the resource panel: "接続" (the device link
// controls) and "プロパティー" (the tool buttons and the property list), each
// with a small picture of its own.
class PanelTabs : public QTabBar {
    Q_OBJECT
public:
    static constexpr int kLinkTab = 0;
    static constexpr int kPropertyTab = 1;
    static constexpr int kIconSize = 16;

    explicit PanelTabs(QWidget* parent = nullptr);
};

}  // namespace ze::panels
