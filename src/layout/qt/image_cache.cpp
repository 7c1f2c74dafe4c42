#include "layout/qt/image_cache.h"

#include <sys/stat.h>

#include <QImageReader>
#include <QString>
#include <algorithm>

namespace ze {

QImage ImageCache::Find(const std::string& path) {
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return QImage();
    }
    const std::int64_t modified =
        std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
    const std::int64_t fileSize = status.st_size;
    const auto [found, added] = entries_.try_emplace(path);
    Entry& entry = found->second;
    entry.lastUse = ++uses_;
    if (!added && entry.modified == modified && entry.fileSize == fileSize) {
        return entry.image;
    }
    bytes_ -= BytesOf(entry.image);
    QImageReader reader(QString::fromStdString(path));
    entry.image = reader.read();
    if (!entry.image.isNull()) {
        entry.image = std::move(entry.image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    entry.modified = modified;
    entry.fileSize = fileSize;
    ++decodes_;
    bytes_ += BytesOf(entry.image);
    if (bytes_ > budget_) {
        Trim(path);
    }
    return entry.image;
}

void ImageCache::Clear() {
    entries_.clear();
    bytes_ = 0;
}

std::size_t ImageCache::BytesOf(const QImage& image) {
    return static_cast<std::size_t>(image.sizeInBytes());
}

void ImageCache::Trim(const std::string& keep) {
    while (bytes_ > budget_ && entries_.size() > 1) {
        auto oldest = entries_.end();
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->first != keep &&
                (oldest == entries_.end() || it->second.lastUse < oldest->second.lastUse)) {
                oldest = it;
            }
        }
        bytes_ -= BytesOf(oldest->second.image);
        entries_.erase(oldest);
    }
}

}  // namespace ze
