#include "web/http_server.h"

// Asio 1.74's awaitable.hpp uses std::exchange without including <utility> itself.
#include <utility>
// clang-format off
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
// clang-format on
#include <chrono>
#include <list>
#include <map>
#include <optional>

namespace vocapan::web {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using ErrorCode = boost::system::error_code;
using Clock = std::chrono::steady_clock;

namespace {

// Pages open a few connections each; at most 8 pages and their requests fit well below this.
constexpr std::size_t kMostConnections = 48;
constexpr std::size_t kLongestHeader = 8192;
constexpr std::size_t kLongestBody = 1024;  // a key, a beat or a code
// What a page may leave unread on its event stream before it is closed.
constexpr std::size_t kMostUnread = 32768;
// A connection that has sent no whole request for this long is closed, so that idle or
// half-open connections never fill the slots of the operator's pages.
constexpr auto kIdleLimit = std::chrono::seconds(10);
// A restarted panel takes its port back at once on Linux, where the last connections of the
// one before linger on it for a minute; on Windows the same option would let another program
// share a port in use, and Windows frees the port at once anyway.
#if defined(BOOST_ASIO_WINDOWS)
constexpr bool kReuseAddress = false;
#else
constexpr bool kReuseAddress = true;
#endif
// One poll runs at most this many pieces of work: a flood waits for the next poll.
constexpr int kMostHandlersPerPoll = 256;

std::string addressText(const asio::ip::address& address) {
    if (address.is_v6() && address.to_v6().is_v4_mapped()) {
        return asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6()).to_string();
    }
    return address.to_string();
}

struct Connection {
    explicit Connection(tcp::socket taken) : socket(std::move(taken)) {}
    tcp::socket socket;
    beast::flat_buffer buffer{kLongestHeader + kLongestBody};
    std::optional<http::request_parser<http::string_body>> parser;
    std::string peer;
    std::string local;
    Clock::time_point active = Clock::now();
    bool streaming = false;
    bool writing = false;
    std::string unsent;
    std::string inFlight;
    std::array<char, 256> drained{};
};

using ConnectionPtr = std::shared_ptr<Connection>;

}  // namespace

struct HttpServer::Impl {
    explicit Impl(HttpHandlers given) : handlers(std::move(given)) {}

    HttpHandlers handlers;
    asio::io_context io;
    std::list<tcp::acceptor> acceptors;
    std::map<int, ConnectionPtr> connections;
    int nextConnection = 1;
    Clock::time_point lastSweep = Clock::now();

    bool listenOn(const tcp::endpoint& endpoint) {
        tcp::acceptor& acceptor = acceptors.emplace_back(io);
        ErrorCode error;
        acceptor.open(endpoint.protocol(), error);
        if (!error && endpoint.address().is_v6()) acceptor.set_option(asio::ip::v6_only(false), error);
        if (!error) acceptor.set_option(asio::socket_base::reuse_address(kReuseAddress), error);
        if (!error) acceptor.bind(endpoint, error);
        if (!error) acceptor.listen(asio::socket_base::max_listen_connections, error);
        if (error) {
            acceptors.pop_back();
            return false;
        }
        accept(acceptor);
        return true;
    }

    void accept(tcp::acceptor& acceptor) {
        acceptor.async_accept([this, &acceptor](ErrorCode error, tcp::socket socket) {
            if (error == asio::error::operation_aborted) return;
            if (!error) take(std::move(socket));
            accept(acceptor);
        });
    }

    // A connection the admission refuses, or one too many, is closed before a byte is read.
    void take(tcp::socket socket) {
        ErrorCode error;
        const auto remote = socket.remote_endpoint(error);
        const auto here = socket.local_endpoint(error);
        const std::string peer = error ? std::string() : addressText(remote.address());
        if (error || connections.size() >= kMostConnections || !handlers.admit(peer)) {
            socket.close(error);
            return;
        }
        auto connection = std::make_shared<Connection>(std::move(socket));
        connection->peer = peer;
        connection->local = addressText(here.address());
        const int id = nextConnection++;
        connections[id] = connection;
        readRequest(id, connection);
    }

    void readRequest(int id, const ConnectionPtr& connection) {
        connection->parser.emplace();
        connection->parser->header_limit(kLongestHeader);
        connection->parser->body_limit(kLongestBody);
        http::async_read(connection->socket, connection->buffer, *connection->parser,
                         [this, id, connection](ErrorCode error, std::size_t) {
                             if (error) {
                                 drop(id);
                                 return;
                             }
                             connection->active = Clock::now();
                             answer(id, connection);
                         });
    }

    void answer(int id, const ConnectionPtr& connection) {
        const auto& message = connection->parser->get();
        Request request;
        request.connection = id;
        request.method = std::string(message.method_string());
        request.target = std::string(message.target());
        request.host = std::string(message[http::field::host]);
        request.origin = std::string(message[http::field::origin]);
        request.cookie = std::string(message[http::field::cookie]);
        request.body = message.body();
        request.peer = connection->peer;
        request.local = connection->local;
        Reply reply = handlers.answer(request);
        if (connections.count(id) == 0) return;  // closed while it was answered
        if (reply.opensStream && reply.status == 200) {
            openStream(id, connection, message.version(), std::move(reply.body));
            return;
        }
        auto response = std::make_shared<http::response<http::string_body>>(static_cast<http::status>(reply.status),
                                                                            message.version());
        if (!reply.contentType.empty()) response->set(http::field::content_type, reply.contentType);
        response->set(http::field::cache_control, "no-store");
        for (const auto& [name, value] : reply.headers) response->set(name, value);
        response->body() = std::move(reply.body);
        response->keep_alive(message.keep_alive());
        response->prepare_payload();
        http::async_write(connection->socket, *response,
                          [this, id, connection, response](ErrorCode error, std::size_t) {
                              if (error || !response->keep_alive()) {
                                  drop(id);
                                  return;
                              }
                              readRequest(id, connection);
                          });
    }

