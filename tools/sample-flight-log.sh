#!/usr/bin/env bash
# Writes a made-up 30-minute flight in the avionics export layout (start,
# climb, cruise leaned per cylinder, descent), one row a second, with the
# ammeter column left empty, for trying --replay and for the README's picture.
#   tools/sample-flight-log.sh > flight.csv
set -euo pipefail
awk 'BEGIN {
  print "#airframe_info, log_version=\"1.00\", airframe_name=\"Sample Six\", system_id=\"SAMPLE\""
  long = "  Lcl Date,   Lcl Time,   UTCOfst,   RPM,   Manifold Press (inch Hg),   Oil Temp (deg F),   Oil Press (PSI),   Fuel Press (PSI),   Fuel Flow (gal/hour),   Volts 1,   Amps,   Outside Air Temp (deg C)"
  short = "  Lcl Date,   Lcl Time,   UTCOfst,   E1 RPM,   E1 MAP,   E1 OilT,   E1 OilP,   E1 FPres,   E1 FFlow,   volt1,   amp1,   OAT"
  for (c = 1; c <= 6; ++c) { long = long ",   CHT" c " (deg F)"; short = short ",   E1 CHT" c }
  for (c = 1; c <= 6; ++c) { long = long ",   EGT" c " (deg F)"; short = short ",   E1 EGT" c }
  print long ",   Fuel Qty Main (gal),   Fuel Qty Aux (gal)"
  print short ",   FQtyM,   FQtyA"
  split("0 14 -9 22 -4 8", chtSpread, " "); split("0 -22 31 -12 18 -6", egtSpread, " ")
  fuel = 40
  for (t = 0; t < 1800; ++t) {
    if (t < 120)       { phase = t / 120; rpm = 1000 + 200 * phase; map = 14 }
    else if (t < 600)  { rpm = 2500; map = 27 - 2 * (t - 120) / 480 }
    else if (t < 1500) { rpm = 2350; map = 22.5 }
    else               { rpm = 2000; map = 17 }
    warm = t < 600 ? t / 600 : 1
    flow = (t < 120 ? 4 : t < 600 ? 19 : t < 1500 ? 12.5 : 8)
    egt = (t < 120 ? 1150 : t < 600 ? 1280 : t < 1500 ? 1420 : 1250)
    cht = 180 + 200 * warm - (t >= 1500 ? 40 * (t - 1500) / 300 : 0)
    fuel -= flow / 3600
    printf "2026-11-21, %02d:%02d:%02d, +00:00, %7.1f, %5.1f, %5.1f, %4.1f, %4.1f, %5.1f, %4.1f, , %4.1f",
           10 + int(t / 3600), int(t / 60) % 60, t % 60, rpm + 7 * sin(t / 13), map,
           110 + 80 * warm, 78 - 8 * warm, 14.5, flow, 14.1, 15 - 6 * (t < 600 ? t / 600 : 1)
    for (c = 1; c <= 6; ++c) printf ", %5.0f", cht + chtSpread[c]
    for (c = 1; c <= 6; ++c) printf ", %5.0f", egt + egtSpread[c] + 4 * sin(t / 7 + c)
    printf ", %5.2f, %5.2f\n", fuel / 2 + 5, fuel / 2 - 5
  }
}'
