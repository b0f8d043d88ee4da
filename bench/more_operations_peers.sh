#!/usr/bin/env bash
# Times quorvix-cli against numpy and Octave, end to end, on the operations
# beyond the 43 (A\B, PLU, Eigvec, Sv, Pinv, Expm), real and complex:
#   bench/more_operations_peers.sh BUILD-DIR PEERS-DIR [OUT-DIR]
# PEERS-DIR holds run_peers.sh (the peer timing scripts); the report lands in
# OUT-DIR/RESULTS.md (default peer-results-more). SIZES and RUNS override
# "100,300,500" and 3. The ratio of each cell is the faster peer's median
# over quorvix-cli's.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
peers=${2:?folder of run_peers.sh}
out=${3:-peer-results-more}
"$peers/run_peers.sh" --sizes "${SIZES:-100,300,500}" --runs "${RUNS:-3}" --repeat 1 \
  --ops solve,plu,eigvec,sv,pinv,expm --peers numpy,octave --out "$out" \
  --tool "quorvix=$build/quorvix-cli -a {A} -b {B} -x 10 {expr}"
python3 - "$out/results.csv" <<'PY'
import csv, sys
cells = {}
for r in csv.DictReader(open(sys.argv[1])):
    if r["wall_median_s"]:
        cells.setdefault((r["variant"], r["op"], int(r["n"])), {})[r["contestant"]] = float(r["wall_median_s"])
print("| variant | op | n | best peer / quorvix-cli |")
print("|---|---|---:|---:|")
for (variant, op, n), c in sorted(cells.items()):
    peers = [v for k, v in c.items() if k != "quorvix"]
    if "quorvix" in c and peers:
        print("| %s | %s | %d | %.2f |" % (variant, op, n, min(peers) / c["quorvix"]))
PY
