#include "screen/LeanReadouts.h"

#include "screen/Readouts.h"

std::u16string leanBigReadout(const LeanView& lean) {
    return lean.difference.empty() ? noDataReadout(fixed4_0) : lean.difference;
}

std::optional<std::u16string> leanColumnValue(const LeanView& lean, int cylinder) {
    if (lean.singleProbe || cylinder < 0 || std::size_t(cylinder) >= lean.peakFlow.size() ||
        !lean.peakFlow[std::size_t(cylinder)])
        return std::nullopt;
    return formatReadout(*lean.peakFlow[std::size_t(cylinder)], fixed3_1);
}

bool peakedFirst(const LeanView& lean, int cylinder) {
    return !lean.singleProbe && lean.firstToPeak == cylinder + 1;
}

std::u16string leanStatus(const LeanView& lean) {
    std::u16string text = lean.status;
    if (lean.singleProbe)
        text += u"  1 EGT";
    else if (lean.firstToPeak)
        text += u"  1ST " + formatReadout(*lean.firstToPeak, integer1);
    if (lean.flowSpread)
        text += u"  SPREAD " + formatReadout(*lean.flowSpread, fixed3_1);
    return text;
}

void addLeanGraphInputs(DrawnFrom& inputs, const LeanView* lean) {
    inputs << (lean != nullptr);
    if (!lean)
        return;
    inputs << std::u16string_view(lean->difference) << lean->firstToPeak.value_or(0)
           << lean->singleProbe;
    for (const std::optional<double>& flow : lean->peakFlow)
        inputs << float(flow.value_or(-1));
}

void addLeanStatusInputs(DrawnFrom& inputs, const LeanView* lean) {
    inputs << (lean != nullptr);
    if (lean)
        inputs << std::u16string_view(leanStatus(*lean));
}
