// The Windows virtual-key codes of the keys the operator presses, worked out from SDL's key
// identification, so that the key rules see on Linux exactly the codes they see on Windows.
#pragma once

namespace platform::linux_backend {

// `scancode` is SDL's scancode (where the key sits), `keycode` SDL's keycode (what the
// keyboard layout puts on it). Letters, digits and punctuation follow the layout; the
// numeric pad gives its digits and point with Num Lock on and, as on Windows, the navigation
// keys with Num Lock off. 0 for a key that has no virtual-key code.
int windowsKeyCode(int scancode, int keycode, bool numLock);

// Windows reports F10, Alt, and keys pressed while Alt is held without Ctrl as system keys,
// which never reach the panel as key-down or key-up messages.
bool isSystemKey(int windowsCode, bool altHeld, bool ctrlHeld);

}  // namespace platform::linux_backend
