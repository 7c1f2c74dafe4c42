#pragma once

#include <QAbstractItemModelTester>
#include <QObject>
#include <memory>

#include "model/dialog_data.h"
#include "model/resource_data.h"
#include "panels/resource_dlg.h"
#include "panels/support/recording_host.h"

namespace ze::panels::test {

// The base of the tree-operation tests: a resource panel over the sample
// project, with a recording host and message sink, its tree model watched
// by QAbstractItemModelTester.
class PanelTest : public QObject {
protected:
    // From init(): loads the sample project, makes the panel and reloads it;
    // the host's record starts empty. False when the project did not load.
    bool StartPanel();
    // From cleanup().
    void StopPanel();

    std::unique_ptr<CZeResourceData> project_;
    RecordingHost host_;
    RecordingMessages messages_;
    std::unique_ptr<CResourceDlg> panel_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
    CZeDialogData* main_ = nullptr;  // the sample's dialog Main
};

}  // namespace ze::panels::test
