#pragma once

#include <string>

namespace ze {

enum class MessageIcon { kNone, kInformation, kWarning, kStop };

// Where the model sends a message the user has to see: the editor shows a
// message box, ze-tool prints it. The text is Shift_JIS.
class MessageSink {
public:
    MessageSink() = default;
    virtual ~MessageSink() = default;
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;

    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
};

}  // namespace ze
