#include "tests/support/InstrumentReset.h"

#include "app/shell/OpeningState.h"

void resetInstrument() {
    setOpeningState(testSpreadSeed);
}
