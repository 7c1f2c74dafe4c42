#include "model/json_byte_reader.h"

namespace ze {

int JsonByteReader::Read() {
    if (pushedBack_) {
        pushedBack_ = false;
        return lastByte_;
    }
    if (position_ >= text_.size()) {
        lastByte_ = kEnd;
        return kEnd;
    }
    if (lastByte_ == '\n') {
        ++line_;
        previousLineStart_ = currentLineStart_;
        currentLineStart_ = position_;
    }
    lastByte_ = static_cast<unsigned char>(text_[position_]);
    ++position_;
    return lastByte_;
}

void JsonByteReader::GiveBack() {
    if (lastByte_ != kEnd) {
        pushedBack_ = true;
    }
}

}  // namespace ze
