// Start-up query of the radio: its identity, tuning from the band table, and reading back
// the settings the panel keeps a copy of.
#pragma once

#include "core/panel.h"

namespace vocapan {

enum class RadioQueryResult { Ready, Refused };

// Refused: the radio on the port is not the expected model (or did not answer); the
// operator has heard why and the program has been shut down as far as it goes here.
RadioQueryResult queryRadioState(Panel& panel);
// The same for a radio that answers again after it was lost: Refused leaves the program
// running and says nothing.
RadioQueryResult queryRadioAgain(Panel& panel);

}  // namespace vocapan
