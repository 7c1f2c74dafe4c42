#include "app/preview_printing.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/dialog_view.h"

namespace ze::app {

PreviewPrinting::PreviewPrinting() = default;

PreviewPrinting::~PreviewPrinting() = default;

QPrinter& PreviewPrinting::Printer() {
    // Made on first use: finding the printers can take a while.
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}

void PreviewPrinting::Print(CZeDialogEditorView& view, QWidget* parent) {
    QPrintDialog dialog(&Printer(), parent);
    if (dialog.exec() == QDialog::Accepted) {
        view.PrintTo(Printer());
    }
}

void PreviewPrinting::Preview(CZeDialogEditorView& view, QWidget* parent) {
    QPrintPreviewDialog preview(&Printer(), parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* printer) { view.PrintTo(*printer); });
    preview.exec();
}

void PreviewPrinting::PageSetup(QWidget* parent) {
    QPageSetupDialog setup(&Printer(), parent);
    setup.exec();
}

}  // namespace ze::app
