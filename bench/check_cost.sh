#!/usr/bin/env bash
# What the double-precision checks cost, end to end: each checked operation
# run by quorvix-cli on n x n matrices with and without --no-check.
#   bench/check_cost.sh [build-dir] [step ...]
# Default steps: every checked operation (A^x with x = 10, inv(A) and A/B on
# the same random matrices). For each n in $SIZES (default "100 300 500") and
# each kind in $KINDS (default "real complex"; QR, Eig and Svd are real only)
# it reports the best wall time of $REPEAT runs (default 3) of each, and the
# check's share: checked / unchecked - 1.
set -euo pipefail
build=${1:-build}; shift || true
steps=("$@")
[ ${#steps[@]} -eq 0 ] && steps=('A*B' 'A/B' 'A^x' 'inv(A)' 'Det(A)' 'Rank(A)' 'LU(A)' 'QR(A)' 'Chol(A)' 'Eig(A)' 'Svd(A)')
cli="$build/quorvix-cli"
sizes=${SIZES:-"100 300 500"}
kinds=${KINDS:-"real complex"}
repeat=${REPEAT:-3}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
# Uniform entries in [-1, 1] with two decimals; with `spd` the matrix gets
# n on its diagonal, so that LU and Chol (no pivoting) always factor it.
gen() {  # n complex seed spd
  awk -v n="$1" -v c="$2" -v seed="$3" -v spd="$4" 'BEGIN { srand(seed);
    for (i = 0; i < n; i++) for (j = 0; j < n; j++) { re[i, j] = rand() * 2 - 1; im[i, j] = rand() * 2 - 1 }
    for (i = 0; i < n; i++) { line = "";
      for (j = 0; j < n; j++) {
        r = re[i, j]; w = im[i, j];
        if (spd) { if (j < i) { r = re[j, i]; w = -im[j, i] } if (i == j) { r = n; w = 0 } }
        v = sprintf("%.2f", r);
        if (c && w != 0) v = v sprintf("%s%.2fi", (w < 0 ? "-" : "+"), (w < 0 ? -w : w));
        line = line v " " }
      print line } }'
}
best_time() {  # args...: the best wall time of $repeat runs
  local best="" t
  for _ in $(seq "$repeat"); do
    TIMEFORMAT='%R'
    t=$( { time "$@" >/dev/null 2>&1; } 2>&1 ) || true
    if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  echo "$best"
}
printf '| %-8s | %-7s | %4s | %9s | %9s | %6s |\n' step kind n checked unchecked share
printf '|---|---|---|---|---|---|\n'
for n in $sizes; do
  for kind in $kinds; do
    c=0; [ "$kind" = complex ] && c=1
    gen "$n" $c 1 0 >"$work/a"; gen "$n" $c 2 0 >"$work/b"; gen "$n" $c 3 1 >"$work/spd"
    for step in "${steps[@]}"; do
      case "$step" in QR*|Eig*|Svd*) [ $c = 1 ] && continue ;; esac
      a="$work/a"; case "$step" in LU*|Chol*) a="$work/spd" ;; esac
      on=$(best_time "$cli" -a "$a" -b "$work/b" -x 10 "$step")
      off=$(best_time "$cli" --no-check -a "$a" -b "$work/b" -x 10 "$step")
      share=$(awk -v on="$on" -v off="$off" 'BEGIN { printf "%+.0f %%", (off > 0 ? (on / off - 1) * 100 : 0) }')
      printf '| %-8s | %-7s | %4s | %8ss | %8ss | %6s |\n' "$step" "$kind" "$n" "$on" "$off" "$share"
    done
  done
done
