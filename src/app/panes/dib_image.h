#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Decoded images for the log pane's grids, held the way the device tools
// expect a bitmap: a 40-byte BITMAPINFOHEADER followed by 24-bit pixel rows.
namespace ze::app {

class CDibImage {
public:
    static constexpr std::size_t kHeaderSize = 40;
    static constexpr int kBitsPerPixel = 24;

    // Reads the whole file and decodes it (PNG or JPEG, palette images
    // expanded, alpha dropped). Nothing when the file cannot be read or
    // decoded. The name is the file name of path.
    static std::unique_ptr<CDibImage> Decode(const std::string& path);
    // Builds the bitmap from an image already in memory; nothing for a null
    // image.
    static std::unique_ptr<CDibImage> FromImage(std::string path, const QImage& image);

    const std::string& Path() const { return path_; }
    const std::string& Name() const { return name_; }

    // Read back from the header, as a user of the bitmap would.
    int Width() const;
    int Height() const;  // absolute value
    int BitsPerPixel() const;

    // Bytes per pixel row: width * 3 rounded up to a multiple of 4.
    std::size_t Stride() const;
    // The header and the rows. The height in the header is positive: rows
    // are stored bottom-up, the last image row first, as in a Windows DIB.
    const std::vector<std::uint8_t>& Bits() const { return bits_; }

    // The bitmap as a QImage for drawing; built on first use and kept.
    const QImage& ToQImage() const;

    static std::size_t StrideFor(int width);

private:
    CDibImage(std::string path, std::vector<std::uint8_t> bits);

    std::string path_;
    std::string name_;
    std::vector<std::uint8_t> bits_;
    mutable QImage cached_;
};

// The images of one grid, in the order they are shown; owns them.
class CDibImageList {
public:
    CDibImageList() = default;
    CDibImageList(const CDibImageList&) = delete;
    CDibImageList& operator=(const CDibImageList&) = delete;

    void Add(std::unique_ptr<CDibImage> image);
    void Clear() { images_.clear(); }
    std::size_t Size() const { return images_.size(); }
    bool Empty() const { return images_.empty(); }
    const CDibImage& At(std::size_t index) const { return *images_.at(index); }

    // Ascending by name, comparing the bytes of the names in Shift_JIS as
    // unsigned values (strcmp), so upper-case ASCII letters come before
    // lower-case ones.
    void SortByName();

private:
    std::vector<std::unique_ptr<CDibImage>> images_;
};

// Byte order of two names (UTF-8) in their Shift_JIS form.
bool NameLess(std::string_view left, std::string_view right);

}  // namespace ze::app
