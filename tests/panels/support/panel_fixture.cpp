#include "panels/support/panel_fixture.h"

#include "panels/resource_tree_model.h"
#include "panels/support/sample_project.h"

namespace ze::panels::test {

bool PanelTest::StartPanel() {
    project_ = std::make_unique<CZeResourceData>();
    if (!LoadSampleProject(*project_)) {
        return false;
    }
    panel_ = std::make_unique<CResourceDlg>(*project_, host_, messages_, host_.link);
    host_.Watch(project_.get());
    tester_ = std::make_unique<QAbstractItemModelTester>(
        &panel_->TreeModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    panel_->Reload();
    main_ = &Dialog(*project_, "Main");
    host_.Clear();
    return true;
}

void PanelTest::StopPanel() {
    tester_.reset();
    host_.Watch(nullptr);
    panel_.reset();
    project_.reset();
    messages_.messages.clear();
}

}  // namespace ze::panels::test
