// WSJT-X's side of its UDP messages, for the tests and the fuzz seeds: the datagrams it sends
// (Heartbeat, Status, Decode, Clear, QSO Logged, Close) laid out field by field as its message
// description gives them, and hexadecimal text for bytes written out by hand.
#pragma once

#include <string>

#include "wsjtx/datagram_fields.h"
#include "wsjtx/messages.h"

namespace vocapan::testing {

inline std::string bytesFromHex(const std::string& hex) {
    std::string bytes;
    std::string pair;
    for (const char c : hex) {
        if (c == ' ') continue;
        pair += c;
        if (pair.size() == 2) {
            bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
            pair.clear();
        }
    }
    return bytes;
}

// Magic, schema 3; the type goes between these two; the id "WSJT-X" (its length, then UTF-8).
const std::string kHead = "adbccbda 00000003";
const std::string kId = "00000006 57534a542d58";

// A new decode at 12:34:45 UTC, -12 dB, 0.2 s, 1234 Hz, FT8 ("~"), "CQ W9XYZ EN37", as WSJT-X
// sends it; the same fields follow a Reply's id.
const std::string kCqFieldsHex =
    "02b2fe88 fffffff4 3fc999999999999a 000004d2 00000001 7e 0000000d 435120573958595a20454e3337 00";
const std::string kDecodeHex = kHead + " 00000002 " + kId + " 01 " + kCqFieldsHex + " 00";
const std::string kReplyHex = kHead + " 00000004 " + kId + " " + kCqFieldsHex + " 00";

inline wsjtx::Decode cqDecode() {
    wsjtx::Decode d;
    d.timeMs = 45285000;
    d.snr = -12;
    d.dt = 0.2;
    d.df = 1234;
    d.mode = "~";
    d.message = "CQ W9XYZ EN37";
    return d;
}

inline wsjtx::FieldWriter datagramHead(wsjtx::Type type, const std::string& id, std::uint32_t schema = 3) {
    wsjtx::FieldWriter fields;
    fields.u32(wsjtx::kMagic).u32(schema).u32(static_cast<std::uint32_t>(type)).text(id);
    return fields;
}

inline std::string heartbeatDatagram(const std::string& id = "WSJT-X") {
    return datagramHead(wsjtx::Type::Heartbeat, id).u32(3).text("2.6.1").text("").bytes();
}

inline std::string statusDatagram(const wsjtx::Status& s, const std::string& id = "WSJT-X") {
    return datagramHead(wsjtx::Type::Status, id)
        .u64(s.dialHz)
        .text(s.mode)
        .text(s.dxCall)
        .text(s.report)
        .text(s.txMode)
        .flag(s.txEnabled)
        .flag(s.transmitting)
        .flag(s.decoding)
        .u32(s.rxDf)
        .u32(s.txDf)
        .text(s.deCall)
        .text(s.deGrid)
        .text(s.dxGrid)
        .flag(s.txWatchdog)
        .text(s.subMode)
        .flag(s.fastMode)
        .u8(s.specialOperation)
        .u32(s.frequencyTolerance)
        .u32(s.periodSeconds)
        .text(s.configurationName)
        .text(s.txMessage)
        .bytes();
}

inline std::string decodeDatagram(const wsjtx::Decode& d, const std::string& id = "WSJT-X") {
    return datagramHead(wsjtx::Type::Decode, id)
        .flag(d.isNew)
        .u32(d.timeMs)
        .i32(d.snr)
        .real(d.dt)
        .u32(d.df)
        .text(d.mode)
        .text(d.message)
        .flag(d.lowConfidence)
        .flag(d.offAir)
        .bytes();
}

inline std::string clearDatagram(const std::string& id = "WSJT-X") {
    return datagramHead(wsjtx::Type::Clear, id).bytes();
}

inline std::string closeDatagram(const std::string& id = "WSJT-X") {
    return datagramHead(wsjtx::Type::Close, id).bytes();
}

// Logged in UTC (Qt time kind 1) on 8 December 2026, 12:35:00.
inline std::string loggedDatagram(const std::string& dxCall, const std::string& dxGrid,
                                  const std::string& id = "WSJT-X") {
    wsjtx::FieldWriter fields = datagramHead(wsjtx::Type::QsoLogged, id);
    fields.u64(2461383).u32(45300000).u8(1).text(dxCall).text(dxGrid).u64(14074000).text("FT8");
    fields.text("-12").text("-08").text("100").text("").text("");
    fields.u64(2461383).u32(45240000).u8(1).text("").text("K1ABC").text("FN42").text("").text("").text("");
    return fields.bytes();
}

}  // namespace vocapan::testing
