// WSJT-X's messages on its UDP server port: the ones it sends that the panel reads
// (Heartbeat, Status, Decode, Clear, QSO Logged, Close) as plain records, and the two the
// panel sends back (Reply: answer a decode as a double-click would; Halt Tx). Every datagram
// starts with the magic number, the schema, the message type and the sender's id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace wsjtx {

inline constexpr std::uint32_t kMagic = 0xadbccbda;
// The schemas whose fields the panel knows; others are dropped, and the panel answers in the
// schema the program used.
inline constexpr std::uint32_t kOldestSchema = 2;
inline constexpr std::uint32_t kNewestSchema = 3;

enum class Type : std::uint32_t {
    Heartbeat = 0,
    Status = 1,
    Decode = 2,
    Clear = 3,
    Reply = 4,
    QsoLogged = 5,
    Close = 6,
    HaltTx = 8,
};

struct Heartbeat {
    std::uint32_t maximumSchema = kOldestSchema;  // absent from programs that know schema 2 only
    std::string version;
    std::string revision;
};

// The program's state; fields that older versions do not send keep their defaults.
struct Status {
    std::uint64_t dialHz = 0;
    std::string mode;
    std::string dxCall;
    std::string report;
    std::string txMode;
    bool txEnabled = false;
    bool transmitting = false;
    bool decoding = false;
    std::uint32_t rxDf = 0;
    std::uint32_t txDf = 0;
    std::string deCall;  // the operator's own call
    std::string deGrid;
    std::string dxGrid;
    bool txWatchdog = false;
    std::string subMode;
    bool fastMode = false;
    std::uint8_t specialOperation = 0;
    std::uint32_t frequencyTolerance = 0;
    std::uint32_t periodSeconds = 0;
    std::string configurationName;
    std::string txMessage;  // what it sends while transmitting
};

// One line of the band activity. A Reply must carry these fields exactly as they came, or
// the program finds no line to answer.
struct Decode {
    bool isNew = true;         // false when sent again at a Replay request
    std::uint32_t timeMs = 0;  // the period's start, milliseconds since midnight UTC
    std::int32_t snr = 0;
    double dt = 0;
    std::uint32_t df = 0;
    std::string mode;
    std::string message;
    bool lowConfidence = false;
    bool offAir = false;
    bool operator==(const Decode&) const = default;
};

struct Clear {};

struct QsoLogged {
    std::string dxCall;
    std::string dxGrid;
    std::string mode;
};

struct Close {};

using Message = std::variant<Heartbeat, Status, Decode, Clear, QsoLogged, Close>;

struct Datagram {
    std::uint32_t schema = kNewestSchema;
    std::string id;  // the program's unique key; requests to it carry the same
    Message message;
};

// The datagram's message; nothing for a wrong magic number, an unknown schema or type, or a
// message shorter than its fields. Fields after the known ones are ignored, as the protocol
// lets newer programs add them.
std::optional<Datagram> readDatagram(std::string_view bytes);

// Reply: the program answers `decode` as if the operator double-clicked it, with no
// keyboard modifier.
std::string writeReply(std::string_view id, std::uint32_t schema, const Decode& decode);
// Halt Tx: with `autoTxOnly` false the program stops at once, its transmission cut and its
// transmit disabled; with true it only stops after the period's transmission.
std::string writeHaltTx(std::string_view id, std::uint32_t schema, bool autoTxOnly);

}  // namespace wsjtx
