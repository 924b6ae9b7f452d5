#include "network/dump_state.h"

namespace vocapan {

namespace {

// Receive ranges: HF and 6 m, the air band and 2 m, 70 cm (start, end, modes, no power,
// VFO A and B, one antenna), each for Hamlib's mode bits of AM, CW, USB, LSB, FM, FMN and
// C4FM (0x200021c2f); then the transmit ranges with their power in milliwatts.
constexpr const char* kRanges =
    "30000 56000000 0x200021c2f -1 -1 0x3 0x1\n"
    "118000000 164000000 0x200021c2f -1 -1 0x3 0x1\n"
    "420000000 470000000 0x200021c2f -1 -1 0x3 0x1\n"
    "0 0 0 0 0 0 0\n"
    "1800000 54000000 0x200021c2f 5000 100000 0x3 0x1\n"
    "144000000 148000000 0x200021c2f 5000 50000 0x3 0x1\n"
    "430000000 450000000 0x200021c2f 5000 50000 0x3 0x1\n"
    "0 0 0 0 0 0 0\n";

// Tuning steps (the panel's CW and SSB steps, the FM channel step), then the filters of each
// mode family, the default first; each data mode goes with its voice mode.
constexpr const char* kStepsAndFilters =
    "0x2 10\n"
    "0xc0c 100\n"
    "0x200201021 12500\n"
    "0 0\n"
    "0xc0c 2400\n"
    "0xc0c 1800\n"
    "0xc0c 3100\n"
    "0x2 500\n"
    "0x2 50\n"
    "0x2 1200\n"
    "0x1 6000\n"
    "0x200000 9000\n"
    "0x200000000 12500\n"
    "0x1020 16000\n"
    "0 0\n";

// No RIT, XIT, IF shift or announcements; preamplifier 1 and 2, the attenuator; no functions;
// the levels read (STRENGTH, RFPOWER, MICGAIN, KEYSPD, AF, RF, SQL) and set (all but
// STRENGTH); no parameters.
constexpr const char* kCapabilities =
    "0\n0\n0\n0\n"
    "10 20 \n"
    "12 \n"
    "0x0\n0x0\n"
    "0x40007038\n0x7038\n"
    "0x0\n0x0\n";

// The transmitter is keyed by command ("ptt_type" 1). Frequency and mode are targetable on
// both VFOs (0x3), so that Hamlib sets and reads the transmit VFO by the split commands and
// never swaps VFOs to reach one. Choosing a VFO is passed on as the program asked ("V VFOB"
// switches split on, the panel's VFO B being its split).
constexpr const char* kSettings =
    "vfo_ops=0x0\n"
    "ptt_type=0x1\n"
    "targetable_vfo=0x3\n"
    "has_set_vfo=1\n"
    "has_get_vfo=1\n"
    "has_set_freq=1\n"
    "has_get_freq=1\n"
    "has_set_conf=0\n"
    "has_get_conf=0\n"
    "has_power2mW=0\n"
    "has_mW2power=0\n"
    "timeout=1000\n"
    "rig_model=2\n";

}  // namespace

std::string rigDumpState(const std::string& versionText) {
    std::string text = "1\n2\n0\n";  // protocol version 1, the network rig model, no ITU region
    text += kRanges;
    text += kStepsAndFilters;
    text += kCapabilities;
    text += kSettings;
    text += "rigctld_version=Vocapan " + versionText + "\n";
    text += "done\n";
    return text;
}

}  // namespace vocapan