    // The stream's body runs until the connection closes: no length, no chunks.
    void openStream(int id, const ConnectionPtr& connection, unsigned version, std::string firstEvents) {
        connection->streaming = true;
        connection->writing = true;
        connection->unsent = std::move(firstEvents);
        auto response = std::make_shared<http::response<http::empty_body>>(http::status::ok, version);
        response->set(http::field::content_type, "text/event-stream");
        response->set(http::field::cache_control, "no-store");
        response->keep_alive(false);
        auto serializer = std::make_shared<http::response_serializer<http::empty_body>>(*response);
        http::async_write_header(connection->socket, *serializer,
                                 [this, id, connection, response, serializer](ErrorCode error, std::size_t) {
                                     connection->writing = false;
                                     if (error) {
                                         drop(id);
                                         return;
                                     }
                                     flush(id, connection);
                                 });
        watchForEnd(id, connection);
    }

    // What a page sends on its stream after the request is read and dropped; its end is the
    // page's end.
    void watchForEnd(int id, const ConnectionPtr& connection) {
        connection->socket.async_read_some(asio::buffer(connection->drained),
                                           [this, id, connection](ErrorCode error, std::size_t) {
                                               if (error) {
                                                   drop(id);
                                                   return;
                                               }
                                               watchForEnd(id, connection);
                                           });
    }

    void flush(int id, const ConnectionPtr& connection) {
        if (connection->writing || connection->unsent.empty()) return;
        connection->inFlight = std::move(connection->unsent);
        connection->unsent.clear();
        connection->writing = true;
        asio::async_write(connection->socket, asio::buffer(connection->inFlight),
                          [this, id, connection](ErrorCode error, std::size_t) {
                              connection->writing = false;
                              if (error) {
                                  drop(id);
                                  return;
                              }
                              flush(id, connection);
                          });
    }

    void drop(int id) {
        const auto found = connections.find(id);
        if (found == connections.end()) return;
        const ConnectionPtr connection = found->second;
        connections.erase(found);
        ErrorCode error;
        connection->socket.close(error);
        if (connection->streaming && handlers.streamEnded) handlers.streamEnded(id);
    }

    void sweepIdle() {
        const auto now = Clock::now();
        if (now - lastSweep < std::chrono::seconds(1)) return;
        lastSweep = now;
        std::vector<int> idle;
        for (const auto& [id, connection] : connections) {
            if (!connection->streaming && now - connection->active > kIdleLimit) idle.push_back(id);
        }
        for (const int id : idle) drop(id);
    }
};

std::string computerName() {
    ErrorCode error;
    std::string name = asio::ip::host_name(error);
    return error ? std::string() : name;
}

HttpServer::HttpServer(HttpHandlers handlers) : impl_(std::make_unique<Impl>(std::move(handlers))) {}

HttpServer::~HttpServer() {
    impl_->handlers.streamEnded = nullptr;  // the page behind them is going too
    closeAll();
}

bool HttpServer::listen(int port, bool everyAddress) {
    const auto portNumber = static_cast<unsigned short>(port);
    if (everyAddress) {
        // One dual-stack port takes both families; a machine without IPv6 gets IPv4 alone.
        return impl_->listenOn({tcp::v6(), portNumber}) || impl_->listenOn({tcp::v4(), portNumber});
    }
    if (!impl_->listenOn({asio::ip::address_v4::loopback(), portNumber})) return false;
    impl_->listenOn({asio::ip::address_v6::loopback(), portNumber});  // where the machine has IPv6
    return true;
}

void HttpServer::poll() {
    auto& io = impl_->io;
    if (io.stopped()) io.restart();
    for (int count = 0; count < kMostHandlersPerPoll && io.poll_one() > 0; ++count) {
    }
    impl_->sweepIdle();
}

bool HttpServer::sendEvent(int connection, std::string_view text) {
    const auto found = impl_->connections.find(connection);
    if (found == impl_->connections.end() || !found->second->streaming) return false;
    const ConnectionPtr stream = found->second;
    if (stream->unsent.size() + text.size() > kMostUnread) {
        impl_->drop(connection);
        return false;
    }
    stream->unsent += text;
    impl_->flush(connection, stream);
    return true;
}

void HttpServer::closeConnection(int connection) { impl_->drop(connection); }

void HttpServer::closeAll() {
    ErrorCode error;
    for (auto& acceptor : impl_->acceptors) acceptor.close(error);
    std::vector<int> open;
    for (const auto& [id, connection] : impl_->connections) open.push_back(id);
    for (const int id : open) impl_->drop(id);
    impl_->io.poll();  // the aborted operations let go of their connections
    impl_->acceptors.clear();
}

}  // namespace vocapan::web
