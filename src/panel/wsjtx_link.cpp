#include "panel/wsjtx_link.h"

#include <array>
#include <type_traits>
#include <variant>

#include "core/number_text.h"
#include "speech/decode_speech.h"
#include "speech/prompt_player.h"
#include "wsjtx/decode_text.h"

namespace vocapan {

namespace {

// WSJT-X's longest message (a logged QSO as an ADIF record) is well below this; a longer
// datagram is no message of its.
constexpr int kLargestDatagram = 8192;
// A flood of datagrams waits for the next tick beyond this many, so the radio's poll keeps
// its pace.
constexpr int kMostDatagramsPerTick = 256;

// The program has gone (Close, or silence): said once, and what it decoded is forgotten, as
// it can no longer answer any of it.
void programGone(Panel& panel) {
    auto& state = panel.state;
    state.wsjtxHeard = 0;
    state.wsjtxStatus = {};
    state.wsjtxHalting = 0;
    state.wsjtxDecodes.clear();
    playPrompt(panel, "wsjtxgone");
}

void onStatus(Panel& panel, const wsjtx::Status& status) {
    auto& state = panel.state;
    const bool wasTransmitting = state.wsjtxStatus.transmitting;
    state.wsjtxStatus = status;
    if (state.wsjtxHalting == 1) {
        if (!status.transmitting && !status.txEnabled) state.wsjtxHalting = 0;
        state.wsjtxStatus.transmitting = false;
        return;
    }
    if (!wasTransmitting && status.transmitting) {
        playPrompt(panel, "tx");
        playPrompt(panel, "gap");
        sayMessage(panel, status.txMessage);
    } else if (wasTransmitting && !status.transmitting) {
        playPrompt(panel, "off");
    }
}

void onDecode(Panel& panel, const wsjtx::Decode& decode) {
    auto& state = panel.state;
    state.wsjtxDecodes.add(decode);
    if (!decode.isNew) return;  // a decode sent again on request was heard before
    const wsjtx::DecodeText text = wsjtx::readDecodeText(decode.message, state.wsjtxStatus.deCall);
    if (text.kind == wsjtx::DecodeText::Kind::ToOperator) sayCallToOperator(panel, text);
}

void onLogged(Panel& panel, const wsjtx::QsoLogged& logged) {
    playPrompt(panel, "logged");
    sayCall(panel, logged.dxCall);
}

// The first program heard is the one the panel follows until it goes; then the next one
// heard takes its place.
bool fromFollowedProgram(Panel& panel, const wsjtx::Datagram& datagram, const platform::UdpPeer& from) {
    auto& state = panel.state;
    if (state.wsjtxHeard == 1 && datagram.id != state.wsjtxId) return false;
    if (state.wsjtxHeard == 0) {
        state.wsjtxHeard = 1;
        state.wsjtxId = datagram.id;
        state.wsjtxStatus = {};
        state.wsjtxHalting = 0;
        playPrompt(panel, "wsjtxhere");
    }
    state.wsjtxPeer = from;
    state.wsjtxSchema = datagram.schema;
    state.wsjtxSilentTicks = 0;
    return true;
}

void onDatagram(Panel& panel, const wsjtx::Datagram& datagram) {
    std::visit(
        [&panel](const auto& message) {
            using Kind = std::decay_t<decltype(message)>;
            if constexpr (std::is_same_v<Kind, wsjtx::Status>) onStatus(panel, message);
            if constexpr (std::is_same_v<Kind, wsjtx::Decode>) onDecode(panel, message);
            if constexpr (std::is_same_v<Kind, wsjtx::Clear>) panel.state.wsjtxDecodes.clear();
            if constexpr (std::is_same_v<Kind, wsjtx::QsoLogged>) onLogged(panel, message);
            if constexpr (std::is_same_v<Kind, wsjtx::Close>) programGone(panel);
        },
        datagram.message);
}

bool sendToProgram(Panel& panel, const std::string& bytes) {
    return panel.state.wsjtxHeard == 1 && panel.platform.wsjtx.sendTo(panel.state.wsjtxPeer, bytes);
}

}  // namespace

void openWsjtx(Panel& panel) {
    auto& state = panel.state;
    if (state.wsjtxLineWrong == 1) {
        panel.platform.console.write(
            "vocapan: line 16 of vocapan.cfg is not wsjtx=PORT or wsjtx=ADDRESS:PORT; "
            "WSJT-X is not heard\n");
        playPrompt(panel, "wsjtxcfg");
        return;
    }
    if (state.wsjtxPort <= 0) return;
    state.wsjtxListening = panel.platform.wsjtx.open(state.wsjtxAddress, state.wsjtxPort) ? 1 : 0;
    if (state.wsjtxListening == 1) return;
    panel.platform.console.write("vocapan: WSJT-X port " + state.wsjtxAddress + ":" + decimalText(state.wsjtxPort) +
                                 " is in use; WSJT-X is not heard\n");
    playPrompt(panel, "wsjtxbusy");
}

void readWsjtx(Panel& panel) {
    if (panel.state.wsjtxListening == 0) return;
    std::array<char, kLargestDatagram> buffer;
    for (int count = 0; count < kMostDatagramsPerTick; ++count) {
        platform::UdpPeer from;
        const int length = panel.platform.wsjtx.receive(buffer.data(), kLargestDatagram, from);
        if (length < 0) break;
        if (length > kLargestDatagram) continue;
        const auto datagram = wsjtx::readDatagram({buffer.data(), static_cast<std::size_t>(length)});
        if (datagram && fromFollowedProgram(panel, *datagram, from)) onDatagram(panel, *datagram);
    }
}

void serviceWsjtx(Panel& panel) {
    auto& state = panel.state;
    if (state.wsjtxListening == 0) return;
    readWsjtx(panel);
    if (state.wsjtxHeard == 1 && ++state.wsjtxSilentTicks >= kWsjtxSilentTicks) programGone(panel);
}

void closeWsjtx(Panel& panel) {
    if (panel.state.wsjtxListening == 1) panel.platform.wsjtx.close();
    panel.state.wsjtxListening = 0;
}

bool wsjtxMayTransmit(const PanelState& state) {
    return state.wsjtxHeard == 1 && (state.wsjtxStatus.transmitting || state.wsjtxStatus.txEnabled);
}

void haltWsjtx(Panel& panel) {
    auto& state = panel.state;
    sendToProgram(panel, wsjtx::writeHaltTx(state.wsjtxId, state.wsjtxSchema, false));
    state.wsjtxHalting = 1;
    state.wsjtxStatus.transmitting = false;
    state.wsjtxStatus.txEnabled = false;
}

bool answerInWsjtx(Panel& panel, const wsjtx::Decode& decode) {
    panel.state.wsjtxHalting = 0;  // the operator answers: what WSJT-X sends now is heard
    return sendToProgram(panel, wsjtx::writeReply(panel.state.wsjtxId, panel.state.wsjtxSchema, decode));
}

}  // namespace vocapan
