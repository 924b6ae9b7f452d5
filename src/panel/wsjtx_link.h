// The panel hears WSJT-X on its UDP server port (vocapan.cfg line 16): calls to the operator,
// the start and end of its transmissions, a QSO logged, and the program going away and coming
// back are spoken at once; its decodes are kept for the digital-mode entry; and the panel
// sends it requests (answer a decode, stop transmitting) at the address its datagrams come from.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Listens when line 16 asks for it; a wrong line 16 or a port that cannot be had is said
// once (a console line and a prompt) and leaves it off.
void openWsjtx(Panel& panel);
// Each tick: every datagram that has arrived is read without waiting and what matters is
// said; a program silent for 30 s has gone. Malformed datagrams are dropped without a word.
void serviceWsjtx(Panel& panel);
// Between the prompts of what the panel says: the datagrams that have arrived, read at once,
// so that the panel knows whether WSJT-X transmits; what they say is said after the phrase.
void readWsjtx(Panel& panel);
void closeWsjtx(Panel& panel);

// True while WSJT-X is there and transmitting or has its transmit enabled.
bool wsjtxMayTransmit(const PanelState& state);
// WSJT-X stops at once: its transmission is cut and its transmit disabled (Halt Tx). What it
// reports of the transmission it was in is not said: the operator has heard "tx off".
void haltWsjtx(Panel& panel);
// WSJT-X answers `decode` as if the operator had double-clicked it (Reply). False when no
// program is there to ask.
bool answerInWsjtx(Panel& panel, const wsjtx::Decode& decode);

}  // namespace vocapan
