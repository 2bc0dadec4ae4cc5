#pragma once

#include <cstdint>

using xcb_key_symbols_t = struct _XCBKeySymbols;

namespace platform::x11 {

// Ctrl+Alt+A grabbed on the X root window, so that its presses reach the program whichever
// window has the focus. The grab covers the key with NumLock and CapsLock on as well, which X
// counts as modifiers of their own.
class RecallKey {
public:
    // Sends the X server a request for the keyboard's map at once, so that the first grab finds
    // the answer waiting rather than waiting for it after the window is shown.
    RecallKey();
    ~RecallKey();
    RecallKey(const RecallKey &) = delete;
    RecallKey &operator=(const RecallKey &) = delete;

    // False off X11, or when another client holds one of the variants (none is left grabbed).
    bool grab();
    void ungrab();
    bool isGrabbed() const { return grabbed_; }
    // Whether a native event (an xcb_generic_event_t) is a press of the grabbed key.
    bool isPress(const void *event) const;

private:
    xcb_key_symbols_t *keyboardMap_ = nullptr; // asked for, not yet taken
    std::uint8_t keycode_ = 0;
    std::uint32_t root_ = 0;
    bool grabbed_ = false;
};

} // namespace platform::x11
