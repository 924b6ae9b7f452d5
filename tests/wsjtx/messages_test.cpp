// WSJT-X's UDP messages byte by byte, as its message description lays them out: the ones it
// sends are read into their fields, the panel's requests are written exactly, and anything
// else (another magic, schema or type, a message cut short) is dropped. Then what a decoded
// message says, and which decodes the list keeps.
#include <gtest/gtest.h>

#include "wsjtx/decode_list.h"
#include "wsjtx/decode_text.h"
#include "wsjtx_datagrams.h"

namespace vocapan::testing {
namespace {

TEST(WsjtxMessages, a_decode_is_read_field_by_field) {
    const auto datagram = wsjtx::readDatagram(bytesFromHex(kDecodeHex));
    ASSERT_TRUE(datagram);
    EXPECT_EQ(datagram->schema, 3u);
    EXPECT_EQ(datagram->id, "WSJT-X");
    const auto* decode = std::get_if<wsjtx::Decode>(&datagram->message);
    ASSERT_NE(decode, nullptr);
    EXPECT_EQ(*decode, cqDecode());
}

TEST(WsjtxMessages, heartbeat_status_and_the_messages_without_fields_are_read) {
    // Heartbeat: maximum schema 3, version "2.6.1", an empty revision.
    auto datagram =
        wsjtx::readDatagram(bytesFromHex(kHead + " 00000000 " + kId + " 00000003 00000005 322e362e31 00000000"));
    ASSERT_TRUE(datagram);
    EXPECT_EQ(std::get<wsjtx::Heartbeat>(datagram->message).version, "2.6.1");

    // An older program's Status, ending after "Transmitting": 14.074 MHz, FT8, DX call
    // W9XYZ, report "-12", null Tx mode, Tx enabled, transmitting.
    datagram = wsjtx::readDatagram(bytesFromHex(kHead + " 00000001 " + kId +
                                                " 0000000000d6c090 00000003 465438 00000005 573958595a"
                                                " 00000003 2d3132 ffffffff 01 01"));
    ASSERT_TRUE(datagram);
    const auto& status = std::get<wsjtx::Status>(datagram->message);
    EXPECT_EQ(status.dialHz, 14074000u);
    EXPECT_EQ(status.mode, "FT8");
    EXPECT_EQ(status.dxCall, "W9XYZ");
    EXPECT_EQ(status.txMode, "");
    EXPECT_TRUE(status.txEnabled);
    EXPECT_TRUE(status.transmitting);
    EXPECT_EQ(status.deCall, "");  // not sent: left empty

    wsjtx::Status full;
    full.deCall = "K1ABC";
    full.txMessage = "W9XYZ K1ABC FN42";
    datagram = wsjtx::readDatagram(statusDatagram(full));
    ASSERT_TRUE(datagram);
    EXPECT_EQ(std::get<wsjtx::Status>(datagram->message).deCall, "K1ABC");
    EXPECT_EQ(std::get<wsjtx::Status>(datagram->message).txMessage, "W9XYZ K1ABC FN42");

    datagram = wsjtx::readDatagram(loggedDatagram("W9XYZ", "EN37"));
    ASSERT_TRUE(datagram);
    EXPECT_EQ(std::get<wsjtx::QsoLogged>(datagram->message).dxCall, "W9XYZ");
    EXPECT_EQ(std::get<wsjtx::QsoLogged>(datagram->message).mode, "FT8");

    EXPECT_TRUE(
        std::holds_alternative<wsjtx::Clear>(wsjtx::readDatagram(bytesFromHex(kHead + " 00000003 " + kId))->message));
    EXPECT_TRUE(
        std::holds_alternative<wsjtx::Close>(wsjtx::readDatagram(bytesFromHex(kHead + " 00000006 " + kId))->message));
}

TEST(WsjtxMessages, requests_are_written_exactly) {
    // Reply: the decode's own time, SNR, DT, DF, mode and message, low confidence, and no
    // keyboard modifier; in the schema the program used.
    EXPECT_EQ(wsjtx::writeReply("WSJT-X", 3, cqDecode()), bytesFromHex(kReplyHex));
    EXPECT_EQ(wsjtx::writeHaltTx("WSJT-X", 2, false), bytesFromHex("adbccbda 00000002 00000008 " + kId + " 00"));
    EXPECT_EQ(wsjtx::writeHaltTx("JTDX", 3, true), bytesFromHex(kHead + " 00000008 00000004 4a544458 01"));
}

TEST(WsjtxMessages, anything_but_a_whole_known_message_is_dropped) {
    const std::string decode = bytesFromHex(kDecodeHex);
    const std::pair<std::string, std::string> dropped[] = {
        {"another magic", bytesFromHex("adbccbdb") + decode.substr(4)},
        {"schema 1", decode.substr(0, 4) + bytesFromHex("00000001") + decode.substr(8)},
        {"schema 4", decode.substr(0, 4) + bytesFromHex("00000004") + decode.substr(8)},
        {"Replay, which only WSJT-X reads", bytesFromHex(kHead + " 00000007 " + kId)},
        {"an unknown type", bytesFromHex(kHead + " 000000ff " + kId)},
        {"an id longer than the datagram", bytesFromHex(kHead + " 00000000 7fffffff 57")},
        {"a message longer than the datagram", decode.substr(0, 50) + bytesFromHex("fffffff0")},
        {"nothing", ""},
    };
    for (const auto& [what, bytes] : dropped) EXPECT_FALSE(wsjtx::readDatagram(bytes)) << what;
    // Cut anywhere before the end of its message text, a decode is dropped; the two flags
    // after it came later to the protocol and may be missing.
    const std::size_t messageEnd = decode.size() - 2;
    for (std::size_t length = 0; length < messageEnd; ++length) {
        EXPECT_FALSE(wsjtx::readDatagram(decode.substr(0, length))) << "cut to " << length << " bytes";
    }
    EXPECT_TRUE(wsjtx::readDatagram(decode.substr(0, messageEnd)));
    EXPECT_TRUE(wsjtx::readDatagram(decode + "later fields"));  // fields of newer versions are passed over
}

TEST(WsjtxMessages, what_a_decoded_message_says) {
    using Kind = wsjtx::DecodeText::Kind;
    struct Case {
        const char* message;
        Kind kind;
        const char* call;
        const char* grid;
        std::vector<std::string> rest;
    };
    const Case cases[] = {
        {"CQ W9XYZ EN37", Kind::Cq, "W9XYZ", "EN37", {}},
        {"CQ DX W9XYZ EN37", Kind::Cq, "W9XYZ", "EN37", {}},
        {"CQ POTA PJ4/W9XYZ", Kind::Cq, "PJ4/W9XYZ", "", {}},
        {"QRZ W9XYZ EN37", Kind::Cq, "W9XYZ", "EN37", {}},
        {"CQ <W9XYZ/P> RR73", Kind::Cq, "W9XYZ/P", "", {}},  // RR73 is no grid
        {"K1ABC W9XYZ -12", Kind::ToOperator, "W9XYZ", "", {"-12"}},
        {"<K1ABC> W9XYZ R-07", Kind::ToOperator, "W9XYZ", "", {"R-07"}},
        {"K1ABC W9XYZ EN37", Kind::ToOperator, "W9XYZ", "", {"EN37"}},
        {"K1ABCD W9XYZ -12", Kind::Other, "", "", {}},  // another operator
        {"N0CALL W9XYZ RR73", Kind::Other, "", "", {}},
        {"CQ DX", Kind::Other, "", "", {}},
        {"TNX 73 GL", Kind::Other, "", "", {}},
        {"", Kind::Other, "", "", {}},
    };
    for (const Case& c : cases) {
        const wsjtx::DecodeText text = wsjtx::readDecodeText(c.message, "K1ABC");
        EXPECT_EQ(text.kind, c.kind) << c.message;
        EXPECT_EQ(text.call, c.call) << c.message;
        EXPECT_EQ(text.grid, c.grid) << c.message;
        EXPECT_EQ(text.rest, c.rest) << c.message;
    }
    EXPECT_EQ(wsjtx::readDecodeText("K1ABC W9XYZ -12", "").kind, Kind::Other);  // own call not known yet
}

TEST(WsjtxMessages, the_list_keeps_the_last_two_periods_newest_first) {
    wsjtx::DecodeList list;
    auto add = [&list](std::uint32_t time, const char* message) {
        wsjtx::Decode d;
        d.timeMs = time;
        d.message = message;
        list.add(d);
    };
    add(1000, "CQ AA1AA FN20");
    add(16000, "CQ BB1BB FN20");
    add(16000, "W9XYZ BB1BB -10");  // between two others: no choice
    add(16000, "K1ABC CC1CC -05");
    add(31000, "CQ DD1DD");
    add(16000, "CQ EE1EE FN20");  // late, of the period before
    std::vector<std::string> messages;
    for (const auto& d : list.choices("K1ABC")) messages.push_back(d.message);
    EXPECT_EQ(messages, (std::vector<std::string>{"CQ DD1DD", "CQ EE1EE FN20", "K1ABC CC1CC -05", "CQ BB1BB FN20"}));
    EXPECT_EQ(list.latestPeriod(), 31000u);
    list.clear();
    EXPECT_TRUE(list.choices("K1ABC").empty());
    EXPECT_FALSE(list.latestPeriod());
    for (std::size_t i = 0; i < wsjtx::DecodeList::kMostPerPeriod + 5; ++i) add(46000, "CQ FF1FF");
    EXPECT_EQ(list.choices("K1ABC").size(), wsjtx::DecodeList::kMostPerPeriod);
}

}  // namespace
}  // namespace vocapan::testing
