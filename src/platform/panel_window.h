// The panel window: one top-level window with an off-screen copy of its client area, text
// drawn at pixel positions, and a message queue of close requests, timer ticks and keys.
#pragma once

#include <string>

namespace platform {

struct FontSpec {
    std::string face;
    int size = 0;    // points
    int weight = 0;  // 100 thin .. 700 bold .. 900 black
    bool operator==(const FontSpec&) const = default;
};

struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowGeometry&) const = default;
};

enum class MessageKind { CloseRequest, Timer, KeyDown, KeyUp };

struct WindowMessage {
    MessageKind kind = MessageKind::Timer;
    int keyCode = 0;  // Windows virtual-key code for key messages
    int timerId = 0;  // for timer messages
};

class PanelWindow {
public:
    virtual ~PanelWindow() = default;
    // Opens and shows the window at the outer screen position and size given.
    virtual bool open(const std::string& title, const WindowGeometry& geometry) = 0;
    virtual void close() = 0;

    // Drawing: text goes to the current position in client pixels, in black on an opaque
    // background in the window colour, with the current font; the position then moves
    // right by the width of the text. The system font is current until one is selected.
    virtual void moveTo(int x, int y) = 0;
    virtual void selectFont(const FontSpec& font) = 0;
    virtual void drawText(const std::string& text) = 0;

    // A repeating timer. A due tick is delivered only when no other message is queued,
    // and ticks that fall due while the program is busy merge into one.
    virtual void startTimer(int id, int periodMs) = 0;
    virtual void stopTimer(int id) = 0;

    // Blocks until at least one message is pending.
    virtual void waitForMessage() = 0;
    // Takes the next pending message; false when none is pending.
    virtual bool nextMessage(WindowMessage& message) = 0;
    // Looks, without waiting, at what the operator has pressed meanwhile and takes the first
    // key-down of `keyCode` out of turn (with the key-ups before it); false when none waits.
    virtual bool takeKeyDown(int keyCode) = 0;
    // Takes a due tick of timer `timerId` out of turn, with any other queued tick of it; false
    // when none is due. Ticks that fell due meanwhile merge into the one taken.
    virtual bool takeDueTick(int timerId) = 0;
};

}  // namespace platform
