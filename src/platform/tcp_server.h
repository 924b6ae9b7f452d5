// A listening TCP port and the connections other programs open to it, as the panel's
// network rig control serves them: nothing here ever waits, except waitForInput, which waits
// at most the time it is given.
#pragma once

#include <string>

namespace platform {

// A connection taken from the port, and the address of the computer it comes from, before a
// byte of it has been read: an IPv4 address in dotted form, an IPv6 one in its text form.
struct TcpArrival {
    int connection = 0;  // above 0; 0 when none was waiting
    std::string peer;
};

class TcpServer {
public:
    virtual ~TcpServer() = default;
    // Listens on `port` of 127.0.0.1 and ::1, or of every address of both families when
    // `allInterfaces` is set; IPv6 where the machine has it. False when the port cannot be had
    // (in use, refused, out of range).
    virtual bool listen(int port, bool allInterfaces) = 0;
    // A connection that has arrived, with where it comes from; connection 0 when none is waiting.
    virtual TcpArrival accept() = 0;
    // Up to `max` bytes that have arrived on `connection`: the count, 0 when nothing has
    // arrived yet, -1 when the other side has closed or the connection failed.
    virtual int receive(int connection, char* buffer, int max) = 0;
    // As many of the bytes as the connection takes now: the count (0 when it takes none
    // yet), -1 when the connection failed.
    virtual int send(int connection, const char* bytes, int length) = 0;
    virtual void close(int connection) = 0;
    // Waits at most `timeoutMs` for bytes on any open connection or a new connection; true
    // when something is waiting.
    virtual bool waitForInput(int timeoutMs) = 0;
};

}  // namespace platform
