#include "RecallKey.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <array>
#include <cstdlib>

namespace platform::x11 {

namespace {

constexpr std::uint16_t kModifiers = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1; // Ctrl+Alt
// The lock keys: CapsLock and NumLock (Mod2 on every common keyboard map).
constexpr std::uint16_t kLocks = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;
constexpr std::array<std::uint16_t, 4> kLockVariants = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                                        kLocks};
constexpr xcb_keysym_t kKeysymA = 0x61; // XK_a

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The key that types "a" in `symbols`, which it frees.
xcb_keycode_t keycodeOfA(xcb_key_symbols_t *symbols)
{
    if (!symbols)
        return 0;
    xcb_keycode_t code = 0;
    if (xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols, kKeysymA)) {
        code = codes[0] == XCB_NO_SYMBOL ? 0 : codes[0];
        std::free(codes);
    }
    xcb_key_symbols_free(symbols);
    return code;
}

// Lets go of the key in every variant; a variant another client holds stays its own.
void ungrabAll(xcb_connection_t *c, xcb_keycode_t key, xcb_window_t root)
{
    for (std::uint16_t locks : kLockVariants)
        xcb_ungrab_key(c, key, root, kModifiers | locks);
    xcb_flush(c);
}

} // namespace

RecallKey::RecallKey()
{
    if (xcb_connection_t *c = connection()) {
        keyboardMap_ = xcb_key_symbols_alloc(c);
        xcb_flush(c);
    }
}

RecallKey::~RecallKey()
{
    if (keyboardMap_)
        xcb_key_symbols_free(keyboardMap_);
}

bool RecallKey::grab()
{
    if (grabbed_)
        return true;
    xcb_connection_t *c = connection();
    if (!c)
        return false;
    // The map asked for at the start serves the first grab; a later one asks again, as the
    // keyboard's layout may have changed since.
    xcb_key_symbols_t *map = keyboardMap_ ? keyboardMap_ : xcb_key_symbols_alloc(c);
    keyboardMap_ = nullptr;
    keycode_ = keycodeOfA(map);
    if (keycode_ == 0)
        return false;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // All four asked for at once, then their answers read: one round trip to the server.
    std::array<xcb_void_cookie_t, kLockVariants.size()> cookies{};
    for (std::size_t i = 0; i < kLockVariants.size(); ++i)
        cookies[i] = xcb_grab_key_checked(c, 0, root_, kModifiers | kLockVariants[i], keycode_,
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    bool refused = false;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t *error = xcb_request_check(c, cookie)) {
            std::free(error); // BadAccess: another client holds this variant
            refused = true;
        }
    }
    if (refused) { // nothing left half grabbed
        ungrabAll(c, keycode_, root_);
        return false;
    }
    grabbed_ = true;
    return true;
}

void RecallKey::ungrab()
{
    if (!grabbed_)
        return;
    grabbed_ = false;
    if (xcb_connection_t *c = connection())
        ungrabAll(c, keycode_, root_);
}

bool RecallKey::isPress(const void *event) const
{
    const auto *generic = static_cast<const xcb_generic_event_t *>(event);
    if (!grabbed_ || (generic->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto *press = static_cast<const xcb_key_press_event_t *>(event);
    constexpr std::uint16_t kKeyboardModifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL |
                                                 XCB_MOD_MASK_1 | XCB_MOD_MASK_3 | XCB_MOD_MASK_4 |
                                                 XCB_MOD_MASK_5;
    return press->detail == keycode_ && (press->state & kKeyboardModifiers) == kModifiers;
}

} // namespace platform::x11
