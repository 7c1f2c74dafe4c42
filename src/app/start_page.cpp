#include "app/start_page.h"

#include <QCommandLinkButton>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/desktop_dialogs.h"

namespace ze::app {

namespace {

constexpr const char* kExampleFile = "SampleApp.moxspro";
// The card stays readable on a wide window.
constexpr int kCardWidth = 560;

QLabel* SectionTitle(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A flat button per file: its name, its folder after it, the whole path as
// its tip.
QPushButton* FileButton(const QString& path, const QString& caption, QWidget* parent) {
    const QFileInfo file(path);
    auto* button = new QPushButton(
        QStringLiteral("%1   %2").arg(caption, QDir::toNativeSeparators(file.absolutePath())),
        parent);
    button->setFlat(true);
    button->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));
    button->setToolTip(QDir::toNativeSeparators(file.absoluteFilePath()));
    button->setCursor(Qt::PointingHandCursor);
    button->setProperty("path", path);
    return button;
}

void ClearRows(QVBoxLayout& rows) {
    while (QLayoutItem* item = rows.takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

}  // namespace

QString CStartPage::FindExampleProject(const std::string& programFolder) {
    if (programFolder.empty()) {
        return {};
    }
    const QDir program(QString::fromStdString(programFolder));
    for (const QString& folder : {QStringLiteral("examples"), QStringLiteral("../../examples")}) {
        const QFileInfo file(program.filePath(folder + QLatin1Char('/') + kExampleFile));
        if (file.isFile() && file.isReadable()) {
            return QDir::cleanPath(file.absoluteFilePath());
        }
    }
    return {};
}

CStartPage::CStartPage(QMdiArea& area, const std::string& programFolder)
    : QWidget(area.viewport()),
      viewport_(area.viewport()),
      example_(FindExampleProject(programFolder)) {
    setObjectName(QStringLiteral("StartPage"));
    auto* outer = new QVBoxLayout(this);
    auto* card = new QFrame(this);
    card->setFrameShape(QFrame::StyledPanel);
    card->setAutoFillBackground(true);
    card->setBackgroundRole(QPalette::Base);
    card->setMaximumWidth(kCardWidth);
    outer->addStretch(1);
    outer->addWidget(card, 0, Qt::AlignHCenter);
    outer->addStretch(2);

    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(20, 16, 20, 16);
    auto* title = new QLabel(QString::fromUtf8(kMessageBoxTitle), card);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title->setFont(titleFont);
    column->addWidget(title);
    auto* lead = new QLabel(
        QCoreApplication::translate("Editor", "編集中のダイアログはありません。"), card);
    column->addWidget(lead);

    auto* create = new QCommandLinkButton(
        QCoreApplication::translate("Editor", "新規作成"),
        QCoreApplication::translate("Editor", "新しいダイアログを作成して編集を始めます。"), card);
    create->setObjectName(QStringLiteral("StartNew"));
    connect(create, &QPushButton::clicked, this, &CStartPage::NewChosen);
    column->addWidget(create);
    auto* open = new QCommandLinkButton(
        QCoreApplication::translate("Editor", "プロジェクト/リソースの読込み..."),
        QCoreApplication::translate(
            "Editor", "プロジェクト (*.moxspro) またはダイアログ (*.json) を開きます。"),
        card);
    open->setObjectName(QStringLiteral("StartOpen"));
    connect(open, &QPushButton::clicked, this, &CStartPage::OpenChosen);
    column->addWidget(open);

    recentTitle_ = SectionTitle(QCoreApplication::translate("Editor", "最近使ったファイル"), card);
    column->addWidget(recentTitle_);
    recentRows_ = new QVBoxLayout;
    recentRows_->setSpacing(0);
    column->addLayout(recentRows_);
    exampleTitle_ = SectionTitle(QCoreApplication::translate("Editor", "サンプル"), card);
    column->addWidget(exampleTitle_);
    exampleRows_ = new QVBoxLayout;
    column->addLayout(exampleRows_);

    treeHint_ = new QLabel(
        QCoreApplication::translate(
            "Editor", "リソースツリーでダイアログを選ぶと、その編集ウィンドウが開きます。"),
        card);
    treeHint_->setWordWrap(true);
    treeHint_->setObjectName(QStringLiteral("StartTreeHint"));
    column->addWidget(treeHint_);
    treeHint_->hide();

    if (!example_.isEmpty()) {
        QPushButton* button = FileButton(
            example_,
            QCoreApplication::translate("Editor", "サンプルプロジェクト (%1)")
                .arg(QFileInfo(example_).fileName()),
            card);
        button->setObjectName(QStringLiteral("StartExample"));
        connect(button, &QPushButton::clicked, this, [this] { emit FileChosen(example_); });
        exampleRows_->addWidget(button);
    }
    exampleTitle_->setVisible(!example_.isEmpty());
    SetRecentFiles({});
    viewport_->installEventFilter(this);
    setGeometry(viewport_->rect());
}

void CStartPage::SetRecentFiles(const std::vector<std::string>& recent) {
    if (filled_ && recent == recent_) {
        return;
    }
    filled_ = true;
    recent_ = recent;
    ClearRows(*recentRows_);
    for (const std::string& entry : recent_) {
        const QString path = QString::fromStdString(entry);
        QPushButton* button = FileButton(path, QFileInfo(path).fileName(), this);
        button->setObjectName(QStringLiteral("StartRecent"));
        connect(button, &QPushButton::clicked, this, [this, path] { emit FileChosen(path); });
        recentRows_->addWidget(button);
    }
    recentTitle_->setVisible(!recent_.empty());
}

void CStartPage::SetProjectHasDialogs(bool hasDialogs) {
    treeHint_->setVisible(hasDialogs);
}

bool CStartPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && event->type() == QEvent::Resize) {
        setGeometry(viewport_->rect());
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace ze::app
