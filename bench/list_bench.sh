#!/bin/sh
# Times tavik-cli list on generated patient files against cat of the same files:
#   bench/list_bench.sh [COUNT] [BUILD]
# COUNT patient files (10,000 unless told) are made by tavik_make_patients in ten
# folders of a scratch folder; BUILD is a Release build folder (build-release unless
# told), configured and built here when it lacks the programs. Warm: the median of
# seven runs after one that is not counted. Cold: the page cache is dropped before
# each of three runs, where this user may do that (root); otherwise it says so.
set -eu
count=${1:-10000}
build=${2:-build-release}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -x "$build/tavik-cli" ] || [ ! -x "$build/bench/tavik_make_patients" ]; then
  cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVIK_BUILD_TESTS=OFF >/dev/null
  ninja -C "$build" tavik-cli tavik_make_patients >/dev/null
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$build/bench/tavik_make_patients" "$scratch/in" "$count"

seconds() {
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
cat_all() { find "$scratch/in" -iname '*.tav' -print0 | xargs -0 cat; }
list() { "$build/tavik-cli" list "$scratch/in"; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
drop() { sync && echo 3 >/proc/sys/vm/drop_caches; }

cat_all >/dev/null; list >/dev/null # warms the caches; not counted
warm_cat=$(for i in 1 2 3 4 5 6 7; do seconds cat_all; done | median)
warm_list=$(for i in 1 2 3 4 5 6 7; do seconds list; done | median)
printf 'files %d, load average %s\n' "$count" "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'warm: cat %.3f s, tavik-cli list %.3f s, %.2f x cat\n' "$warm_cat" "$warm_list" \
  "$(echo "$warm_list / $warm_cat" | bc -l)"
if drop 2>/dev/null; then
  cold_cat=$(for i in 1 2 3; do drop; seconds cat_all; done | median)
  cold_list=$(for i in 1 2 3; do drop; seconds list; done | median)
  printf 'cold: cat %.3f s, tavik-cli list %.3f s, %.2f x cat\n' "$cold_cat" "$cold_list" \
    "$(echo "$cold_list / $cold_cat" | bc -l)"
else
  echo 'cold: not measured (dropping the page cache needs root)'
fi
