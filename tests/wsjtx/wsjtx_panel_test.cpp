// The whole panel beside a fake WSJT-X on line 16's UDP port: what the operator hears unasked
// (calls to them, WSJT-X's transmissions, logged QSOs, WSJT-X going and coming back), the
// digital-mode entry behind J with its Reply, and Space stopping WSJT-X with the radio.
#include <gtest/gtest.h>

#include "core/panel_numbers.h"
#include "key_session.h"
#include "panel/wsjtx_link.h"
#include "wsjtx_datagrams.h"

namespace vocapan::testing {
namespace {

using Lines = std::vector<std::string>;

const platform::UdpPeer kWsjtxAddress{"127.0.0.1", 51234};

wsjtx::Decode decodeOf(std::uint32_t timeMs, const std::string& message, int snr = -10, bool isNew = true) {
    wsjtx::Decode d;
    d.isNew = isNew;
    d.timeMs = timeMs;
    d.snr = snr;
    d.dt = 0.1;
    d.df = 1500;
    d.mode = "~";
    d.message = message;
    return d;
}

// WSJT-X's status for the operator K1ABC, with its transmit message when it has one.
wsjtx::Status statusOf(bool txEnabled = false, bool transmitting = false, const std::string& txMessage = "") {
    wsjtx::Status s;
    s.deCall = "K1ABC";
    s.txEnabled = txEnabled;
    s.transmitting = transmitting;
    s.txMessage = txMessage;
    return s;
}

// The operator K1ABC on a panel that listens for WSJT-X on port 2237; WSJT-X has sent its
// heartbeat and status, and the records start afresh.
struct WsjtxSession {
    explicit WsjtxSession(const std::string& line16 = "wsjtx=2237", bool introduce = true,
                          const std::string& line14 = "") {
        ConfigLines config;
        config.voice = line14;
        config.wsjtx = line16;
        connectSession(fixture, config);
        openWsjtx(fixture.panel);
        if (!introduce) return;
        hears({heartbeatDatagram(), statusDatagram(statusOf())});
        fixture.clearRecords();
    }
    // WSJT-X sends the datagrams; the panel's next timer tick reads them all.
    void hears(const Lines& datagrams) {
        for (const auto& bytes : datagrams) udp().inbound.push_back({kWsjtxAddress, bytes});
        tick();
        EXPECT_TRUE(udp().inbound.empty());
    }
    void tick() { handleMessage(fixture.panel, {platform::MessageKind::Timer, 0, kPollTimer}); }
    Lines prompts() const { return fixture.prompts(); }
    platform::fake::FakeUdpSocket& udp() { return fixture.fake.wsjtx; }
    PanelFixture fixture;
};

TEST(WsjtxHeard, a_call_to_the_operator_is_spoken_at_once_and_nothing_else_is) {
    const std::pair<wsjtx::Decode, Lines> cases[] = {
        {decodeOf(0, "K1ABC W9XYZ -12"), {"w", "9", "x", "y", "z", "gap", "minus", "12"}},
        {decodeOf(0, "K1ABC W9XYZ R+05"), {"w", "9", "x", "y", "z", "gap", "roger", "plus", "5"}},
        {decodeOf(0, "K1ABC PJ4/W9XYZ RR73"), {"p", "j", "4", "stroke", "w", "9", "x", "y", "z", "gap", "roger", "73"}},
        {decodeOf(0, "<K1ABC> W9XYZ EN37"), {"w", "9", "x", "y", "z", "gap", "grid", "e", "n", "3", "7"}},
        {decodeOf(0, "K1ABC W9XYZ -24"), {"w", "9", "x", "y", "z", "gap", "minus", "20", "4"}},
        {decodeOf(0, "CQ W9XYZ EN37"), {}},                // CQs come by the dozen: only J says them
        {decodeOf(0, "W9XYZ K2DEF FN31"), {}},             // a call to someone else
        {decodeOf(0, "K1ABC W9XYZ -12", -10, false), {}},  // sent again at a replay: heard before
    };
    for (const auto& [decode, heard] : cases) {
        WsjtxSession session;
        session.hears({decodeDatagram(decode)});
        EXPECT_EQ(session.prompts(), heard) << decode.message;
        EXPECT_TRUE(session.fixture.commands().size() <= 1) << "only the poll goes to the radio";
    }
}

TEST(WsjtxHeard, the_screen_reader_gets_each_announcement_as_one_phrase_of_words) {
    WsjtxSession session("wsjtx=2237", true, "voice=reader");
    auto& said = session.fixture.fake.reader.said;
    said.clear();
    session.hears({decodeDatagram(decodeOf(0, "K1ABC PJ4/W9XYZ R-08"))});
    session.hears({statusDatagram(statusOf(false, true, "W9XYZ K1ABC RR73"))});
    EXPECT_EQ(said, (Lines{"P J four stroke W nine X Y Z roger minus eight",
                           "transmit W nine X Y Z K one A B C roger seventy three"}));
}

TEST(WsjtxHeard, transmissions_and_logged_qsos_are_spoken) {
    WsjtxSession session;
    wsjtx::Status status = statusOf(true, true, "W9XYZ K1ABC FN42");
    session.hears({statusDatagram(status), statusDatagram(status)});  // said once, not at every status
    EXPECT_EQ(session.prompts(), (Lines{"tx", "gap", "w", "9", "x", "y", "z", "gap", "k", "1", "a", "b", "c", "gap",
                                        "grid", "f", "n", "4", "2"}));
    session.fixture.clearRecords();
    status.transmitting = false;
    session.hears({statusDatagram(status), loggedDatagram("W9XYZ", "EN37")});
    EXPECT_EQ(session.prompts(), (Lines{"off", "logged", "w", "9", "x", "y", "z"}));
}

TEST(WsjtxHeard, wsjtx_going_and_coming_back_is_said_once_each) {
    WsjtxSession session("wsjtx=2237", false);
    session.hears({heartbeatDatagram()});
    EXPECT_EQ(session.prompts(), Lines{"wsjtxhere"});
    session.hears({heartbeatDatagram(), closeDatagram()});
    EXPECT_EQ(session.prompts(), (Lines{"wsjtxhere", "wsjtxgone"}));
    session.hears({heartbeatDatagram()});
    session.fixture.clearRecords();
    // Silent: 30 s of 50 ms ticks, then it has gone, and is not said again.
    while (session.prompts().empty()) session.tick();
    EXPECT_EQ(session.fixture.panel.state.wsjtxSilentTicks, kWsjtxSilentTicks);
    for (int i = 0; i < 40; ++i) session.tick();
    EXPECT_EQ(session.prompts(), Lines{"wsjtxgone"});
    session.hears({heartbeatDatagram(), heartbeatDatagram()});
    EXPECT_EQ(session.prompts(), (Lines{"wsjtxgone", "wsjtxhere"}));
}

TEST(WsjtxHeard, what_is_not_a_message_of_the_followed_program_is_dropped_without_a_word) {
    WsjtxSession session;
    std::string cut = decodeDatagram(decodeOf(0, "K1ABC W9XYZ -12"));
    cut.resize(40);
    std::string oversized = decodeDatagram(decodeOf(0, "K1ABC W9XYZ -12"));
    oversized.resize(9000, ' ');
    session.hears({cut, oversized, "", std::string(3, '\xad'), decodeDatagram(decodeOf(0, "K1ABC W9XYZ -12"), "JTDX")});
    EXPECT_EQ(session.prompts(), Lines{});
    EXPECT_TRUE(session.fixture.panel.state.wsjtxDecodes.choices("K1ABC").empty());
}

TEST(WsjtxHeard, line_16_wrong_or_its_port_in_use_is_said_once_at_start) {
    const std::pair<std::string, Lines> cases[] = {
        {"wsjtx=22x7", {"wsjtxcfg"}},
        {"wsjtx=224.0.0.1:", {"wsjtxcfg"}},
        {"wsjtx=2237", {"wsjtxbusy"}},
    };
    for (const auto& [line, heard] : cases) {
        PanelFixture fixture;
        fixture.fake.wsjtx.refuseOpen = true;
        ConfigLines config;
        config.wsjtx = line;
        connectSession(fixture, config);
        openWsjtx(fixture.panel);
        EXPECT_EQ(fixture.prompts(), heard) << line;
        EXPECT_NE(fixture.fake.console.output.find("WSJT-X is not heard"), std::string::npos) << line;
        handleMessage(fixture.panel, {platform::MessageKind::Timer, 0, kPollTimer});
        EXPECT_EQ(fixture.prompts(), heard) << line;
    }
    WsjtxSession group("wsjtx=224.0.0.1:2237");
    EXPECT_EQ(group.udp().openedAddress, "224.0.0.1");
    EXPECT_EQ(group.udp().openedPort, 2237);
}

// --- J: the digital-mode entry ---

// Two periods: at 12:00:00 a CQ and a call to the operator; at 12:00:15 two CQs, a call
// to someone else, and the newest CQ without a grid.
Lines twoPeriods() {
    return {decodeDatagram(decodeOf(43200000, "CQ AA1AA FN20", -3)),
            decodeDatagram(decodeOf(43200000, "K1ABC BB2BB -08", -7)),
            decodeDatagram(decodeOf(43215000, "CQ W9XYZ EN37", -12)),
            decodeDatagram(decodeOf(43215000, "W9XYZ K2DEF FN31", 2)),
            decodeDatagram(decodeOf(43215000, "CQ DX N0CQ", 4))};
}

const Lines kN0cq{"n", "0", "c", "q", "gap", "nogrid", "gap", "plus", "4"};
const Lines kW9xyz{"w", "9", "x", "y", "z", "gap", "grid", "e", "n", "3", "7", "gap", "minus", "12"};
const Lines kBb2bb{"b", "b", "2", "b", "b", "gap", "minus", "8"};
const Lines kAa1aa{"a", "a", "1", "a", "a", "gap", "grid", "f", "n", "2", "0", "gap", "minus", "3"};

Lines joined(std::initializer_list<Lines> parts) {
    Lines all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(DigitalEntry, j_says_the_newest_cq_and_up_and_down_step_the_last_two_periods) {
    const std::pair<std::string, Lines> cases[] = {
        {"J", kN0cq},
        {"J Down", joined({kN0cq, kW9xyz})},
        {"J Down Down Down", joined({kN0cq, kW9xyz, kBb2bb, kAa1aa})},
        {"J Down Down Down Down", joined({kN0cq, kW9xyz, kBb2bb, kAa1aa, {"listend"}})},
        {"J Down Up", joined({kN0cq, kW9xyz, kN0cq})},
        {"J Up", joined({kN0cq, {"listend"}})},
        {"J Down J", joined({kN0cq, kW9xyz, kN0cq})},
    };
    for (const auto& [keys, heard] : cases) {
        WsjtxSession session;
        session.hears(twoPeriods());
        session.fixture.clearRecords();
        typeKeys(session.fixture, keys);
        EXPECT_EQ(session.prompts(), heard) << keys;
        EXPECT_EQ(session.fixture.commands(), Lines{}) << keys << ": nothing goes to the radio";
        EXPECT_EQ(session.fixture.panel.state.entryMode, kDigitalEntry) << keys;
    }
}

TEST(DigitalEntry, without_a_cq_in_the_last_period_j_says_so) {
    WsjtxSession session;
    typeKeys(session.fixture, "J");
    EXPECT_EQ(session.prompts(), Lines{"nocq"});
    EXPECT_EQ(session.fixture.panel.state.entryMode, 0);  // nothing to choose: no entry

    session.hears(
        {decodeDatagram(decodeOf(0, "CQ AA1AA FN20")), decodeDatagram(decodeOf(15000, "K1ABC BB2BB -08", -7))});
    session.fixture.clearRecords();
    typeKeys(session.fixture, "J Down");
    EXPECT_EQ(
        session.prompts(),
        joined({{"nocq"}, kBb2bb, {"a", "a", "1", "a", "a", "gap", "grid", "f", "n", "2", "0", "gap", "minus", "10"}}));
}

TEST(DigitalEntry, enter_has_wsjtx_answer_exactly_the_selected_decode) {
    WsjtxSession session;
    session.hears({decodeDatagram(cqDecode()), decodeDatagram(decodeOf(45285000, "CQ AA1AA FN20", -3))});
    session.fixture.clearRecords();
    typeKeys(session.fixture, "J Down Enter");
    ASSERT_EQ(session.udp().sent.size(), 1u);
    EXPECT_EQ(session.udp().sent[0].peer, kWsjtxAddress);  // where its datagrams come from
    EXPECT_EQ(session.udp().sent[0].bytes, bytesFromHex(kReplyHex));
    EXPECT_EQ(session.prompts(),
              joined({{"a", "a", "1", "a", "a", "gap", "grid", "f", "n", "2", "0", "gap", "minus", "3"},
                      kW9xyz,
                      {"reply", "w", "9", "x", "y", "z"}}));
    EXPECT_EQ(session.fixture.panel.state.entryMode, 0);
    EXPECT_EQ(session.fixture.commands(), Lines{});
}

TEST(DigitalEntry, another_key_leaves_the_entry_and_acts_as_usual) {
    for (const std::string key : {"PgUp", "F", "B", "Space"}) {
        WsjtxSession plain;
        plain.fixture.panel.state.mode = 2;  // USB, where Space keys the radio
        typeKeys(plain.fixture, key);

        WsjtxSession session;
        session.fixture.panel.state.mode = 2;
        session.hears(twoPeriods());
        typeKeys(session.fixture, "J");
        session.fixture.clearRecords();
        typeKeys(session.fixture, key);
        EXPECT_EQ(session.fixture.commands(), plain.fixture.commands()) << key;
        EXPECT_EQ(session.prompts(), plain.prompts()) << key;
        EXPECT_EQ(session.fixture.panel.state.entryMode, plain.fixture.panel.state.entryMode) << key;
    }
}

TEST(DigitalEntry, j_without_line_16_sends_the_frequency_again_as_before) {
    PanelFixture fixture;
    connectSession(fixture);
    openWsjtx(fixture.panel);
    typeKeys(fixture, "J");
    EXPECT_FALSE(fixture.fake.wsjtx.isOpen);
    EXPECT_EQ(fixture.commands(), Lines{"FA007100000;"});
}

// --- Space: WSJT-X stops with the radio ---

TEST(WsjtxHalted, space_stops_wsjtx_at_once_and_unkeys_the_radio) {
    const std::string halt = bytesFromHex(kHead + " 00000008 " + kId + " 00");  // auto only: false
    struct Case {
        const char* what;
        bool txEnabled;
        bool transmitting;
        int panelTxState;  // 10: keyed through the panel's network port
        Lines sentToWsjtx;
        Lines sentToRadio;
        Lines heard;
    };
    const Case cases[] = {
        {"transmit enabled, between periods", true, false, 0, {halt}, {"TX0;"}, {"tx", "off"}},
        {"transmitting through the panel", true, true, 10, {halt}, {"TX0;"}, {"tx", "off"}},
        {"transmitting with its transmit disabled", false, true, 10, {halt}, {"TX0;"}, {"tx", "off"}},
        {"idle: Space keys the radio as ever", false, false, 0, {}, {"TX1;"}, {"tx", "on"}},
    };
    for (const Case& c : cases) {
        WsjtxSession session;
        session.hears({statusDatagram(statusOf(c.txEnabled, c.transmitting, "W9XYZ K1ABC FN42"))});
        session.fixture.panel.state.mode = 2;
        session.fixture.panel.state.txState = c.panelTxState;
        session.fixture.clearRecords();
        Lines sent;
        std::size_t radioCommandsBeforeHalt = 99;
        session.udp().sent.clear();
        session.udp().onSend = [&](const platform::fake::FakeDatagram& datagram) {
            sent.push_back(datagram.bytes);
            radioCommandsBeforeHalt = session.fixture.commands().size();
        };
        typeKeys(session.fixture, "Space");
        EXPECT_EQ(sent, c.sentToWsjtx) << c.what;
        if (!sent.empty()) {
            EXPECT_EQ(radioCommandsBeforeHalt, 1u) << c.what << ": the radio is unkeyed first, then WSJT-X halted";
        }
        EXPECT_EQ(session.fixture.commands(), c.sentToRadio) << c.what;
        EXPECT_EQ(session.prompts(), c.heard) << c.what;
        EXPECT_EQ(session.fixture.panel.state.txState, c.sentToRadio[0] == "TX0;" ? 0 : 10) << c.what;
    }
}

// WSJT-X's status is read while the panel speaks, and Space then cuts the words and halts it at
// once; nothing of the stopped transmission is said, only "tx off".
TEST(WsjtxHalted, a_status_heard_during_a_readout_lets_space_halt_wsjtx_at_once) {
    for (const bool transmitting : {true, false}) {
        WsjtxSession session;
        const wsjtx::Status status = statusOf(true, transmitting, "W9XYZ K1ABC FN42");
        std::size_t promptsWhenHalted = 0;
        session.udp().onSend = [&](const platform::fake::FakeDatagram&) {
            promptsWhenHalted = session.prompts().size();
        };
        session.fixture.fake.sound.onPlay = [&](const std::string& path) {
            if (path == "wave\\7.wav") session.udp().inbound.push_back({kWsjtxAddress, statusDatagram(status)});
            if (path == "wave\\1.wav") session.fixture.fake.window.postKey(vk::kSpace);
        };
        typeKeys(session.fixture, "F");
        EXPECT_EQ(promptsWhenHalted, 3u) << "halted while the third word sounded";
        EXPECT_EQ(session.udp().sent.size(), 1u);
        EXPECT_EQ(session.fixture.commands(), Lines{"TX0;"});
        EXPECT_EQ(session.prompts(), (Lines{"7", "point", "1", "tx", "off"}));
        // WSJT-X, told to halt, reports its transmission ended: the operator has heard it.
        session.fixture.clearRecords();
        session.hears({statusDatagram(statusOf(false, false, status.txMessage))});
        EXPECT_EQ(session.prompts(), Lines{});
        EXPECT_FALSE(wsjtxMayTransmit(session.fixture.panel.state));
    }
}

// In the digital-mode entry Enter does not wait for the words: the answer goes within the period.
TEST(DigitalEntry, enter_during_the_words_of_j_answers_at_once) {
    for (const KeySource source : {KeySource::Window, KeySource::Page}) {
        WsjtxSession session;
        session.hears({decodeDatagram(cqDecode())});
        session.fixture.clearRecords();
        std::size_t promptsWhenAnswered = 0;
        session.udp().onSend = [&](const platform::fake::FakeDatagram&) {
            promptsWhenAnswered = session.prompts().size();
        };
        session.fixture.fake.sound.onPlay = [&](const std::string& path) {
            if (path == "wave\\9.wav") pressMeanwhile(session.fixture, source, vk::kEnter);
        };
        typeKeys(session.fixture, "J");
        EXPECT_EQ(promptsWhenAnswered, 2u) << nameOf(source);
        ASSERT_EQ(session.udp().sent.size(), 1u) << nameOf(source);
        EXPECT_EQ(session.udp().sent[0].bytes, bytesFromHex(kReplyHex));
        EXPECT_EQ(session.prompts(), (Lines{"w", "9", "reply", "w", "9", "x", "y", "z"})) << nameOf(source);
        EXPECT_EQ(session.fixture.panel.state.entryMode, 0) << nameOf(source);
    }
}

}  // namespace
}  // namespace vocapan::testing
