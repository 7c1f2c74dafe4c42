#include "panels/project_folder_field.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "common/paths.h"

namespace ze::panels {

namespace {

QString ChooseWithDialog(QWidget* parent, const QString& caption, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

}  // namespace

ProjectFolderField::ProjectFolderField(QWidget* parent)
    : QWidget(parent),
      edit_(new QLineEdit(this)),
      browse_(new QPushButton(QCoreApplication::translate("Editor", "参照"), this)),
      chooser_(ChooseWithDialog) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    edit_->setFixedHeight(20);
    // 40 pixels hold "参照"; a translated caption may need more.
    browse_->setFixedSize(
        std::max(40, browse_->fontMetrics().horizontalAdvance(browse_->text()) + 12), 20);
    row->addWidget(edit_, 1);
    row->addWidget(browse_);
    connect(browse_, &QPushButton::clicked, this, &ProjectFolderField::Browse);
    connect(edit_, &QLineEdit::editingFinished, this, &ProjectFolderField::EditingFinished);
}

QString ProjectFolderField::Folder() const {
    return edit_->text();
}

void ProjectFolderField::SetFolder(const QString& folder) {
    accepted_ = folder;
    edit_->setText(folder);
}

void ProjectFolderField::SetFolderChooser(FolderChooser chooser) {
    chooser_ = std::move(chooser);
}

void ProjectFolderField::Browse() {
    const QString chosen = chooser_(
        this, QCoreApplication::translate("Editor", "フォルダを選択してください"), edit_->text());
    if (!chosen.isEmpty()) {
        Accept(chosen);
    }
}

void ProjectFolderField::EditingFinished() {
    // A cleared field names no folder: nothing is scanned for it.
    if (edit_->text() != accepted_ && !edit_->text().isEmpty()) {
        Accept(edit_->text());
    }
}

void ProjectFolderField::Accept(const QString& folder) {
    const QString normalised = QString::fromStdString(WithTrailingSeparator(folder.toStdString()));
    accepted_ = normalised;
    edit_->setText(normalised);
    emit FolderChanged(normalised);
}

}  // namespace ze::panels
