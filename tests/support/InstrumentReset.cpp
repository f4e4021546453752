#include "tests/support/InstrumentReset.h"

#include "app/shell/InstrumentController.h"
#include "app/shell/OpeningState.h"

void resetInstrument() {
    setOpeningState(instrument(), testSpreadSeed);
}
