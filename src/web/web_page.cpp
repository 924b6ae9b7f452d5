#include "web/web_page.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "controls/transmit.h"
#include "core/ip_address.h"
#include "core/number_text.h"
#include "display/status_text.h"
#include "speech/phrases.h"
#include "speech/prompt_player.h"
#include "web/http_server.h"
#include "web/key_names.h"
#include "web/page_events.h"
#include "web/page_resource.h"
#include "web/web_access.h"

namespace vocapan {

namespace {

using Clock = std::chrono::steady_clock;
using web::Reply;
using web::Request;

constexpr std::size_t kMostPages = 8;
// A page heard from twice a second that has not been heard for this long has gone (closed,
// asleep, out of reach).
constexpr auto kPageSilence = std::chrono::seconds(2);
// Phrases a page may have been sent and not yet shown before it counts as not reading.
constexpr long long kMostUnseenEvents = 64;
// Keys from the pages waiting for the loop: a page that floods keys loses the rest.
constexpr std::size_t kMostWaitingKeys = 32;
constexpr std::size_t kMostRefusalsWritten = 64;

struct PageView {
    int page = 0;
    int stream = 0;  // the connection of its event stream
    Clock::time_point heard;
    long long sent = 0;
    long long seen = 0;
};

// No page may be shown inside another site's frame, nor load anything from elsewhere.
constexpr const char* kPagePolicy =
    "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; connect-src 'self'; "
    "form-action 'self'; frame-ancestors 'none'; base-uri 'none'";

Reply textReply(int status, std::string text) {
    return {status, "text/plain; charset=utf-8", std::move(text), {}, false};
}

Reply pageReply(int status, std::string_view html) {
    Reply reply{status, "text/html; charset=utf-8", std::string(html), {}, false};
    reply.headers.emplace_back("Content-Security-Policy", kPagePolicy);
    reply.headers.emplace_back("X-Content-Type-Options", "nosniff");
    return reply;
}

Reply noContent() { return {204, "", "", {}, false}; }

// The words of a request body separated by blanks.
std::vector<std::string> wordsOf(const std::string& body) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : body + " ") {
        if (c == ' ' || c == '\n' || c == '\r') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

std::string pathOf(const std::string& target) { return target.substr(0, target.find('?')); }

bool fromThisComputer(const std::string& peer) {
    const auto address = ipAddressFromText(peer);
    return address && isThisComputer(*address);
}

}  // namespace

struct WebPages {
    explicit WebPages(Panel& given)
        : panel(given),
          codes([] {
              static std::random_device device;
              return static_cast<unsigned>(device());
          }),
          server({[this](const std::string& peer) { return admit(peer); },
                  [this](const Request& request) { return answer(request); },
                  [this](int stream) { streamEnded(stream); }}) {}

    Panel& panel;
    web::WebCodes codes;
    web::HttpServer server;
    std::string computer;
    bool everyAddress = false;
    std::vector<PageView> pages;
    int nextPage = 1;
    std::array<std::string, 3> statusSent;
    std::vector<IpAddress> refused;
    bool codeAsked = false;  // a browser of another computer has been asked for the code

    // --- Who may come in ---

    bool admit(const std::string& peer) {
        const auto& state = panel.state;
        if (!everyAddress || fromThisComputer(peer)) return true;
        const auto address = ipAddressFromText(peer);
        if (state.netAllowList == 0 || (address && inAnyRange(*address, state.netAllowed))) return true;
        if (address && std::find(refused.begin(), refused.end(), *address) == refused.end() &&
            refused.size() < kMostRefusalsWritten) {
            refused.push_back(*address);
            panel.platform.console.write("vocapan: web port " + decimalText(state.webPort) + " refused a browser at " +
                                         peer + ", which the allow line does not list\n");
        }
        return false;
    }

