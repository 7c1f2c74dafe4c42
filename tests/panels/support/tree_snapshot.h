#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace ze {
class CZeDialogData;
class CZeResourceData;
}  // namespace ze

namespace ze::panels {
class ResourceTreeModel;
}

namespace ze::panels::test {

// Every label of the tree model, one line per item with a dot per depth
// level, parents before children.
QStringList TreeLabels(const ResourceTreeModel& model);
// What the tree would show if it were built from the project now; an
// operation that keeps the tree in step leaves TreeLabels equal to it.
QStringList LabelsFromProject(CZeResourceData& project);
// The dialog's message as the clipboard copy writes it (UTF-8).
std::string DialogText(const CZeDialogData& dialog);
// The whole project envelope (UTF-8).
std::string ProjectText(const CZeResourceData& project);
// The clipboard's plain text.
QString ClipboardText();
void SetClipboardText(const QString& text);

}  // namespace ze::panels::test
