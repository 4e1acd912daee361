#!/usr/bin/env bash
# Read, save and memory of vornc on the generated maps of 60,000, 250,000 and 1,000,000 boxes,
# against the floor (the shared floor.c: read the file and convert every number with strtod),
# measured side by side: each run times the floor and then vornc, and the ratios are of the
# medians of the same runs. Then the read speed per face of the Valve 220 maps of the shared corpus
# beside the standard ones.
#   bench/floor_ratio.sh [BUILD_DIR] [RUNS] [SIZES]  (a Release build: cmake -DCMAKE_BUILD_TYPE=Release;
#                                                     SIZES defaults to "60000 250000 1000000")
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
runs=${2:-7}
sizes=${3:-60000 250000 1000000}
vornc="$build/tools/vornc/vornc"
tools=../shared/tools
corpus=../shared/corpus/maps
[ -x "$vornc" ] || { echo "no $vornc: build vornc in $build first" >&2; exit 1; }
[ -f "$tools/floor.c" ] || { echo "no $tools/floor.c" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gcc -O2 -o "$work/floor" "$tools/floor.c"
milliseconds() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
field() { sed -n "s/^$1: \([0-9.]*\).*/\1/p"; }
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
ratio() { awk "BEGIN {printf \"%.2f\", $1 / $2}"; }

for boxes in $sizes; do
  python3 "$tools/genmap.py" "$boxes" "$work/big.map"
  : > "$work/floor.txt"; : > "$work/read.txt"; : > "$work/save.txt"; : > "$work/peak.txt"
  for _ in $(seq "$runs"); do
    start=$(date +%s%N); "$work/floor" "$work/big.map" > /dev/null; milliseconds "$start" >> "$work/floor.txt"
    stats=$("$vornc" stats "$work/big.map" 2> /dev/null)
    echo "$stats" | field "read time" >> "$work/read.txt"
    echo "$stats" | field "peak memory" >> "$work/peak.txt"
    "$vornc" resave "$work/big.map" "$work/out.map" 2> /dev/null | field "save time" >> "$work/save.txt"
    rm -f "$work/out.map"
  done
  floor=$(median < "$work/floor.txt"); read=$(median < "$work/read.txt")
  save=$(median < "$work/save.txt"); peak=$(median < "$work/peak.txt")
  echo "$boxes boxes, median of $runs runs (load average $(cut -d' ' -f1 /proc/loadavg)):"
  echo "  floor $floor ms; read + build $read ms ($(ratio "$read" "$floor") x floor);" \
       "save $save ms ($(ratio "$save" "$floor") x floor); peak memory $peak MB" \
       "($(awk "BEGIN {printf \"%.2f\", $peak * 1024 / $boxes}") KB per box)"
done

# Read time per thousand faces, each map read $runs times (median).
perFace() {
  local map=$1 times=()
  for _ in $(seq "$runs"); do times+=("$("$vornc" stats "$map" 2> /dev/null | field "read time")"); done
  local faces; faces=$("$vornc" stats "$map" 2> /dev/null | field faces)
  local ms; ms=$(printf '%s\n' "${times[@]}" | median)
  echo "  $(basename "$map"): $faces faces, $ms ms, $(awk "BEGIN {printf \"%.3f\", 1000 * $ms / $faces}") ms per 1000 faces"
}
if [ -d "$corpus/valve220" ]; then
  echo "read speed per face (median of $runs reads):"
  for map in "$corpus"/e3m5.map "$corpus"/e1m1.map "$corpus"/valve220/lq_e1m1.map "$corpus"/valve220/lqdm3.map; do
    [ -f "$map" ] && perFace "$map"
  done
fi
