#include "app/load_error_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/desktop_dialogs.h"
#include "common/cp932.h"

namespace ze::app {

CLoadErrorDlg::CLoadErrorDlg(const QString& file, const std::string& report, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(kMessageBoxTitle));
    auto* layout = new QVBoxLayout(this);

    heading_ = new QLabel(
        QCoreApplication::translate("Editor", "ファイルを読み込めませんでした。\n%1").arg(file));
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    heading_->setWordWrap(true);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    top->addWidget(icon);
    top->addWidget(heading_, 1);
    layout->addLayout(top);

    report_ = new QPlainTextEdit(QString::fromStdString(BytesToReadableUtf8(report)));
    report_->setReadOnly(true);
    report_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    report_->setMinimumSize(560, 200);
    layout->addWidget(report_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}

}  // namespace ze::app
