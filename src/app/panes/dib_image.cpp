#include "app/panes/dib_image.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "common/cp932.h"
#include "common/read_file.h"

namespace ze::app {

namespace {

void PutU16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

std::uint32_t GetU32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

std::uint16_t GetU16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

CDibImage::CDibImage(std::string path, std::vector<std::uint8_t> bits)
    : path_(std::move(path)), name_(FileNameOf(path_)), bits_(std::move(bits)) {}

std::size_t CDibImage::StrideFor(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

std::unique_ptr<CDibImage> CDibImage::Decode(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(std::filesystem::path(path), bytes) || bytes.empty()) {
        return nullptr;
    }
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                            static_cast<int>(std::min<std::size_t>(bytes.size(), INT32_MAX)))) {
        return nullptr;
    }
    return FromImage(path, image);
}

std::unique_ptr<CDibImage> CDibImage::FromImage(std::string path, const QImage& image) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        return nullptr;
    }
    // Through RGB32 first: palette and grey images are expanded and any
    // alpha is dropped without blending, keeping the stored colours.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull()) {
        return nullptr;
    }
    const int width = rgb.width();
    const int height = rgb.height();
    const std::size_t stride = StrideFor(width);
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> bits(kHeaderSize + imageSize, 0);
    std::uint8_t* header = bits.data();
    PutU32(header + 0, static_cast<std::uint32_t>(kHeaderSize));
    PutU32(header + 4, static_cast<std::uint32_t>(width));
    PutU32(header + 8, static_cast<std::uint32_t>(height));
    PutU16(header + 12, 1);
    PutU16(header + 14, static_cast<std::uint16_t>(kBitsPerPixel));
    PutU32(header + 16, 0);  // BI_RGB
    PutU32(header + 20, static_cast<std::uint32_t>(imageSize));
    // Resolution and palette fields stay 0.
    for (int y = 0; y < height; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint8_t* row =
            bits.data() + kHeaderSize + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            row[3 * x + 0] = static_cast<std::uint8_t>(qBlue(source[x]));
            row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(source[x]));
            row[3 * x + 2] = static_cast<std::uint8_t>(qRed(source[x]));
        }
    }
    return std::unique_ptr<CDibImage>(new CDibImage(std::move(path), std::move(bits)));
}

int CDibImage::Width() const {
    return static_cast<int>(GetU32(bits_.data() + 4));
}

int CDibImage::Height() const {
    const auto height = static_cast<std::int32_t>(GetU32(bits_.data() + 8));
    return height < 0 ? -height : height;
}

int CDibImage::BitsPerPixel() const {
    return GetU16(bits_.data() + 14);
}

std::size_t CDibImage::Stride() const {
    return StrideFor(Width());
}

const QImage& CDibImage::ToQImage() const {
    if (cached_.isNull()) {
        const int width = Width();
        const int height = Height();
        const std::size_t stride = Stride();
        QImage image(width, height, QImage::Format_RGB888);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row =
                bits_.data() + kHeaderSize + stride * static_cast<std::size_t>(height - 1 - y);
            uchar* target = image.scanLine(y);
            for (int x = 0; x < width; ++x) {
                target[3 * x + 0] = row[3 * x + 2];
                target[3 * x + 1] = row[3 * x + 1];
                target[3 * x + 2] = row[3 * x + 0];
            }
        }
        cached_ = std::move(image);
    }
    return cached_;
}

void CDibImageList::Add(std::unique_ptr<CDibImage> image) {
    if (image) {
        images_.push_back(std::move(image));
    }
}

void CDibImageList::SortByName() {
    std::stable_sort(
        images_.begin(), images_.end(),
        [](const std::unique_ptr<CDibImage>& left, const std::unique_ptr<CDibImage>& right) {
            return NameLess(left->Name(), right->Name());
        });
}

bool NameLess(std::string_view left, std::string_view right) {
    // File names are UTF-8 here; the lists are ordered by the bytes of the
    // names in Shift_JIS, the editor's code page, so Japanese names keep the
    // order they have on a Windows desktop (half-width katakana after the
    // letters, kanji after kana).
    const std::string leftSjis = Utf8ToCp932(left);
    const std::string rightSjis = Utf8ToCp932(right);
    return std::lexicographical_compare(
        leftSjis.begin(), leftSjis.end(), rightSjis.begin(), rightSjis.end(), [](char a, char b) {
            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
        });
}

}  // namespace ze::app
