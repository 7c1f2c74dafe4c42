#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace ze {

// Images decoded from files, kept by path. A file is read and decoded once
// and again only when its modification time or size has changed, so a
// repaint costs one look at each file's status and no read. Images beyond
// the byte budget are dropped, the least recently used first.
class ImageCache {
public:
    static constexpr std::size_t kDefaultByteBudget = std::size_t{256} << 20;

    explicit ImageCache(std::size_t byteBudget = kDefaultByteBudget) : budget_(byteBudget) {}

    // The image in the file at path (UTF-8), premultiplied ARGB; a null
    // image when there is no such file or it does not decode.
    QImage Find(const std::string& path);

    // Files read and decoded (or found undecodable) so far.
    std::size_t Decodes() const { return decodes_; }
    std::size_t Size() const { return entries_.size(); }
    void Clear();

private:
    struct Entry {
        std::int64_t modified = 0;  // nanoseconds
        std::int64_t fileSize = 0;
        QImage image;
        std::uint64_t lastUse = 0;
    };

    static std::size_t BytesOf(const QImage& image);
    void Trim(const std::string& keep);

    std::unordered_map<std::string, Entry> entries_;
    std::size_t budget_;
    std::size_t bytes_ = 0;
    std::size_t decodes_ = 0;
    std::uint64_t uses_ = 0;
};

}  // namespace ze
