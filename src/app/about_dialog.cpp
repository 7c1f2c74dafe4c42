#include "app/about_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/desktop_dialogs.h"
#include "app/icons.h"
#include "common/paths.h"

namespace ze::app {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("Editor", "バージョン情報"));
    auto* icon = new QLabel;
    icon->setPixmap(EditorIcon().pixmap(32, 32));
    auto* name = new QLabel(QString::fromUtf8(kMessageBoxTitle));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* version = new QLabel(VersionLine());
    version->setObjectName(QStringLiteral("version"));
    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(new QLabel(QStringLiteral("Ze Resource Editor")));
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString CAboutDlg::VersionLine() {
    return QStringLiteral("Version ") + QString::fromStdString(VersionText());
}

}  // namespace ze::app
