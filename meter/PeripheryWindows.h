#pragma once
// The output slot window and its current-output calibration windows, as the multi-channel
// meter window opens and hides them.
namespace meter {

class PeripheryWindows {
public:
    virtual ~PeripheryWindows() = default;
    // "Настройка периферии >>": shows the slot window; its "Считать" reads the slot kinds.
    virtual void showSlots() = 0;
    // The multi-channel window shown again: the slot window and the calibration windows come
    // back if they were opened before.
    virtual void showPeriphery() = 0;
    // Hides the slot window and both calibration windows.
    virtual void hidePeriphery() = 0;
    // A current-output calibration runs in either slot.
    virtual bool calibrating() const = 0;
};

}  // namespace meter
