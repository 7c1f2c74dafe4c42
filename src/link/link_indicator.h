#pragma once

namespace ze::link {

// The status-bar lamp that follows the keep-alive exchange. Until the first
// keep-alive it shows NoAnswer.
enum class LinkIndicator : int {
    NoAnswer = 0,       // the last keep-alive went unanswered (grey)
    KeepAliveSent = 1,  // waiting for the device to answer (amber)
    DeviceAnswered = 2  // the device answered the last keep-alive (green)
};

}  // namespace ze::link
