#!/usr/bin/env bash
# Times quorvix-cli end to end on typed n x n matrices:
#   bench/cli_end_to_end.sh [build-dir] [step ...]     (default step: A+B)
# For each n in $SIZES (default "100 500 1000") and each kind (real, complex)
# it writes A and B as text and reports the best wall time of $REPEAT runs.
set -euo pipefail
build=${1:-build}; shift || true
steps=("$@"); [ ${#steps[@]} -eq 0 ] && steps=(A+B)
cli="$build/quorvix-cli"
sizes=${SIZES:-"100 500 1000"}
repeat=${REPEAT:-3}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
gen() {  # n complex seed
  awk -v n="$1" -v c="$2" -v seed="$3" 'BEGIN { srand(seed);
    for (i = 0; i < n; i++) { line = "";
      for (j = 0; j < n; j++) { v = sprintf("%.2f", rand() * 200 - 100);
        if (c) { w = rand() * 200 - 100; v = v sprintf("%s%.2fi", (w < 0 ? "-" : "+"), (w < 0 ? -w : w)); }
        line = line v " " }
      print line } }'
}
# Reports the best wall time and the CPU time (user + system) of that run;
# the CPU time is the steadier figure on a busy machine.
printf '%-10s %-8s %6s %10s %10s\n' step kind n wall cpu
for n in $sizes; do
  for kind in real complex; do
    c=0; [ $kind = complex ] && c=1
    gen "$n" $c 1 >"$work/a"; gen "$n" $c 2 >"$work/b"
    for step in "${steps[@]}"; do
      best=""; best_cpu=""
      for _ in $(seq "$repeat"); do
        TIMEFORMAT='%R %U %S'
        t=$( { time "$cli" -a "$work/a" -b "$work/b" -x 10 "$step" >/dev/null 2>&1; } 2>&1 ) || true
        read -r wall user sys <<<"$t"
        cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')
        if [ -z "$best" ] || awk -v t="$wall" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$wall; best_cpu=$cpu; fi
      done
      printf '%-10s %-8s %6s %10s %10s\n' "$step" $kind "$n" "$best" "$best_cpu"
    done
  done
done
