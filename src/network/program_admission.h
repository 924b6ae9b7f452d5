// Who may use the network port, and what the operator hears of it. With every interface
// open, programs on this computer and on the computers of the allow line are served and any
// other is closed before a byte of it is read; a program from another computer is said as it
// comes and goes, and the first refusal of each address is said and written to the console.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

enum class Admission { Refused, ThisComputer, OtherComputer };

// Every interface is opened only when the configuration asks for it and its allow line, if
// there is one, lists addresses.
bool servesOtherComputers(const PanelState& state);

// Said once at start: an allow line that lists no addresses, which keeps the port on this
// computer alone.
void sayAllowLineFault(Panel& panel);
// Said once at start when the port listens: a port open to every computer, for want of an
// allow line.
void sayOpenToEveryComputer(Panel& panel);

// Whether a program connecting from `peer` is served; its refusal is said when it is the
// first of that address.
Admission admit(Panel& panel, const std::string& peer);

// "program connected" and "program gone" for a program of another computer.
void announceArrival(Panel& panel, const NetClient& client);
void announceDeparture(Panel& panel, const NetClient& client);

}  // namespace vocapan
