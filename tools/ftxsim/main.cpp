// ftxsim: a simulated FTX transceiver on a pseudo-terminal, for the demo and the integration
// tests. It makes the link asked for (for example demo/COM5), serves the radio until SIGINT
// or SIGTERM, and removes its link again.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ftxsim/pty_line.h"
#include "ftxsim/radio.h"
#include "ftxsim/server.h"
#include "ftxsim/server_options.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

void installStopHandlers() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// A link left behind by an earlier run that was killed is replaced; anything else at that
// path is not ours to remove.
bool makeLink(const std::string& linkPath, const std::string& portPath) {
    struct stat info {};
    if (lstat(linkPath.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            std::fprintf(stderr, "ftxsim: %s exists and is not a link\n", linkPath.c_str());
            return false;
        }
        unlink(linkPath.c_str());
    }
    if (symlink(portPath.c_str(), linkPath.c_str()) != 0) {
        std::fprintf(stderr, "ftxsim: cannot make %s: %s\n", linkPath.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

// Removes the link only while it still points at this run's port.
void removeLink(const std::string& linkPath, const std::string& portPath) {
    char target[256] = {};
    const ssize_t length = readlink(linkPath.c_str(), target, sizeof target - 1);
    if (length > 0 && portPath == std::string(target, static_cast<std::size_t>(length))) unlink(linkPath.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    ftxsim::ServerOptions options;
    std::string error;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!ftxsim::parseServerOptions(arguments, options, error)) {
        std::fprintf(stderr, "ftxsim: %s\n%s", error.c_str(), ftxsim::kUsage);
        return 2;
    }
    installStopHandlers();

    ftxsim::PtyLine line;
    if (!line.open(error)) {
        std::fprintf(stderr, "ftxsim: %s\n", error.c_str());
        return 1;
    }
    if (!options.linkPath.empty() && !makeLink(options.linkPath, line.portPath())) return 1;
    std::printf("ftxsim: radio ID%s on %s%s%s\n", options.radio.id.c_str(), line.portPath().c_str(),
                options.linkPath.empty() ? "" : ", linked as ", options.linkPath.c_str());
    std::fflush(stdout);

    ftxsim::Radio radio(options.radio);
    ftxsim::serve(radio, line, options, stopRequested);

    if (!options.linkPath.empty()) removeLink(options.linkPath, line.portPath());
    return 0;
}
