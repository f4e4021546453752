#pragma once

#include "leanfind/LeanView.h"
#include "screen/DrawnFrom.h"

#include <optional>
#include <string>

// The words and numbers the EGT graph and the status bar show while the
// pilot leans, in place of their own.

// The big EGT readout: the boxed cylinder's distance from its peak, "+45"
// rising toward it, "-25" past it; dashes while its probe has no data.
std::u16string leanBigReadout(const LeanView& lean);
// A column's value row: the fuel flow at the cylinder's peak once it has
// peaked; none before (the column shows its EGT as always).
std::optional<std::u16string> leanColumnValue(const LeanView& lean, int cylinder);
bool peakedFirst(const LeanView& lean, int cylinder);
// The status bar: "LEAN", then "ROP" or "LOP", who peaked first and, once
// all have, the fuel-flow spread: "LOP  1ST 3  SPREAD 2.4"; "1 EGT" with a
// single probe.
std::u16string leanStatus(const LeanView& lean);
// What the EGT graph and the status bar read of it: only whether a search
// is on while none is.
void addLeanGraphInputs(DrawnFrom& inputs, const LeanView* lean);
void addLeanStatusInputs(DrawnFrom& inputs, const LeanView* lean);
