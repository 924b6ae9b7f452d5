// The digital-mode entry behind J: the CQs and the calls to the operator that WSJT-X decoded
// in its last two periods, newest first, stepped with Up and Down, and answered with Enter,
// which has WSJT-X start the contact as a double-click on the decode would.
#include <algorithm>
#include <vector>

#include "core/key_codes.h"
#include "core/panel_numbers.h"
#include "panel/entry_modes.h"
#include "panel/wsjtx_link.h"
#include "speech/decode_speech.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

std::vector<wsjtx::Decode> choices(const PanelState& state) {
    return state.wsjtxDecodes.choices(state.wsjtxStatus.deCall);
}

wsjtx::DecodeText textOf(const PanelState& state, const wsjtx::Decode& decode) {
    return wsjtx::readDecodeText(decode.message, state.wsjtxStatus.deCall);
}

void selectAndSay(Panel& panel, const wsjtx::Decode& decode) {
    auto& state = panel.state;
    state.digitalChoice = decode;
    state.entryMode = kDigitalEntry;
    const wsjtx::DecodeText text = textOf(state, decode);
    if (text.kind == wsjtx::DecodeText::Kind::Cq) {
        sayCq(panel, text, decode.snr);
    } else {
        sayCallToOperator(panel, text);
    }
}

}  // namespace

void openDigitalEntry(Panel& panel) {
    auto& state = panel.state;
    const std::vector<wsjtx::Decode> heard = choices(state);
    const auto newestCq = std::find_if(heard.begin(), heard.end(), [&state](const wsjtx::Decode& decode) {
        return decode.timeMs == state.wsjtxDecodes.latestPeriod() &&
               textOf(state, decode).kind == wsjtx::DecodeText::Kind::Cq;
    });
    if (newestCq != heard.end()) {
        selectAndSay(panel, *newestCq);
        return;
    }
    playPrompt(panel, "nocq");
    if (heard.empty()) {
        state.entryMode = 0;
        return;
    }
    selectAndSay(panel, heard.front());
}

void stepDigitalChoice(Panel& panel) {
    auto& state = panel.state;
    const std::vector<wsjtx::Decode> heard = choices(state);
    if (heard.empty()) {
        playPrompt(panel, "nocq");
        state.entryMode = 0;
        return;
    }
    const auto selected = std::find(heard.begin(), heard.end(), state.digitalChoice);
    if (selected == heard.end()) {
        selectAndSay(panel, heard.front());  // what was selected has aged out of the list
        return;
    }
    const bool older = state.keyCode == vk::kDown;
    if (older ? selected + 1 == heard.end() : selected == heard.begin()) {
        playPrompt(panel, "listend");
        return;
    }
    selectAndSay(panel, older ? *(selected + 1) : *(selected - 1));
}

void answerDigitalChoice(Panel& panel) {
    auto& state = panel.state;
    state.entryMode = 0;
    if (!answerInWsjtx(panel, state.digitalChoice)) {
        playPrompt(panel, "wsjtxgone");
        return;
    }
    playPrompt(panel, "reply");
    sayCall(panel, textOf(state, state.digitalChoice).call);
}

}  // namespace vocapan
