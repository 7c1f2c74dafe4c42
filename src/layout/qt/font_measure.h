#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "layout/text_measure.h"

namespace ze {

// Measures texts in the font the device look draws them with
// (LabelCache::FontFor with the label face), so a text the checks call too
// wide is the one the device look cuts with "…". Needs a QGuiApplication.
// Widths are kept by text and font height: a project repeats its texts.
class FontTextMeasure : public TextMeasure {
public:
    FontTextMeasure();
    ~FontTextMeasure() override;

    std::int32_t LineWidth(std::string_view text, std::int32_t fontHeight) override;
    std::int32_t LineHeight(std::int32_t fontHeight) override;
    // Decided from the characters' own advances, kept by character, unless
    // the line comes within a few pixels of width; only then is it laid out
    // whole.
    bool LineFits(std::string_view text, std::int32_t fontHeight, std::int32_t width) override;
    // The fonts go too, and the thread that measured, so that the font
    // engines' own glyph caches go.
    void ForgetTexts() override;
    // On a thread of the measure's own, kept until ForgetTexts: Qt keeps the
    // font engines it makes for a thread, with the metrics of every glyph
    // measured, until the thread ends. Made on the main thread they would
    // stay for good, their small blocks spread among the pages of the
    // project open meanwhile, so that discarding it could not give those
    // pages back.
    void RunMeasuring(const std::function<void()>& work) override;

private:
    struct Font {
        std::unique_ptr<QFontMetrics> metrics;
        std::unique_ptr<QFontMetricsF> exact;
        std::unordered_map<std::uint16_t, double> advances;  // by Shift_JIS code
    };
    Font& FontOf(std::int32_t fontHeight);
    const QFontMetrics& MetricsOf(std::int32_t fontHeight) { return *FontOf(fontHeight).metrics; }

    struct Thread;

    std::unique_ptr<Thread> thread_;
    std::unordered_map<std::int32_t, Font> fonts_;
    std::unordered_map<std::string, std::int32_t> widths_;
    std::string key_;
};

// Adds the font files (.ttf, .otf, .ttc) of folder and its sub-folders
// (UTF-8) to the application's fonts, so that a project that carries its
// fonts is drawn and measured with them on every machine. Returns how many
// were added.
int AddFontFiles(const std::string& folder);

}  // namespace ze
