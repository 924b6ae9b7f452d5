// Fields of the link with WSJT-X on its UDP server port: where its datagrams come from, what
// its last Status said, the decodes of the last two periods, whether it is there, and the
// digital-mode entry's choice.
#pragma once

#include <string>

#include "platform/udp_socket.h"
#include "wsjtx/decode_list.h"
#include "wsjtx/messages.h"

namespace vocapan {

// WSJT-X sends a Heartbeat every 15 s; a program silent for 30 s (this many 50 ms ticks) has
// gone.
inline constexpr int kWsjtxSilentTicks = 600;

struct WsjtxState {
    int wsjtxListening = 0;
    int wsjtxHeard = 0;           // 1 while the program is there: it has sent, and not gone since
    int wsjtxSilentTicks = 0;     // ticks since its last datagram
    platform::UdpPeer wsjtxPeer;  // where its datagrams come from, and requests go
    std::string wsjtxId;
    std::uint32_t wsjtxSchema = wsjtx::kNewestSchema;
    wsjtx::Status wsjtxStatus;
    // 1 from Halt Tx until WSJT-X reports its transmit disabled: a transmission it still
    // reports meanwhile is not announced.
    int wsjtxHalting = 0;
    wsjtx::DecodeList wsjtxDecodes;
    wsjtx::Decode digitalChoice;  // the decode the digital-mode entry has selected
};

}  // namespace vocapan
