#pragma once

#include "aircraft/AircraftProfile.h"
#include "review/FlightReview.h"

#include <optional>
#include <string>
#include <vector>

// The words and numbers a flight review prints, in the profile's display
// units; a figure the log cannot give reads "no data".

inline constexpr std::string_view noData = "no data";

// "1:05:09" style clocks of a review: "hh:mm:ss", and "hh:mm" for the time axis.
std::string clockText(double seconds);
std::string hourMinuteText(double seconds);

// When `time` (seconds from the first row) was: the time of day where the
// log has a date, else the time from its first row.
double clockAt(const FlightReview& review, double time);

// "2024-05-01 13:30 UTC", or "no date in the log".
std::string startText(const FlightReview& review);

// The header's lines of figures, each a line of text.
std::vector<std::string> headerLines(const FlightReview& review, const AircraftProfile& profile);

// One cylinder's row of the header's table (0..5), in display units: its
// highest EGT and CHT with when ("1432 °F at 10:42:10"), and, where the log
// has a lean sweep, its peak in the first ("1452 °F at 11.3 gal/h").
struct CylinderLine {
    int cylinder = 0;
    std::vector<std::string> cells;
};
std::vector<std::string> cylinderHeads(const FlightReview& review);
std::vector<CylinderLine> cylinderLines(const FlightReview& review, const AircraftProfile& profile);

// The lean sweeps, a line each for the first two: when, the fuel flow from
// and to, how many cylinders peaked, which first, and the flow spread.
std::vector<std::string> sweepLines(const FlightReview& review, const AircraftProfile& profile);

// The cylinders a review shows: those of the profile that the log has.
int shownCylinders(const FlightReview& review, const AircraftProfile& profile);

// The log has a column for the line: its quantity's, or for cylinder 1 a
// single probe's.
bool logHas(const FlightReview& review, const SeriesRow& series);

// A line whose probe has failed: drawn it would only squash the others'
// scale, so the legend names it failed instead.
bool failedProbe(const FlightReview& review, const SeriesRow& series);

// UTF-8 text as the drawing layer takes it.
std::u16string utf16(std::string_view utf8);
