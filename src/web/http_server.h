// The web page's HTTP port, over Boost.Beast and Asio: takes connections (refusing, before a
// byte is read, those the admission turns away), reads each request whole, hands it to the
// page's answer and writes the reply; a reply may open an event stream, which then carries
// the panel's events until either side ends it. Served by poll() from the panel's loop:
// nothing here ever waits, and a connection that stops reading is closed, never queued for.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vocapan::web {

struct Request {
    int connection = 0;
    std::string method;  // "GET", "POST"...
    std::string target;  // the path, with any query
    std::string host;    // the Host header as sent
    std::string origin;  // the Origin header; empty when none was sent
    std::string cookie;
    std::string body;
    std::string peer;   // the address of the computer the request comes from
    std::string local;  // the address of this computer it reached
};

struct Reply {
    int status = 200;
    std::string contentType;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
    bool opensStream = false;  // the connection stays open as an event stream
};

struct HttpHandlers {
    // Whether a connection from `peer` may be read at all.
    std::function<bool(const std::string& peer)> admit;
    std::function<Reply(const Request&)> answer;
    // An event stream has ended: the page closed it, stopped reading, or failed.
    std::function<void(int connection)> streamEnded;
};

// The name this computer goes by on the network; empty when it has none.
std::string computerName();

class HttpServer {
public:
    explicit HttpServer(HttpHandlers handlers);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Listens on `port` of 127.0.0.1 and ::1, or of every address when `everyAddress` is set;
    // false when the port cannot be had.
    bool listen(int port, bool everyAddress);
    // Runs what has become ready (connections, requests, writes) without waiting.
    void poll();
    // Queues `text` on the event stream `connection`; a stream whose page has left more
    // than it may unread is closed instead. False when the stream is gone.
    bool sendEvent(int connection, std::string_view text);
    void closeConnection(int connection);
    void closeAll();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vocapan::web
