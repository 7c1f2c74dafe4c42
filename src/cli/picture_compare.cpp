#include "cli/picture_compare.h"

#include <QColor>
#include <algorithm>
#include <cstdlib>

namespace ze::cli {

namespace {

constexpr QRgb kMarked = qRgb(255, 0, 255);

// Towards white, so that the magenta stands out and the picture still shows
// where it is.
QRgb Faded(QRgb pixel) {
    const auto fade = [](int channel) { return channel + (255 - channel) * 2 / 3; };
    return qRgb(fade(qRed(pixel)), fade(qGreen(pixel)), fade(qBlue(pixel)));
}

bool Differs(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) > tolerance || std::abs(qGreen(a) - qGreen(b)) > tolerance ||
           std::abs(qBlue(a) - qBlue(b)) > tolerance;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A relative path as a URL: the characters a file name may hold that a URL
// reads otherwise are escaped.
std::string AsUrl(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || c == '%' || c == '#' || c == '?' || c == '"' || c == '<' || c == '>' ||
            c == '&' || c == '\'') {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

PictureDifference ComparePictures(const QImage& reference, const QImage& fresh, int tolerance) {
    const QImage a = reference.convertToFormat(QImage::Format_RGB32);
    const QImage b = fresh.convertToFormat(QImage::Format_RGB32);
    PictureDifference result;
    result.marked = QImage(b.size(), QImage::Format_RGB32);
    const int width = std::max(a.width(), b.width());
    const int height = std::max(a.height(), b.height());
    for (int y = 0; y < height; ++y) {
        const bool rowInA = y < a.height();
        const bool rowInB = y < b.height();
        const auto* rowA = rowInA ? reinterpret_cast<const QRgb*>(a.constScanLine(y)) : nullptr;
        const auto* rowB = rowInB ? reinterpret_cast<const QRgb*>(b.constScanLine(y)) : nullptr;
        auto* out = rowInB ? reinterpret_cast<QRgb*>(result.marked.scanLine(y)) : nullptr;
        for (int x = 0; x < width; ++x) {
            const bool inA = rowInA && x < a.width();
            const bool inB = rowInB && x < b.width();
            const bool differs = !inA || !inB || Differs(rowA[x], rowB[x], tolerance);
            result.pixels += differs ? 1 : 0;
            if (inB) {
                out[x] = differs ? kMarked : Faded(rowB[x]);
            }
        }
    }
    return result;
}

std::string ComparisonReport(const std::vector<ReportEntry>& entries) {
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>ze-tool render "
        "--compare</title>\n<style>body{font-family:sans-serif}figure{display:inline-block;"
        "margin:0 12px 12px 0;vertical-align:top}img{border:1px solid #888}</style>"
        "</head><body>\n";
    if (entries.empty()) {
        html += "<p>same: every picture</p>\n";
    }
    for (const ReportEntry& entry : entries) {
        html += "<h2>" + Escaped(entry.name) + "</h2>\n<p>";
        if (entry.reference.empty()) {
            html += "new: no reference";
        } else {
            html += "changed: " + std::to_string(entry.pixels) + " pixels";
        }
        html += "</p>\n";
        const auto figure = [&html](const std::string& caption, const std::string& path) {
            if (!path.empty()) {
                html += "<figure><figcaption>" + caption + "</figcaption><img src=\"" +
                        Escaped(AsUrl(path)) + "\"></figure>\n";
            }
        };
        figure("reference", entry.reference);
        figure("new", entry.fresh);
        figure("diff", entry.marked);
    }
    html += "</body></html>\n";
    return html;
}

}  // namespace ze::cli
