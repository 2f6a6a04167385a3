# Shared by the benchmark scripts (sourced): medians, spreads and ratios of
# the timings the benchmark programs print, and the run's load.

median() { tr -d '\r' | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# "median [min–max]" of numbers on standard input.
spread() {
  tr -d '\r' | sort -g | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.2f [%.2f–%.2f]", m, v[1], v[NR] }'
}

# From lines "time RUN ... PLUGIN FLOOR" with the two timings in fields $1
# and $2 (awk field numbers): the table cells "plug-in | floor | ratio of
# medians | paired ratios", each timing as median [min–max].
timing_cells() {
  local lines=$1 plugin_field=$2 floor_field=$3
  local plugin floor
  plugin=$(echo "$lines" | awk -v f="$plugin_field" '{ print $f }' | median)
  floor=$(echo "$lines" | awk -v f="$floor_field" '{ print $f }' | median)
  echo "$(echo "$lines" | awk -v f="$plugin_field" '{ print $f }' | spread) | $(echo "$lines" | awk -v f="$floor_field" '{ print $f }' | spread) | $(ratio "$plugin" "$floor") | $(echo "$lines" | awk -v p="$plugin_field" -v f="$floor_field" '{ print $p / $f }' | spread)"
}

# The machine's load while measuring: the 1-minute load average and the
# number of cores, read at the start and at the end of a benchmark.
load_now() { awk '{ print $1 }' /proc/loadavg; }
