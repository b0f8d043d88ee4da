#!/usr/bin/env bash
# Runs one golden case through quorvix-cli and compares what it prints.
#   run_case.sh CLI path/NAME.args
# NAME.args: the command line's words in bash quoting (one or more lines, joined).
# NAME.out: expected standard output. NAME.err, NAME.code: expected standard error
# and exit status (default: empty and 0). A file NAME.in, if present, is standard input.
# The words may name files in "$work", a scratch folder removed afterwards. A file
# NAME.interrupt holds a number of seconds: the case then gets SIGINT (Ctrl+C) that
# long after it started.
set -u
cli=$1; args_file=$2
# Residuals and conditions at the rounding level depend on the kernels
# OpenBLAS picks for the processor (its AVX-512 ones round differently from
# its AVX2 ones): the cases were written with the AVX2 set, which every
# x86-64 processor with AVX2 runs.
if [ -z "${OPENBLAS_CORETYPE:-}" ] && grep -qw avx2 /proc/cpuinfo 2>/dev/null; then
  export OPENBLAS_CORETYPE=Haswell
fi
base=${args_file%.args}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$(dirname "$args_file")" || exit 2
stdin=/dev/null; [ -f "$base.in" ] && stdin="$base.in"
eval "set -- $(cat "$args_file")"
if [ -f "$base.interrupt" ]; then
  LC_ALL=C "$cli" "$@" <"$stdin" >"$work/out" 2>"$work/err" &
  pid=$!
  sleep "$(cat "$base.interrupt")"
  kill -INT "$pid"
  wait "$pid"
else
  LC_ALL=C "$cli" "$@" <"$stdin" >"$work/out" 2>"$work/err"
fi
code=$?
want_code=0; [ -f "$base.code" ] && want_code=$(cat "$base.code")
fail=0
if ! diff -u "$base.out" "$work/out"; then echo "stdout differs"; fail=1; fi
if [ -f "$base.err" ]; then
  diff -u "$base.err" "$work/err" || { echo "stderr differs"; fail=1; }
elif [ -s "$work/err" ]; then
  echo "unexpected stderr:"; cat "$work/err"; fail=1
fi
[ "$code" = "$want_code" ] || { echo "exit status $code, expected $want_code"; fail=1; }
exit $fail
