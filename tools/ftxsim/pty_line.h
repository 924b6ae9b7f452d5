// The radio's serial port as a pseudo-terminal: programs open its far end (through a link
// such as demo/COM5) exactly as they open a real port; the radio reads and writes this end.
#pragma once

#include <string>

namespace ftxsim {

class PtyLine {
public:
    PtyLine() = default;
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;
    ~PtyLine();

    // Makes the pseudo-terminal and keeps its far end open, so that programs can open and close
    // it again and again without the line going down. False, with `error`, on failure.
    bool open(std::string& error);
    const std::string& portPath() const { return portPath_; }

    // Waits up to `waitMs` for bytes from the program; answers the count read into `buffer`
    // (0 when nothing came).
    int read(char* buffer, int size, int waitMs);
    // Sends bytes to the program. What the port cannot take (nobody reads it and its queue is
    // full) is lost, as on a real line. Answers how many were taken.
    std::size_t write(const std::string& bytes);
    // The line speed the program last set on its end, 0 when unknown.
    int lineSpeed() const;

private:
    int master_ = -1;
    int heldPort_ = -1;
    std::string portPath_;
};

}  // namespace ftxsim
