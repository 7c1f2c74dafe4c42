#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

// Screenshot tests: a picture painted anew against the one kept.
namespace ze::cli {

struct PictureDifference {
    std::int64_t pixels = 0;  // how many differ
    // The new picture faded, with the differing pixels in magenta.
    QImage marked;
};

// Compares two pictures pixel by pixel: a pixel differs when one of its
// colour channels differs by more than tolerance, or when it lies in one
// picture only (pictures of different sizes).
PictureDifference ComparePictures(const QImage& reference, const QImage& fresh, int tolerance);

// One picture of the report; paths relative to the report's folder (UTF-8).
struct ReportEntry {
    std::string name;  // "Main@360x640"
    std::string reference;  // empty for a picture without reference
    std::string fresh;
    std::string marked;  // empty for a picture without reference
    std::int64_t pixels = 0;
};

// The HTML page that shows each changed or new picture: reference, new
// picture and the marked difference side by side, with the count.
std::string ComparisonReport(const std::vector<ReportEntry>& entries);

}  // namespace ze::cli
