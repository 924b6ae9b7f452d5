#include "wsjtx/messages.h"

#include "wsjtx/datagram_fields.h"

namespace wsjtx {

namespace {

// Qt's date-and-time: the Julian day, the milliseconds since midnight, and how the time is
// given: local (0), UTC (1), an offset from UTC in seconds (2) or a time zone's name (3).
void skipDateTime(FieldReader& fields) {
    fields.u64();
    fields.u32();
    const std::uint8_t timeSpec = fields.u8();
    if (timeSpec == 2) fields.i32();
    if (timeSpec == 3) fields.text();
}

// Reads the optional fields one after another until the message ends.
template <typename... Readers>
void readWhileThere(FieldReader& fields, Readers... readers) {
    ((fields.atEnd() ? void() : readers()), ...);
}

Heartbeat readHeartbeat(FieldReader& fields) {
    Heartbeat h;
    readWhileThere(
        fields, [&] { h.maximumSchema = fields.u32(); }, [&] { h.version = fields.text(); },
        [&] { h.revision = fields.text(); });
    return h;
}

Status readStatus(FieldReader& fields) {
    Status s;
    s.dialHz = fields.u64();
    s.mode = fields.text();
    s.dxCall = fields.text();
    s.report = fields.text();
    s.txMode = fields.text();
    s.txEnabled = fields.flag();
    s.transmitting = fields.flag();
    readWhileThere(
        fields, [&] { s.decoding = fields.flag(); }, [&] { s.rxDf = fields.u32(); }, [&] { s.txDf = fields.u32(); },
        [&] { s.deCall = fields.text(); }, [&] { s.deGrid = fields.text(); }, [&] { s.dxGrid = fields.text(); },
        [&] { s.txWatchdog = fields.flag(); }, [&] { s.subMode = fields.text(); }, [&] { s.fastMode = fields.flag(); },
        [&] { s.specialOperation = fields.u8(); }, [&] { s.frequencyTolerance = fields.u32(); },
        [&] { s.periodSeconds = fields.u32(); }, [&] { s.configurationName = fields.text(); },
        [&] { s.txMessage = fields.text(); });
    return s;
}

Decode readDecode(FieldReader& fields) {
    Decode d;
    d.isNew = fields.flag();
    d.timeMs = fields.u32();
    d.snr = fields.i32();
    d.dt = fields.real();
    d.df = fields.u32();
    d.mode = fields.text();
    d.message = fields.text();
    readWhileThere(
        fields, [&] { d.lowConfidence = fields.flag(); }, [&] { d.offAir = fields.flag(); });
    return d;
}

QsoLogged readQsoLogged(FieldReader& fields) {
    QsoLogged logged;
    skipDateTime(fields);
    logged.dxCall = fields.text();
    logged.dxGrid = fields.text();
    fields.u64();  // the transmit frequency
    logged.mode = fields.text();
    return logged;
}

std::optional<Message> readMessage(Type type, FieldReader& fields) {
    switch (type) {
        case Type::Heartbeat:
            return readHeartbeat(fields);
        case Type::Status:
            return readStatus(fields);
        case Type::Decode:
            return readDecode(fields);
        case Type::Clear:
            return Clear{};
        case Type::QsoLogged:
            return readQsoLogged(fields);
        case Type::Close:
            return Close{};
        default:
            return std::nullopt;
    }
}

FieldWriter header(Type type, std::string_view id, std::uint32_t schema) {
    FieldWriter fields;
    fields.u32(kMagic).u32(schema).u32(static_cast<std::uint32_t>(type)).text(id);
    return fields;
}

}  // namespace

std::optional<Datagram> readDatagram(std::string_view bytes) {
    FieldReader fields(bytes);
    if (fields.u32() != kMagic) return std::nullopt;
    Datagram datagram;
    datagram.schema = fields.u32();
    if (datagram.schema < kOldestSchema || datagram.schema > kNewestSchema) return std::nullopt;
    const auto type = static_cast<Type>(fields.u32());
    datagram.id = fields.text();
    if (!fields.ok()) return std::nullopt;
    std::optional<Message> message = readMessage(type, fields);
    if (!message || !fields.ok()) return std::nullopt;
    datagram.message = std::move(*message);
    return datagram;
}

std::string writeReply(std::string_view id, std::uint32_t schema, const Decode& decode) {
    FieldWriter fields = header(Type::Reply, id, schema);
    fields.u32(decode.timeMs).i32(decode.snr).real(decode.dt).u32(decode.df).text(decode.mode).text(decode.message);
    fields.flag(decode.lowConfidence).u8(0);  // no keyboard modifier
    return fields.bytes();
}

std::string writeHaltTx(std::string_view id, std::uint32_t schema, bool autoTxOnly) {
    return header(Type::HaltTx, id, schema).flag(autoTxOnly).bytes();
}

}  // namespace wsjtx
