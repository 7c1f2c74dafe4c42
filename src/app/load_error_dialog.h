#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QPlainTextEdit;

namespace ze::app {

// Says that a file could not be read: its path, then the parser's report in
// a monospaced, read-only, selectable text area. The file's bytes in the
// report are shown as characters where they are Shift_JIS or UTF-8 and as
// "(hex)" where they are neither, never as garbled characters.
class CLoadErrorDlg : public QDialog {
    Q_OBJECT
public:
    CLoadErrorDlg(const QString& file, const std::string& report, QWidget* parent = nullptr);

    QLabel& Heading() const { return *heading_; }
    QPlainTextEdit& Report() const { return *report_; }

private:
    QLabel* heading_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
};

}  // namespace ze::app