    Reply answer(const Request& request) {
        if (!web::hostIsThisComputer(request.host, request.local, computer, panel.state.webPort)) {
            return textReply(403, "This page answers to this computer's own name or address only.\n");
        }
        const std::string path = pathOf(request.target);
        const bool isGet = request.method == "GET" || request.method == "HEAD";
        const bool sameOrigin = web::originIsPage(request.origin, request.host);
        // A change must say it comes from the page; the stream may come without an Origin, as
        // browsers send none for their own page's stream, but never with another one.
        if ((!isGet && !sameOrigin) || (path == "/events" && !request.origin.empty() && !sameOrigin)) {
            return textReply(403, "Only the panel's own page may do this.\n");
        }
        const bool local = fromThisComputer(request.peer);
        if (!local && path == "/code" && !isGet) return tryCode(request);
        if (!local && !codes.knows(web::tokenOfCookie(request.cookie))) {
            if (path == "/" && isGet) {
                codeAsked = true;
                return pageReply(200, web::codePage());
            }
            return textReply(401, "Open the panel's page and give the code first.\n");
        }
        if (path == "/" && isGet) return pageReply(200, web::panelPage());
        if (path == "/events" && isGet) return openStream(request);
        if (path == "/key" && !isGet) return takeKey(request);
        if (path == "/beat" && !isGet) return takeBeat(request);
        return textReply(404, "No such page.\n");
    }

    Reply tryCode(const Request& request) {
        constexpr std::string_view kField = "code=";
        const std::string given =
            request.body.starts_with(kField) ? request.body.substr(kField.size(), 6) : std::string();
        const auto token = codes.tryCode(given);
        if (!token) return pageReply(401, web::codePage());
        Reply reply{303, "", "", {}, false};
        reply.headers.emplace_back("Location", "/");
        reply.headers.emplace_back(
            "Set-Cookie", std::string(web::kTokenCookie) + "=" + *token + "; Path=/; HttpOnly; SameSite=Strict");
        return reply;
    }

    // --- The pages ---

    PageView* pageOf(int page) {
        const auto found =
            std::find_if(pages.begin(), pages.end(), [page](const PageView& view) { return view.page == page; });
        return found == pages.end() ? nullptr : &*found;
    }

    Reply openStream(const Request& request) {
        if (pages.size() >= kMostPages) return textReply(503, "The panel serves 8 pages at once.\n");
        PageView view{nextPage++, request.connection, Clock::now(), 0, 0};
        pages.push_back(view);
        Reply reply{200, "", web::pageEvent(view.page) + web::statusEvent(statusSent), {}, true};
        return reply;
    }

    void streamEnded(int stream) {
        const auto found =
            std::find_if(pages.begin(), pages.end(), [stream](const PageView& view) { return view.stream == stream; });
        if (found != pages.end()) pages.erase(found);
    }

    // "PAGE down CODE" or "PAGE up CODE": the key goes where the window's keys go.
    Reply takeKey(const Request& request) {
        const auto words = wordsOf(request.body);
        if (words.size() != 3 || (words[1] != "down" && words[1] != "up")) return textReply(400, "Not a key.\n");
        const auto key = web::virtualKeyOf(words[2]);
        const int page = numberFromText(words[0]);
        if (PageView* view = pageOf(page)) view->heard = Clock::now();
        if (!key) return noContent();
        auto& state = panel.state;
        if (state.pageKeys.size() >= kMostWaitingKeys) return textReply(503, "Too many keys at once.\n");
        PageKey pressed;
        pressed.kind = words[1] == "down" ? platform::MessageKind::KeyDown : platform::MessageKind::KeyUp;
        pressed.keyCode = *key;
        pressed.page = page;
        state.pageKeys.push_back(pressed);
        return noContent();
    }

    // "PAGE SEEN": the page is there, and has shown this many phrases.
    Reply takeBeat(const Request& request) {
        const auto words = wordsOf(request.body);
        PageView* view = words.size() == 2 ? pageOf(numberFromText(words[0])) : nullptr;
        if (view == nullptr) return textReply(410, "No such page.\n");
        view->heard = Clock::now();
        view->seen = std::max(view->seen, static_cast<long long>(numberFromText(words[1])));
        return noContent();
    }

