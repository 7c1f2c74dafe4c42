#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Assembles device command frames (STX, message text, ETX) from a byte
// stream that arrives in pieces of any size. No I/O: the socket feeds it.
namespace ze::link {

inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;
inline constexpr std::size_t kCommandFrameCapacity = 40000;

class CommandFramer {
public:
    class Events {
    public:
        virtual ~Events() = default;
        // One whole message text, without STX and ETX.
        virtual void OnFrame(std::string_view text) = 0;
        // capacity bytes arrived without ETX; they are dropped.
        virtual void OnFrameOverflow(std::string_view assembled) = 0;
    };

    explicit CommandFramer(std::size_t capacity = kCommandFrameCapacity);

    // Bytes outside a frame are ignored; a second STX inside a frame is data.
    // The state carries over to the next call.
    void Feed(std::string_view bytes, Events& events);

    bool InFrame() const { return inFrame_; }
    std::size_t Fill() const { return fill_; }
    std::size_t Capacity() const { return buffer_.size(); }

private:
    std::vector<char> buffer_;
    std::size_t fill_ = 0;
    bool inFrame_ = false;
};

}  // namespace ze::link
