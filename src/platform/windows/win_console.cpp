// The radio finder's console on Windows: standard output for its lines, and a key poll that
// never blocks: console key events when standard input is a console, otherwise whatever has
// already arrived on the pipe or file that stands in for the keyboard.
#include <windows.h>

#include "platform/windows/backends.h"

namespace platform::windows_backend {

namespace {

int keyFromConsole(HANDLE input) {
    DWORD events = 0;
    while (GetNumberOfConsoleInputEvents(input, &events) && events > 0) {
        INPUT_RECORD record{};
        DWORD taken = 0;
        if (!ReadConsoleInputA(input, &record, 1, &taken) || taken == 0) return -1;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        // Shift, Ctrl and the like come as events without a character; they are no key here.
        if (record.EventType == KEY_EVENT && key.bKeyDown && key.uChar.AsciiChar != 0) {
            return static_cast<unsigned char>(key.uChar.AsciiChar);
        }
    }
    return -1;
}

int byteFromStream(HANDLE input) {
    const DWORD type = GetFileType(input);
    if (type == FILE_TYPE_PIPE) {
        DWORD available = 0;
        if (!PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr) || available == 0) return -1;
    } else if (type != FILE_TYPE_DISK) {
        return -1;  // a device that might block
    }
    unsigned char byte = 0;
    DWORD count = 0;
    if (!ReadFile(input, &byte, 1, &count, nullptr) || count == 0) return -1;
    return byte;
}

class WinConsole : public Console {
public:
    // A console program started from Explorer or a command prompt already has its console;
    // then AllocConsole fails and the existing one is used.
    void allocate() override { AllocConsole(); }
    void release() override { FreeConsole(); }

    void write(const std::string& text) override {
        const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
        if (output == nullptr || output == INVALID_HANDLE_VALUE) return;
        size_t done = 0;
        while (done < text.size()) {
            DWORD written = 0;
            if (!WriteFile(output, text.data() + done, static_cast<DWORD>(text.size() - done), &written, nullptr) ||
                written == 0) {
                return;
            }
            done += written;
        }
    }

    int pollKey() override {
        const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        if (input == nullptr || input == INVALID_HANDLE_VALUE) return -1;
        DWORD mode = 0;
        return GetConsoleMode(input, &mode) ? keyFromConsole(input) : byteFromStream(input);
    }
};

}  // namespace

std::unique_ptr<Console> makeConsole() { return std::make_unique<WinConsole>(); }

}  // namespace platform::windows_backend
