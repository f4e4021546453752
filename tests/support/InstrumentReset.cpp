#include "tests/support/InstrumentReset.h"

#include "app/OpeningState.h"

void resetInstrument() {
    setOpeningState(testSpreadSeed);
}
