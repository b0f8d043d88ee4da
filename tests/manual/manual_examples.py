#!/usr/bin/env python3
"""Runs every worked example of the manual through quorvix-cli and compares
what it prints with what the manual shows, so the manual cannot drift from
the program.

    manual_examples.py CLI MANUAL_DIR            check every example
    manual_examples.py CLI MANUAL_DIR --update   write each example's output
                                                 from a real run (then review
                                                 the diff before committing)

An example is marked in the HTML as

    <pre class="example" data-args="a=$'4 1\\n2 3' 'Det(A)'">PANEL TEXT</pre>

data-args holds quorvix-cli's words in bash quoting; the element's text is
the result panel as quorvix-cli prints it (standard output, exactly). Optional
attributes: data-error, the first line of standard error when the run stops
at an error (exit status 1); data-notice, the first line of standard error
when a message box that is not an error appears. Without them standard error
must stay empty. Each example runs in a fresh empty folder, with the C locale.

What the reader is told to type must be what the example runs:
  <pre class="typed" data-for="a">TEXT</pre> (or <code class=...>; a, b, x or precision) the run
      sets that input to TEXT (a=TEXT, -a is not used; x=TEXT or -x TEXT;
      precision=TEXT or -p TEXT);
  <code class="cli">quorvix-cli ARGS</code>  ARGS are the words the example runs.
Both refer to the example that follows them in the same <div class="example">.
"""
import html
import os
import re
import subprocess
import sys
import tempfile

# Every operation group has a worked example: each of these step words (or its
# B twin) is run by at least one example.
OPERATIONS = [
    "A", "A+B", "A-B", "A&B", "A|B", "A#B", "A*B", "A.*B", "A./B", "A/B", "A'",
    "inv(A)", "A*x", "A^x", "B^x", "Max(A)", "Min(A)", "Norm(A)", "Dim(A)", "Trace(A)",
    "Det(A)", "Rank(A)", "LU(A)", "QR(A)", "Chol(A)", "Eig(A)", "Svd(A)", "Auto",
    "A\\B", "PLU(A)", "Eigvec(A)", "Sv(A)", "Pinv(A)", "Cond(A)", "Null(A)", "Rref(A)", "Expm(A)", "A^H",
]


def blas_kernels():
    """The environment that has OpenBLAS use its AVX2 kernels, with which the
    examples' residuals and conditions were written (its AVX-512 ones round
    differently at the last bits)."""
    if "OPENBLAS_CORETYPE" in os.environ:
        return {}
    try:
        with open("/proc/cpuinfo", encoding="utf-8", errors="replace") as info:
            if re.search(r"\bavx2\b", info.read()):
                return {"OPENBLAS_CORETYPE": "Haswell"}
    except OSError:
        pass
    return {}


BLAS_KERNELS = blas_kernels()

EXAMPLE_DIV = re.compile(r'<div class="example">(.*?)</div>', re.S)
EXAMPLE = re.compile(r'(<pre class="example"((?:\s+[\w-]+="[^"]*")*)>)(.*?)(</pre>)', re.S)
TYPED = re.compile(r'<(pre|code) class="typed" data-for="(\w+)">(.*?)</\1>', re.S)
CLI_LINE = re.compile(r'<code class="cli">(.*?)</code>', re.S)
ATTRIBUTE = re.compile(r'([\w-]+)="([^"]*)"')


def words(args):
    """The words bash makes of ARGS."""
    done = subprocess.run(["bash", "-c", 'eval "set -- $1"; printf "%s\\0" "$@"', "_", args],
                          capture_output=True, check=True)
    return [w.decode() for w in done.stdout.split(b"\0")[:-1]]


