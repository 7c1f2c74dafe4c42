#include "panels/support/tree_snapshot.h"

#include <QClipboard>
#include <QGuiApplication>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/mo_stream.h"
#include "model/resource_data.h"
#include "model/tree_walk.h"
#include "panels/resource_tree_model.h"

namespace ze::panels::test {

namespace {

void AddLabels(const ResourceTreeModel& model, const QModelIndex& parent, int depth,
               QStringList& lines) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        lines << QString(depth, '.') + model.LabelAt(index);
        AddLabels(model, index, depth + 1, lines);
    }
}

}  // namespace

QStringList TreeLabels(const ResourceTreeModel& model) {
    QStringList lines;
    AddLabels(model, {}, 0, lines);
    return lines;
}

QStringList LabelsFromProject(CZeResourceData& project) {
    QStringList lines;
    WalkProjectTree(project, [&lines](const TreeEntry& entry) {
        lines << QString(entry.depth, '.') + QString::fromStdString(Cp932ToUtf8(entry.label));
    });
    return lines;
}

std::string DialogText(const CZeDialogData& dialog) {
    CJsonString text;
    dialog.WriteDialogMessage(text, 0);
    return ResourceTextToUtf8(text.GetText());
}

std::string ProjectText(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "");
    return ResourceTextToUtf8(text.GetText());
}

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

void SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace ze::panels::test
