// The keys that act at once, as the operator presses them: monitor, transmit, level, digital
// voice, options, preamplifier, notch, contour, tuner, power, mode step and tune; and a
// session closed while transmitting leaves the transmitter unkeyed.
#include "key_table.h"
#include "panel/event_handler.h"

namespace vocapan::testing {
namespace {

auto none = [](PanelFixture&) {};
const std::string kSend40m = "FA007100000;";  // a key that goes on re-sends the frequency
const std::string kSend2m = "FA145600000;";

void inUsb(PanelFixture& p) { p.panel.state.mode = 2; }

// In USB, with the panel serving as its run does while it speaks; the operator presses Space
// (down and up) while prompt `during` is being said.
std::function<void(PanelFixture&)> spaceWhileSaying(std::string during) {
    return [during = std::move(during)](PanelFixture& p) {
        inUsb(p);
        p.fake.sound.onPlay = [&p, during](const std::string& path) {
            if (path != "wave\\" + during + ".wav") return;
            p.fake.window.post({platform::MessageKind::KeyDown, vk::kSpace, 0});
            p.fake.window.post({platform::MessageKind::KeyUp, vk::kSpace, 0});
        };
    };
}

TEST(ActionKeys, monitor_transmit_and_level_keys) {
    runKeyTable({
        {"F9 F9",
         none,
         {"ML01;", kSend40m, "ML00;", kSend40m},
         {"mon", "on", "mon", "off"},
         [](const PanelState& s) { EXPECT_EQ(s.levelTarget, 0); }},
        {"Space",
         inUsb,
         {"TX1;"},
         {"tx", "on"},
         [](const PanelState& s) {
             EXPECT_EQ(s.txState, 10);
             EXPECT_EQ(s.swrSettle, 2);
         }},
        {"Space Space",
         [](PanelFixture& p) {
             inUsb(p);
             p.panel.state.swrOption = 1;
         },
         {"TX1;", "TX0;"},
         {"tx", "on", "tx", "off"},
         [](const PanelState& s) { EXPECT_EQ(s.swrOption, 1); }},
        {"Space", [](PanelFixture& p) { p.panel.state.mode = 4; }, {}, {"na"}},
        // Keyed in USB, stepped on to AM: Space still unkeys there, and only there says "na".
        {"Space M M Space Space",
         inUsb,
         {"TX1;", "MD03;", "NA00;", kSend40m, "SH0011;", "MD05;", "NA00;", kSend40m, "TX0;"},
         {"tx", "on", "cw", "am", "tx", "off", "na"},
         [](const PanelState& s) { EXPECT_EQ(s.txState, 0); }},
        // Space while the F readout is said on a keyed transmitter: the readout stops at the
        // prompt that was sounding, TX0 goes at once, and "tx off" follows.
        {"Space F",
         spaceWhileSaying("point"),
         {"TX1;", "TX0;"},
         {"tx", "on", "7", "point", "tx", "off"},
         [](const PanelState& s) { EXPECT_EQ(s.txState, 0); }},
        // Not keyed: Space waits for the readout, then keys.
        {"F", spaceWhileSaying("point"), {}, {"7", "point", "1", "mhz", "usb"}},
        // The extended layer open: Space closes it and unkeys.
        {"Space X Space",
         inUsb,
         {"TX1;", "TX0;"},
         {"tx", "on", "extcm", "on", "tx", "off"},
         [](const PanelState& s) { EXPECT_EQ(s.entryMode, 0); }},
        {"L", none, {}, {"lev"}, [](const PanelState& s) { EXPECT_EQ(s.entryMode, 0); }},
        {"L",
         [](PanelFixture& p) { p.panel.state.levelTarget = 2; },
         {},
         {"nb", "lev"},
         [](const PanelState& s) { EXPECT_EQ(s.entryMode, 10); }},
    });
}

TEST(ActionKeys, d_goes_to_c4fm_and_back_with_the_tone) {
    auto fmWithTone = [](PanelFixture& p) {
        on2m(p);
        p.panel.state.fmWide = 1;
        p.panel.state.toneEntry = 1;
        p.panel.state.toneCode = "012";
    };
    runKeyTable({
        {"D",
         fmWithTone,
         {"CT00;", "MD0H;", "NA00;", kSend2m},
         {"c4fm"},
         [](const PanelState& s) { EXPECT_EQ(s.savedToneCode, "012"); }},
        {"D D",
         fmWithTone,
         {"CT00;", "MD0H;", "NA00;", kSend2m, "MD04;", "NA00;", "SQ0;", "CN00012;", "CT01;"},
         {"c4fm", "delay", "delay", "fm"},
         [](const PanelState& s) { EXPECT_EQ(s.toneEntry, 1); }},
        {"D", none, {}, {}},
        // A DCS code comes back as DCS, in the form and with the switch of a band recall.
        {"I 7 5 4 Enter D D",
         [](PanelFixture& p) {
             on2m(p);
             p.panel.state.fmWide = 1;
         },
         {"EX0863;", "CN01054;", "CT00;", "MD0H;", "NA00;", kSend2m, "MD04;", "NA00;", "SQ0;", "CN01054;", "CT03;"},
         {"ecd", "7", "5", "4", "dcs", "on", "c4fm", "delay", "delay", "fm"},
         [](const PanelState& s) { EXPECT_EQ(s.dcsSelected, 1); }},
    });
}

TEST(ActionKeys, o_lists_what_is_on) {
    runKeyTable({
        {"O", none, {}, {"options", "ant1", "tuner", "is", "off"}},
        {"O",
         [](PanelFixture& p) {
             auto& s = p.panel.state;
             s.preampLevel = 1, s.notchOn = 1, s.procOn = 1, s.breakInOn = 1, s.voxOn = 1;
             s.toneCode = "088", s.antenna2 = 1, s.tunerMode = 2;
         },
         {},
         {"options", "preamp", "1", "on", "notch", "on", "spc", "on", "vox", "on", "ctcss", "0", "8", "8", "ant2",
          "tuner", "is", "both"}},
        {"O",
         [](PanelFixture& p) {
             auto& s = p.panel.state;
             s.mode = 3, s.preampLevel = 2, s.attOn = 1, s.nbOn = 1, s.nrOn = 1, s.contourOn = 1;
             s.procOn = 1, s.breakInOn = 1, s.monitorOn = 1, s.toneCode = "754", s.tunerMode = 0;
         },
         {},
         {"options", "preamp", "2",   "on", "at",  "on", "nb", "on", "nr",   "on",    "co", "on",
          "bkin",    "on",     "mon", "on", "dcs", "7",  "5",  "4",  "ant1", "tuner", "is", "on"}},
    });
}

TEST(ActionKeys, preamplifier_notch_contour_and_tuner_step_through_their_states) {
    runKeyTable({
        {"F1 F1 F1",
         none,
         {"PA01;", kSend40m, "PA02;", kSend40m, "PA00;", kSend40m},
         {"preamp", "1", "on", "preamp", "2", "on", "preamp", "off"}},
        {"F1 F1", on2m, {"PA11;", kSend2m, "PA10;", kSend2m}, {"preamp", "1", "on", "preamp", "off"}},
        {"F5 F5", none, {"BC01;", kSend40m, "BC00;", kSend40m}, {"notch", "on", "notch", "off"}},
        {"F6", none, {"CO00001;"}, {"co", "on"}, [](const PanelState& s) { EXPECT_EQ(s.levelTarget, 4); }},
        {"F6 F6",
         none,
         {"CO00001;", "CO00000;"},
         {"co", "on", "co", "off"},
         [](const PanelState& s) { EXPECT_EQ(s.levelTarget, 0); }},
        {"F6", [](PanelFixture& p) { p.panel.state.mode = 3; }, {}, {"na"}},
        {"F12 F12 F12",
         [](PanelFixture& p) { p.panel.state.tunerMode = 1; },
         {"AC100;", "AC100;", "AC000;"},
         {"tuner", "on", "tuner", "both", "tuner", "off"}},
    });
}

TEST(ActionKeys, p_reads_the_power_and_m_steps_the_mode) {
    auto from = [](int mode, bool on2metres, int fmWide) {
        return [=](PanelFixture& p) {
            if (on2metres) on2m(p);
            p.panel.state.mode = mode;
            p.panel.state.fmWide = fmWide;
        };
    };
    runKeyTable({
        {"P",
         none,
         {"PC;"},
         {"delay", "Power", "1", "0", "0", "watts"},
         [](const PanelState& s) {
             EXPECT_EQ(s.powerLevel, 100);
             EXPECT_EQ(s.entryMode, 3);
         }},
        {"M", from(1, false, 0), {"MD02;", "NA00;", kSend40m, "SH0014;"}, {"usb"}},
        {"M", from(4, false, 1), {"MD01;", "NA00;", kSend40m, "SH0014;"}, {"lsb"}},
        {"M", from(4, true, 0), {"MD0B;", "NA00;", "SQ0;"}, {"delay", "delay", "fm", "nar"}},
        {"M", from(4, true, 1), {"MD04;", "NA00;", "SQ0;"}, {"delay", "delay", "fm"}},
        {"M", from(7, true, 1), {"MD01;", "NA00;", kSend2m, "SH0014;"}, {"lsb"}},
        {"M", from(5, true, 1), {"MD01;", "NA00;", kSend2m, "SH0014;"}, {"lsb"}},
    });
}

TEST(ActionKeys, t_tunes_with_the_internal_tuner_or_sets_up_a_carrier_and_t_again_ends_it) {
    auto tuner = [](int mode, bool on2metres = false) {
        return [=](PanelFixture& p) {
            if (on2metres) on2m(p);
            p.panel.state.tunerMode = mode;
            p.panel.state.powerRangeLow = 0;
        };
    };
    const std::vector<std::string> beeps(6, "beep");
    std::vector<std::string> internal{"tune", "on"};
    internal.insert(internal.end(), beeps.begin(), beeps.end());
    internal.insert(internal.end(), {"ok", "tune", "off"});
    const std::vector<std::string> carrierWords{"tune", "on", "delay", "delay", "ptthold", "swrwiths"};
    std::vector<std::string> carrierEnded = carrierWords;
    carrierEnded.insert(carrierEnded.end(), {"tune", "off", "delay", "delay", "delay", "delay", "delay"});
    runKeyTable({
        {"T", tuner(0), {"AC100;", "AC103;"}, internal, [](const PanelState& s) { EXPECT_EQ(s.tuning, 0); }},
        {"T",
         tuner(1),
         {"PC;", "PC1005;", "MD0B;", kSend40m},
         carrierWords,
         [](const PanelState& s) {
             EXPECT_EQ(s.tuning, 1);
             EXPECT_EQ(s.txState, 1);
         }},
        {"T J",
         tuner(1),
         {"PC;", "PC1005;", "MD0B;", kSend40m},
         [&] {
             auto words = carrierWords;
             words.push_back("ton");
             return words;
         }()},
        {"T T",
         tuner(1),
         {"PC;", "PC1005;", "MD0B;", kSend40m, "TX0;", "PC1100;", "MD01;", "NA00;", kSend40m, "SH0014;"},
         carrierEnded,
         [](const PanelState& s) { EXPECT_EQ(s.tuning, 0); }},
        // Above 60 MHz the internal tuner cannot work: a carrier instead, and the tuner back after.
        {"T T",
         tuner(0, true),
         {"PC;", "PC1005;", "MD0B;", kSend2m, "TX0;", "PC1100;", "MD04;", "NA00;", "SQ0;"},
         [&] {
             std::vector<std::string> words{"tune", "on", "atu", "na", "delay", "delay", "ptthold", "swrwiths"};
             words.insert(words.end(), {"tune", "off", "delay", "delay", "delay", "delay", "delay", "delay", "delay"});
             return words;
         }(),
         [](const PanelState& s) { EXPECT_EQ(s.tunerMode, 0); }},
    });
}

TEST(ActionKeys, closing_the_window_while_transmitting_unkeys_the_radio_first) {
    PanelFixture panel;
    ConfigLines config;
    writeFile("vocapan.cfg", config.text());
    panel.fake.window.ticksToDeliver = 12;
    int polls = 0;
    auto radioAnswers = panel.radioPort.responder;
    panel.radioPort.responder = [&](const std::string& written, int baud, const platform::LineFormat& format) {
        if (written == "FA;" && ++polls == 2) {
            panel.fake.window.post({platform::MessageKind::KeyDown, vk::kSpace, 0});
            panel.fake.window.post({platform::MessageKind::KeyUp, vk::kSpace, 0});
        }
        return radioAnswers(written, baud, format);
    };
    panel.runProgram();
    const auto sent = panel.commands();
    ASSERT_NE(std::find(sent.begin(), sent.end(), "TX1;"), sent.end());
    EXPECT_EQ(sent.back(), "TX0;");
}

}  // namespace
}  // namespace vocapan::testing
