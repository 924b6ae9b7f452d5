// The radio finder's run: the banner and the spoken version ("port seek version 1 point 0,
// press Q to stop"), the search, and the result: the port and speed of the radio, or
// "radio not found", or silence when the operator stopped the search.
#include "finder/finder.h"

#include "finder/config_file.h"
#include "finder/config_writer.h"
#include "finder/search.h"
#include "speech/voice_choice.h"

namespace portseek {

namespace {

// The faster voice the operator chose for the panel (line 14 of vocapan.cfg) speaks here too.
// The screen reader is the panel's alone: with it chosen, portseek speaks the recorded voice.
void takePanelVoice(Seek& seek) {
    const auto text = readWholeFile("vocapan.cfg");
    if (!text) return;
    const auto lines = splitLines(*text);
    if (lines.size() >= 14) seek.state.waveDir = vocapan::waveDirOf(vocapan::voiceFromLine(lines[13]));
}

}  // namespace

void sayResult(Seek& seek) {
    const SeekState& state = seek.state;
    if (state.searchResult == 0) playPrompt(seek, "rnf");
    if (state.searchResult != 1) return;
    playPrompt(seek, "radiofound");
    sayNumber(seek, state.foundPort);
    playPrompt(seek, "speed");
    sayNumber(seek, state.foundBaud);
    playPrompt(seek, "baud");
    playPrompt(seek, "delay");
    writeConfiguration(seek);
}

void runFinder(Seek& seek) {
    platform::Console& console = seek.platform.console;
    console.allocate();
    console.write(std::string(kBanner) + "\r\n");
    takePanelVoice(seek);
    for (const char* name : {"pzkv", "1", "point", "0", "pzks"}) playPrompt(seek, name);
    searchPorts(seek);
    sayResult(seek);
    console.release();
}

}  // namespace portseek
