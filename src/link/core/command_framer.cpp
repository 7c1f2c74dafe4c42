#include "link/core/command_framer.h"

#include <algorithm>
#include <cstring>

namespace ze::link {

CommandFramer::CommandFramer(std::size_t capacity) : buffer_(capacity) {}

void CommandFramer::Feed(std::string_view bytes, Events& events) {
    const std::size_t capacity = buffer_.size();
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (!inFrame_) {
            const std::size_t stx = bytes.find(kStx, i);
            if (stx == std::string_view::npos) {
                return;
            }
            inFrame_ = true;
            fill_ = 0;
            i = stx + 1;
            continue;
        }
        if (capacity == 0) {
            inFrame_ = false;
            events.OnFrameOverflow({});
            continue;
        }
        // Copy up to the ETX or the end of the buffer, whichever comes first.
        const std::size_t room = capacity - fill_;
        const std::size_t span = std::min(room, bytes.size() - i);
        const void* etx = std::memchr(bytes.data() + i, kEtx, span);
        if (etx != nullptr) {
            const std::size_t length = static_cast<const char*>(etx) - (bytes.data() + i);
            std::memcpy(buffer_.data() + fill_, bytes.data() + i, length);
            const std::size_t textLength = fill_ + length;
            fill_ = 0;
            inFrame_ = false;
            i += length + 1;
            events.OnFrame({buffer_.data(), textLength});
            continue;
        }
        std::memcpy(buffer_.data() + fill_, bytes.data() + i, span);
        fill_ += span;
        i += span;
        if (fill_ == capacity) {
            fill_ = 0;
            inFrame_ = false;
            events.OnFrameOverflow({buffer_.data(), capacity});
        }
    }
}

}  // namespace ze::link