    // --- What the pages are sent ---

    void onPhrase(const std::vector<SpokenPrompt>& phrase) {
        const auto event = web::phraseEvent(phrase);
        if (!event) return;
        const std::vector<PageView> now = pages;  // a page that stopped reading leaves meanwhile
        for (const auto& view : now) {
            if (!server.sendEvent(view.stream, *event)) continue;
            if (PageView* still = pageOf(view.page)) ++still->sent;
        }
    }

    void sendStatus() {
        const std::array<std::string, 3> lines = shownStatusLines(panel.state);
        if (lines == statusSent) return;
        statusSent = lines;
        const std::string event = web::statusEvent(lines);
        const std::vector<PageView> now = pages;
        for (const auto& view : now) server.sendEvent(view.stream, event);
    }

    // --- Pages that have gone ---

    void closeSilentPages() {
        const auto now = Clock::now();
        std::vector<int> silent;
        for (const auto& view : pages) {
            if (now - view.heard > kPageSilence || view.sent - view.seen > kMostUnseenEvents)
                silent.push_back(view.stream);
        }
        for (const int stream : silent) server.closeConnection(stream);
    }

    // The transmitter a page switched on goes off when the page is no longer open: closed,
    // gone quiet, or never open as a page at all.
    void unkeyForGonePage() {
        auto& state = panel.state;
        if (state.transmitPage < 0 || pageOf(state.transmitPage) != nullptr) return;
        state.transmitPage = -1;
        if (state.txState > 0) switchTransmit(panel);
    }

    void sayNewCode() {
        if (!codeAsked || !codes.takeNewCode()) return;
        panel.platform.console.write("vocapan: web code " + codes.code() + " for a browser on another computer\n");
        playPrompt(panel, "webcode");
        sayDigits(panel, codes.code());
    }
};

void openWebPage(Panel& panel) {
    auto& state = panel.state;
    auto& console = panel.platform.console;
    if (state.webLineWrong == 1) {
        console.write("vocapan: line 18 of vocapan.cfg is not web=PORT or web=*:PORT; the web page is off\n");
        playPrompt(panel, "webcfg");
        return;
    }
    if (state.webPort <= 0) return;
    auto pages = std::make_shared<WebPages>(panel);
    pages->everyAddress = state.webAllInterfaces == 1 && state.netAllowList >= 0;
    if (!pages->server.listen(state.webPort, pages->everyAddress)) {
        console.write("vocapan: web port " + decimalText(state.webPort) + " is in use; the web page is off\n");
        playPrompt(panel, "webbusy");
        return;
    }
    state.webListening = 1;
    pages->computer = web::computerName();
    // Every phrase goes to the pages open when it ends, none once the port is closed.
    panel.phraseListeners.emplace_back([&panel](const std::vector<SpokenPrompt>& phrase) {
        if (panel.state.webPages) panel.state.webPages->onPhrase(phrase);
    });
    const std::string port = decimalText(state.webPort);
    console.write("vocapan: the panel's web page is at http://127.0.0.1:" + port + "/\n");
    if (pages->everyAddress && !pages->computer.empty()) {
        console.write("vocapan: from another computer open http://" + pages->computer + ":" + port +
                      "/ and give the code the panel says\n");
    }
    state.webPages = std::move(pages);
}

void serveWebPage(Panel& panel) {
    auto& state = panel.state;
    if (state.webListening == 0) return;
    WebPages& pages = *state.webPages;
    // A page owns the transmitter it switched on only until it is switched off.
    if (state.txState == 0) state.transmitPage = -1;
    ++state.sayLater;
    pages.server.poll();
    pages.closeSilentPages();
    pages.unkeyForGonePage();
    pages.sendStatus();
    pages.sayNewCode();
    --state.sayLater;
}

void closeWebPage(Panel& panel) {
    auto& state = panel.state;
    if (state.webListening == 0) return;
    state.webPages->server.closeAll();
    state.webPages.reset();
    state.webListening = 0;
}

}  // namespace vocapan
