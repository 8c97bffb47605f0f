#!/bin/sh
# Times tavik-cli batch on generated patient files with one job and with two:
#   bench/batch_bench.sh [COUNT] [BUILD] [flat]
# COUNT patient files (1000 unless told) are made by tavik_make_patients in a scratch
# folder, in ten clinic folders, or all in one folder when "flat" is given; BUILD is
# a Release build folder (build-release unless told), configured and built here when
# it lacks the programs. Each run writes every curve kind for both
# ears into an empty output folder. Prints patient-ears per second, the speed-up of
# two jobs over one and what a clinic of 10,000 patients would take with two.
set -eu
count=${1:-1000}
build=${2:-build-release}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -x "$build/tavik-cli" ] || [ ! -x "$build/bench/tavik_make_patients" ]; then
  cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVIK_BUILD_TESTS=OFF >/dev/null
  ninja -C "$build" tavik-cli tavik_make_patients >/dev/null
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$build/bench/tavik_make_patients" "$scratch/in" "$count"
if [ "${3:-}" = flat ]; then
  find "$scratch/in" -mindepth 2 -type f -exec mv -t "$scratch/in" {} +
  find "$scratch/in" -mindepth 1 -type d -empty -delete
fi
ears=$((count * 2))

# Seconds of one run with the given number of jobs, the summary included.
run() {
  rm -rf "$scratch/out" "$scratch/s.csv"
  start=$(date +%s.%N)
  "$build/tavik-cli" batch "$scratch/in" -o "$scratch/out" --jobs "$1" --summary "$scratch/s.csv"
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

run 2 >/dev/null # warms the caches; not counted
one=$(run 1)
two=$(run 2)
printf 'patients %d, patient-ears %d, load average %s\n' "$count" "$ears" \
  "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'jobs 1: %.2f s, %.1f patient-ears/s\n' "$one" "$(echo "$ears / $one" | bc -l)"
printf 'jobs 2: %.2f s, %.1f patient-ears/s\n' "$two" "$(echo "$ears / $two" | bc -l)"
printf 'speed-up: %.2f x\n' "$(echo "$one / $two" | bc -l)"
printf '10,000 patients with 2 jobs: about %.0f s\n' "$(echo "$two * 10000 / $count" | bc -l)"
