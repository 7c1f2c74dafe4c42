#include "layout/qt/font_measure.h"

#include <QDirIterator>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>
#include <QThread>
#include <algorithm>

#include "common/code_tables.h"
#include "common/cp932.h"
#include "layout/preview_layout.h"
#include "layout/qt/painter_canvas.h"

namespace ze {

struct FontTextMeasure::Thread {
    Thread() {
        context.moveToThread(&thread);
        thread.start();
    }
    ~Thread() {
        thread.quit();
        thread.wait();
    }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    QThread thread;
    // Lives in thread: what is invoked on it runs there.
    QObject context;
};

FontTextMeasure::FontTextMeasure() = default;

FontTextMeasure::~FontTextMeasure() {
    // The fonts let go of their engines before the thread's cache of them
    // goes.
    fonts_.clear();
    thread_.reset();
}

void FontTextMeasure::ForgetTexts() {
    std::unordered_map<std::int32_t, Font>().swap(fonts_);
    std::unordered_map<std::string, std::int32_t>().swap(widths_);
    std::string().swap(key_);
    thread_.reset();
}

void FontTextMeasure::RunMeasuring(const std::function<void()>& work) {
    if (thread_ == nullptr) {
        thread_ = std::make_unique<Thread>();
    }
    if (QThread::currentThread() == &thread_->thread) {
        work();
        return;
    }
    QMetaObject::invokeMethod(
        &thread_->context, [&work] { work(); }, Qt::BlockingQueuedConnection);
}

FontTextMeasure::Font& FontTextMeasure::FontOf(std::int32_t fontHeight) {
    auto found = fonts_.find(fontHeight);
    if (found == fonts_.end()) {
        const QFont font = LabelCache::FontFor(preview_style::kLabelFontFace, fontHeight);
        Font entry;
        entry.metrics = std::make_unique<QFontMetrics>(font);
        entry.exact = std::make_unique<QFontMetricsF>(font);
        found = fonts_.emplace(fontHeight, std::move(entry)).first;
    }
    return found->second;
}

bool FontTextMeasure::LineFits(std::string_view text, std::int32_t fontHeight,
                               std::int32_t width) {
    Font& font = FontOf(fontHeight);
    double estimate = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = tables::LeadIndex(lead) >= 0 && at + 1 < text.size() ? 2 : 1;
        const std::uint16_t code =
            length == 2 ? static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(text[at + 1]))
                        : lead;
        auto advance = font.advances.find(code);
        if (advance == font.advances.end()) {
            const std::string utf8 = Cp932ToUtf8(text.substr(at, length));
            advance = font.advances
                          .emplace(code, font.exact->horizontalAdvance(QString::fromUtf8(
                                             utf8.data(), static_cast<qsizetype>(utf8.size()))))
                          .first;
        }
        estimate += advance->second;
        at += length;
    }
    // Kerning and the rounding of a whole line move it by a few pixels from
    // the sum of its characters.
    const double slack = 2 + estimate / 25;
    if (estimate + slack <= width) {
        return true;
    }
    if (estimate - slack > width) {
        return false;
    }
    return LineWidth(text, fontHeight) <= width;
}

std::int32_t FontTextMeasure::LineWidth(std::string_view text, std::int32_t fontHeight) {
    if (text.empty()) {
        return 0;
    }
    key_.assign(reinterpret_cast<const char*>(&fontHeight), sizeof fontHeight);
    key_.append(text);
    const auto found = widths_.find(key_);
    if (found != widths_.end()) {
        return found->second;
    }
    const std::string utf8 = Cp932ToUtf8(text);
    const std::int32_t width = MetricsOf(fontHeight).horizontalAdvance(
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    widths_.emplace(key_, width);
    return width;
}

std::int32_t FontTextMeasure::LineHeight(std::int32_t fontHeight) {
    return MetricsOf(fontHeight).height();
}

int AddFontFiles(const std::string& folder) {
    if (folder.empty()) {
        return 0;
    }
    int added = 0;
    QDirIterator files(QString::fromStdString(folder),
                       {QStringLiteral("*.ttf"), QStringLiteral("*.otf"), QStringLiteral("*.ttc"),
                        QStringLiteral("*.TTF"), QStringLiteral("*.OTF"), QStringLiteral("*.TTC")},
                       QDir::Files, QDirIterator::Subdirectories);
    QStringList paths;
    while (files.hasNext()) {
        paths.push_back(files.next());
    }
    // The same order on every run, so the same font wins a family.
    std::sort(paths.begin(), paths.end());
    for (const QString& path : paths) {
        if (QFontDatabase::addApplicationFont(path) >= 0) {
            ++added;
        }
    }
    return added;
}

}  // namespace ze
