#pragma once

namespace ze {

// The editing history a dialog keeps for its window (the undo buffer).
class DialogHistory {
public:
    DialogHistory() = default;
    virtual ~DialogHistory() = default;
    DialogHistory(const DialogHistory&) = delete;
    DialogHistory& operator=(const DialogHistory&) = delete;
};

}  // namespace ze
