// Not built yet: each of these keys does nothing audible and sends nothing until its operation lands.
#include "panel/entry_modes.h"

namespace vocapan {

void toggleExtendedMode(Panel&) {}
void switchAntenna(Panel&) {}
void stepAgc(Panel&) {}
void openOffsetEntry(Panel&) {}
void setOffsetSign(Panel&) {}
bool announceStandardOffset(Panel&) { return false; }
bool checkAndStoreOffset(Panel&) { return false; }
void stepSubAfGain(Panel&) {}
void stepSubRfGain(Panel&) {}
void openMicGain(Panel&) {}
void stopMicMetering(Panel&) {}
void toggleKeyerSpeedEntry(Panel&) {}
void closeKeyerSpeedEntry(Panel&) {}
void toggleToneSquelch(Panel&) {}
void checkToneCode(Panel&) {}
void openMenuEntry(Panel&) {}
void finishMenuNumber(Panel&) {}
void readOrWriteMenu(Panel&) {}
void toggleFmWidth(Panel&) {}
void sayFrequencyReadout(Panel&) {}
void swapVfos(Panel&) {}
void typeMenuNumberDigit(Panel&) {}
void typeMenuValueDigit(Panel&) {}
void typeOffsetDigit(Panel&) {}
void typeToneDigit(Panel&) {}

}  // namespace vocapan
