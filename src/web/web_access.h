// Who may use the web page: a request must name this computer as its Host (so that a page
// elsewhere cannot reach the panel through a name that points here), a request that changes
// anything must come from the page's own origin, and a browser on another computer first
// gives the six-digit code the panel said at the station, for a token that lasts as long as
// the panel runs.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace vocapan::web {

// Whether `host` (a Host header: a name or address, with the port or without) names this
// computer: "localhost", the computer's own name (also with ".local"), or the address
// `local` the request reached; a port given must be the page's.
bool hostIsThisComputer(std::string_view host, std::string_view local, std::string_view computerName, int port);

// Whether `origin` (an Origin header) is the page's own: "http://" and the Host it was asked by.
bool originIsPage(std::string_view origin, std::string_view host);

// The token a browser sent in its cookie; empty when none.
std::string tokenOfCookie(std::string_view cookie);

inline constexpr std::string_view kTokenCookie = "vocapan";

class WebCodes {
public:
    // `random` gives the numbers codes and tokens are made of.
    explicit WebCodes(std::function<unsigned()> random);
    // The code in force: six digits.
    const std::string& code() const { return code_; }
    // A token for the right code; nothing for a wrong one, and the third wrong code in a row
    // makes a new code.
    std::optional<std::string> tryCode(std::string_view given);
    bool knows(std::string_view token) const;
    // True once for each code made: the panel says it then.
    bool takeNewCode();

private:
    void makeCode();
    std::function<unsigned()> random_;
    std::string code_;
    int wrongInARow_ = 0;
    bool codeUnsaid_ = true;
    std::set<std::string, std::less<>> tokens_;
};

}  // namespace vocapan::web
