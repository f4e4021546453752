# shellcheck shell=bash
# The scenarios the running program is measured in, read by measure-program.sh,
# count-instructions.sh and measure-cpu.sh (sourced, not run). One a line:
#   name|client area (WxH, or "opening")|program options|keys, xdotool's names
# The keys are pressed once the first frame shows; @LOG@ in the options
# stands for the replay fixture that write_replay_fixture writes. Every
# option and key here is one the program has had since the baseline of the
# comparisons, so that each build meets the same scenario.
#   running: the engine running, throttle half in (five tenths of its travel)
#   replay-paused: a logged climb replayed and paused on its first rows
#   demo: Demo Mode, every gauge moving, the sound silent
scenario_table='
running|opening||Prior Prior Prior Prior Prior
running-1080|1920x1080||Prior Prior Prior Prior Prior
replay-paused|opening|--replay @LOG@|space
demo|opening||d
'

scenario_names() {
  echo "$scenario_table" | awk -F'|' 'NF { print $1 }'
}

# scenario_field NAME N: field N (2 client area, 3 options, 4 keys) of NAME.
scenario_field() {
  local row
  row=$(echo "$scenario_table" | awk -F'|' -v n="$1" '$1 == n')
  [ -n "$row" ] || { echo "no scenario named $1 (there are: $(scenario_names | xargs))" >&2; return 1; }
  echo "$row" | cut -d'|' -f"$2"
}

# scenario_options NAME LOG: the program options of NAME, @LOG@ replaced.
scenario_options() {
  local options
  options=$(scenario_field "$1" 3) || return 1
  echo "${options//@LOG@/$2}"
}

# A ten-minute climb at one row a second with every value the screen shows,
# so that the paused frame has every gauge, bar and readout drawn.
write_replay_fixture() {
  awk 'BEGIN {
    printf "Elapsed (s),RPM,Manifold Press (inch Hg),Oil Temp (deg F),Oil Press (PSI),"
    printf "Fuel Press (PSI),Fuel Flow (gal/hour),Volts 1,Amps,Outside Air Temp (deg C),"
    for (c = 1; c <= 6; c++) printf "CHT%d (deg F),", c
    for (c = 1; c <= 6; c++) printf "EGT%d (deg F),", c
    printf "Fuel Qty Main (gal),Fuel Qty Aux (gal),Percent Power (%%)\n"
    for (t = 0; t <= 600; t++) {
      printf "%d,%d,%.1f,%.0f,%.1f,%.1f,%.1f,14.1,12.5,%.1f,", t, 2400 + t % 7, 27.0 - t / 200,
             180 + t / 20, 62 - t / 100, 15.5, 14.2 - t / 300, 15 - t / 150
      for (c = 1; c <= 6; c++) printf "%.0f,", 330 + 4 * c + t / 40
      for (c = 1; c <= 6; c++) printf "%.0f,", 1280 + 9 * c + t / 10
      printf "%.2f,%.2f,%.0f\n", 40 - t * 14.2 / 3600, 20, 75 - t / 100
    }
  }' >"$1"
}
