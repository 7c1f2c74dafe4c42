#include "layout/qt/font_measure.h"

#include <QDirIterator>
#include <QFontDatabase>
#include <QString>
#include <algorithm>

#include "common/cp932.h"
#include "layout/preview_layout.h"
#include "layout/qt/painter_canvas.h"

namespace ze {

FontTextMeasure::FontTextMeasure() = default;
FontTextMeasure::~FontTextMeasure() = default;

const QFontMetrics& FontTextMeasure::MetricsOf(std::int32_t fontHeight) {
    auto found = metrics_.find(fontHeight);
    if (found == metrics_.end()) {
        found = metrics_
                    .emplace(fontHeight,
                             std::make_unique<QFontMetrics>(LabelCache::FontFor(
                                 preview_style::kLabelFontFace, fontHeight)))
                    .first;
    }
    return *found->second;
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
