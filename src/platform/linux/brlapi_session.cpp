#include "platform/linux/brlapi_session.h"

#include <brlapi.h>

#include <cerrno>
#include <cstdio>

namespace platform::linux_backend {

namespace {

brlapi_handle_t* handleOf(const std::unique_ptr<unsigned char[]>& storage) {
    return reinterpret_cast<brlapi_handle_t*>(storage.get());
}

// BrlAPI reports a request BRLTTY refused at the next call, which then ends the connection and
// fails; the panel goes on and connects again. The default handler would abort the program.
void onRefusal(brlapi_handle_t* handle, int error, brlapi_packetType_t type, const void* packet, size_t size) {
    char why[256];
    brlapi__strexception(handle, why, sizeof why, error, type, packet, size);
    std::fprintf(stderr, "vocapan: BRLTTY refused what the panel sent (%s); connecting again\n", why);
}

struct KeyCommand {
    brlapi_keyCode_t command;
    BrailleKey key;
};

constexpr KeyCommand kKeyCommands[] = {
    {BRLAPI_KEY_CMD_LNUP, BrailleKey::LineUp},
    {BRLAPI_KEY_CMD_LNDN, BrailleKey::LineDown},
    {BRLAPI_KEY_CMD_FWINLT, BrailleKey::PanLeft},
    {BRLAPI_KEY_CMD_FWINRT, BrailleKey::PanRight},
};

}  // namespace

BrlapiSession::BrlapiSession() : handle_(new unsigned char[brlapi_getHandleSize()]) {}

BrlapiSession::~BrlapiSession() { close(); }

bool BrlapiSession::connect() {
    close();
    descriptor_ = brlapi__openConnection(handleOf(handle_), nullptr, nullptr);
    if (descriptor_ < 0) {
        // A server that went away half-way through the greeting can leave the socket open.
        brlapi__closeConnection(handleOf(handle_));
        descriptor_ = -1;
        return false;
    }
    brlapi__setExceptionHandler(handleOf(handle_), onRefusal);
    return true;
}

bool BrlapiSession::takeDisplay(const std::vector<int>& ttyPath) {
    brlapi_handle_t* handle = handleOf(handle_);
    if (brlapi__enterTtyModeWithPath(handle, ttyPath.empty() ? nullptr : ttyPath.data(),
                                     static_cast<int>(ttyPath.size()), nullptr) < 0) {
        return false;
    }
    // Every other key stays BRLTTY's own: its menus, its other windows.
    std::vector<brlapi_keyCode_t> taken;
    for (const auto& each : kKeyCommands) taken.push_back(BRLAPI_KEY_TYPE_CMD | each.command);
    if (brlapi__ignoreKeys(handle, brlapi_rangeType_all, nullptr, 0) < 0 ||
        brlapi__acceptKeys(handle, brlapi_rangeType_command, taken.data(), static_cast<unsigned>(taken.size())) < 0) {
        return false;
    }
    return answers() && width_ > 0;
}

bool BrlapiSession::write(const std::string& text) {
    if (descriptor_ < 0 || width_ == 0) return false;
    std::string cells = text.substr(0, width_);
    cells.resize(width_, ' ');
    // One byte a cell: anything but plain ASCII would take more than its cell.
    for (char& c : cells) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) c = '?';
    }
    brlapi_writeArguments_t arguments = BRLAPI_WRITEARGUMENTS_INITIALIZER;
    arguments.regionBegin = 1;
    arguments.regionSize = static_cast<int>(width_);
    arguments.text = cells.c_str();
    arguments.textSize = static_cast<int>(cells.size());
    arguments.cursor = BRLAPI_CURSOR_OFF;
    arguments.charset = "ASCII";
    return brlapi__write(handleOf(handle_), &arguments) == 0;
}

bool BrlapiSession::answers() {
    brlapi_param_displaySize_t size{};
    if (brlapi__getParameter(handleOf(handle_), BRLAPI_PARAM_DISPLAY_SIZE, 0, BRLAPI_PARAMF_GLOBAL, &size,
                             sizeof size) != static_cast<ssize_t>(sizeof size)) {
        return false;
    }
    width_ = static_cast<std::size_t>(size.columns) * size.rows;
    return true;
}

bool BrlapiSession::takeKeys(std::vector<BrailleKey>& keys) {
    for (;;) {
        brlapi_keyCode_t code = 0;
        const int read = brlapi__readKeyWithTimeout(handleOf(handle_), 0, &code);
        if (read == 0) return true;
        if (read < 0) {
            // A parameter's news interrupts a read without ending anything.
            if (brlapi_errno == BRLAPI_ERROR_LIBCERR && brlapi_libcerrno == EINTR) continue;
            return false;
        }
        if ((code & BRLAPI_KEY_TYPE_MASK) != BRLAPI_KEY_TYPE_CMD) continue;
        const brlapi_keyCode_t command = code & (BRLAPI_KEY_CMD_BLK_MASK | BRLAPI_KEY_CMD_ARG_MASK);
        for (const auto& each : kKeyCommands) {
            if (each.command == command) keys.push_back(each.key);
        }
    }
}

void BrlapiSession::close() {
    if (descriptor_ < 0) return;
    brlapi__closeConnection(handleOf(handle_));
    descriptor_ = -1;
    width_ = 0;
}

}  // namespace platform::linux_backend
