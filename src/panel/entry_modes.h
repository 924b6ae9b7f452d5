// Entry modes opened by prefix keys and the extended commands behind X: what the keys mean
// inside each mode, what the operator hears on opening and closing, and the commands sent.
#pragma once

#include "core/panel.h"

namespace vocapan {

// X: the extended layer on or off ("extcm", "on"/"off").
void toggleExtendedMode(Panel& panel);
// X then C: antenna 1 or 2 ("EX030704n"), for comparing the two by their S-meter readings.
void switchAntenna(Panel& panel);
// X then A: the AGC steps fast, mid, slow, auto ("GT01" to "GT04").
void stepAgc(Panel& panel);
// X then O: the repeater offset entry opens on the bands that have one.
void openOffsetEntry(Panel& panel);
// "=" / "-" in the offset entry: the offset's sign.
void setOffsetSign(Panel& panel);
// Enter before a sign: the band's standard offset is spoken. True when the key is finished.
bool announceStandardOffset(Panel& panel);
// Enter after the digits: the typed offset is checked and stored. True when it was refused.
bool checkAndStoreOffset(Panel& panel);
// Right and Left in the AF gain entry: the sub receiver's AF gain ("AG1").
void stepSubAfGain(Panel& panel);
// Right and Left in the RF gain entry: the sub receiver's RF gain ("RG1").
void stepSubRfGain(Panel& panel);
// F11: the mic gain is read and mic-level metering starts.
void openMicGain(Panel& panel);
// Any key but Up and Down while metering: mic-level metering stops.
void stopMicMetering(Panel& panel);
// K: the keyer-speed entry opens (the radio goes to CW) or closes with a word.
void toggleKeyerSpeedEntry(Panel& panel);
// Another key in the keyer-speed entry: it closes without a word and the mode comes back.
void closeKeyerSpeedEntry(Panel& panel);
// I: tone squelch off, or a tone code to be typed.
void toggleToneSquelch(Panel& panel);
// Enter after a typed tone code: the code is checked and applied.
void checkToneCode(Panel& panel);
// N: the menu number entry opens.
void openMenuEntry(Panel& panel);
// Enter after the menu number.
void finishMenuNumber(Panel& panel);
// Enter after the menu value: the menu is written, or read and spoken when no value was typed.
void readOrWriteMenu(Panel& panel);
// X then M: narrow FM and FM swap.
void toggleFmWidth(Panel& panel);
// F: the frequency, mode and tone, or the repeater's frequencies, spoken.
void sayFrequencyReadout(Panel& panel);
// The two VFOs of the current band's entry exchange places on the radio ("SV"). No key
// reaches it: S in the extended layer reads the S-meter for the antenna comparison.
void swapVfos(Panel& panel);

// J: the digital-mode entry opens on the newest CQ of WSJT-X's last period and speaks it (the
// call, the grid or "no grid", the signal); "nocq" when there is none, and the newest call to
// the operator is taken instead when there is one.
void openDigitalEntry(Panel& panel);
// Up and Down in the digital-mode entry: the next newer or older CQ or call to the operator
// of the last two periods, spoken; "listend" past either end.
void stepDigitalChoice(Panel& panel);
// Enter in the digital-mode entry: WSJT-X answers the selected decode ("reply" and the call)
// and the entry closes.
void answerDigitalChoice(Panel& panel);

// The digit in `keyCode`, typed into the open entry and spoken: the menu number, the menu
// value, the repeater offset, the tone code.
void typeMenuNumberDigit(Panel& panel);
void typeMenuValueDigit(Panel& panel);
void typeOffsetDigit(Panel& panel);
void typeToneDigit(Panel& panel);

}  // namespace vocapan