def run(cli, args):
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, LC_ALL="C")
        env.update(BLAS_KERNELS)
        done = subprocess.run(["bash", "-c", 'cli=$1; eval "set -- $2"; exec "$cli" "$@"', "_", cli, args],
                              cwd=folder, env=env, stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    return done.stdout.decode(), done.stderr.decode(), done.returncode


def sets_input(argv, which, text):
    """Whether the words set input `which` to `text`."""
    flags = {"x": "-x", "precision": "-p"}
    for i, word in enumerate(argv):
        if word == which + "=" + text:
            return True
        if which in flags and word == flags[which] and i + 1 < len(argv) and argv[i + 1] == text:
            return True
    return False


def check_page(cli, path, steps_run):
    failures = []
    source = open(path, encoding="utf-8").read()
    name = os.path.basename(path)
    found = EXAMPLE.findall(source)
    if len(found) != source.count('class="example"') - source.count('<div class="example">'):
        failures.append(f"{name}: an example is not marked as <pre class=\"example\" data-args=...>")
    for block in EXAMPLE_DIV.findall(source):
        examples = EXAMPLE.findall(block)
        if len(examples) != 1:
            failures.append(f"{name}: a <div class=\"example\"> holds {len(examples)} examples, not one")
            continue
        args = html.unescape(dict(ATTRIBUTE.findall(examples[0][1])).get("data-args", ""))
        argv = words(args)
        for _, which, text in TYPED.findall(block):
            text = html.unescape(text).rstrip("\n")
            if not sets_input(argv, which, text):
                failures.append(f"{name}: the typed {which} {text!r} is not what `{args}` sets")
        for line in CLI_LINE.findall(block):
            if html.unescape(line).strip() != "quorvix-cli " + args:
                failures.append(f"{name}: the command line {html.unescape(line)!r} is not `quorvix-cli {args}`")
    for _, attributes, text, _ in found:
        attrs = {k: html.unescape(v) for k, v in ATTRIBUTE.findall(attributes)}
        args = attrs.get("data-args")
        if not args:
            failures.append(f"{name}: an example without data-args")
            continue
        steps_run.update(words(args))
        out, err, status = run(cli, args)
        expected = html.unescape(text)
        if out != expected:
            failures.append(f"{name}: `quorvix-cli {args}` printed\n{out}\ninstead of\n{expected}")
        first_err = err.split("\n")[0]
        if "data-error" in attrs:
            if first_err != attrs["data-error"] or status != 1:
                failures.append(f"{name}: `{args}` ended with status {status} and {err!r}, expected the error "
                                f"{attrs['data-error']!r}")
        elif "data-notice" in attrs:
            if first_err != attrs["data-notice"] or status not in (0, 3):
                failures.append(f"{name}: `{args}` ended with status {status} and {err!r}, expected the notice "
                                f"{attrs['data-notice']!r}")
        elif err or status not in (0, 3):  # 3: a step was refused, which the panel shows
            failures.append(f"{name}: `{args}` ended with status {status} and standard error {err!r}")
    return failures, len(found)


def update_page(cli, path):
    source = open(path, encoding="utf-8").read()

    def fill(match):
        attrs = {k: html.unescape(v) for k, v in ATTRIBUTE.findall(match.group(2))}
        out, err, status = run(cli, attrs["data-args"])
        if err or status:
            print(f"{os.path.basename(path)}: {attrs['data-args']}: status {status}, standard error {err!r}")
        return match.group(1) + html.escape(out, quote=False) + match.group(4)

    open(path, "w", encoding="utf-8").write(EXAMPLE.sub(fill, source))


def main():
    if len(sys.argv) not in (3, 4) or (len(sys.argv) == 4 and sys.argv[3] != "--update"):
        sys.exit(__doc__)
    cli, folder = os.path.abspath(sys.argv[1]), sys.argv[2]
    pages = sorted(os.path.join(folder, f) for f in os.listdir(folder) if f.endswith(".html"))
    if len(sys.argv) == 4:
        for page in pages:
            update_page(cli, page)
        return
    failures, count, steps_run = [], 0, set()
    for page in pages:
        page_failures, page_count = check_page(cli, page, steps_run)
        failures += page_failures
        count += page_count
    for op in OPERATIONS:
        twin = op.replace("A", "\0").replace("B", "A").replace("\0", "B")
        if op not in steps_run and twin not in steps_run:
            failures.append(f"no example runs {op} (or {twin})")
    for failure in failures:
        print("FAIL " + failure)
    print(f"{count} examples in {len(pages)} pages, {len(failures)} failures")
    sys.exit(1 if failures or count == 0 else 0)


if __name__ == "__main__":
    main()
