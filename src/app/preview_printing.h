#pragma once

#include <memory>

class QPrinter;
class QWidget;

namespace ze::app {

class CZeDialogEditorView;

// Printing a window's preview: one printer for the whole session, so the
// page setup chosen stays for the next print.
class PreviewPrinting {
public:
    PreviewPrinting();
    ~PreviewPrinting();
    PreviewPrinting(const PreviewPrinting&) = delete;
    PreviewPrinting& operator=(const PreviewPrinting&) = delete;

    // The print dialog, then view's preview on the printer chosen.
    void Print(CZeDialogEditorView& view, QWidget* parent);
    void Preview(CZeDialogEditorView& view, QWidget* parent);
    void PageSetup(QWidget* parent);

private:
    QPrinter& Printer();

    std::unique_ptr<QPrinter> printer_;
};

}  // namespace ze::app
