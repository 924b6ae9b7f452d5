// PLACEHOLDER until the start-up query lands: every radio is taken as the expected one.
#include "link/radio_query.h"

namespace vocapan {

RadioQueryResult queryRadioState(Panel&) { return RadioQueryResult::Ready; }

}  // namespace vocapan
