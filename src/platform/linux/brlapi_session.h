// One connection to BRLTTY through BrlAPI, for one thread: every call may wait on BRLTTY for
// as long as BRLTTY takes, so only a thread of the display's own makes them. BrlAPI's own
// handler of a refused request would end the program; here a refusal or a broken connection
// only ends the connection.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/braille_view.h"

namespace platform::linux_backend {

class BrlapiSession {
public:
    BrlapiSession();
    ~BrlapiSession();
    BrlapiSession(const BrlapiSession&) = delete;
    BrlapiSession& operator=(const BrlapiSession&) = delete;

    // Reaches BRLTTY where every BrlAPI client finds it: BRLAPI_HOST and BRLAPI_AUTH, else
    // this computer's own server.
    bool connect();
    // Takes the display for the terminal at `ttyPath` (see brailleTtyPath), with the line and
    // panning keys; false when BRLTTY refuses or has no display.
    bool takeDisplay(const std::vector<int>& ttyPath);
    // The connection's socket; -1 when there is none.
    int descriptor() const { return descriptor_; }
    // The display's cells.
    std::size_t width() const { return width_; }
    // Shows `text` on the whole display, padded with blanks, without a cursor.
    bool write(const std::string& text);
    // Waits until BRLTTY answers a question, so that what was written before has been taken;
    // the display's width is read afresh.
    bool answers();
    // The keys the operator has pressed, without waiting; false when the connection is lost.
    bool takeKeys(std::vector<BrailleKey>& keys);
    void close();

private:
    std::unique_ptr<unsigned char[]> handle_;
    int descriptor_ = -1;
    std::size_t width_ = 0;
};

}  // namespace platform::linux_backend
