#!/usr/bin/env python3
"""The exchange formats read and written by the programs they are for.

    exchange_programs.py QUORVIX_CLI

Random matrices (real and complex, parts of every magnitude the editors
keep, and signed zeros) go into quorvix-cli as numpy writes them, and come
out through --export in each format; each text is then read by its program
and compared with the original doubles bit for bit:

  tsv, csv   numpy.loadtxt
  numpy      Python's eval of the text (numpy.array)
  mm         scipy.io.mmread
  octave     Octave's eval, the doubles printed with num2hex

and the other way, files written by numpy.savetxt, scipy.io.mmwrite and
Octave's mat2str are imported and compared through --export json. Every
format is also read back by quorvix-cli's own import. A program that is not
installed is left out (and said so); when none is, the test reports itself
skipped (exit status 77) after the checks of the own reader.

The seed is printed; QUORVIX_SEED=N replays a run.
"""
import json
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile


def reexec_with_numpy():
    """Python without numpy (a private interpreter on PATH): the system's may have it."""
    try:
        import numpy  # noqa: F401
        return
    except ImportError:
        pass
    for candidate in ("/usr/bin/python3", "/usr/local/bin/python3"):
        if os.path.realpath(candidate) == os.path.realpath(sys.executable) or not os.path.exists(candidate):
            continue
        if subprocess.run([candidate, "-c", "import numpy"], capture_output=True).returncode == 0:
            os.execv(candidate, [candidate] + sys.argv)


reexec_with_numpy()

try:
    import numpy as np
except ImportError:
    np = None
try:
    import scipy.io
except ImportError:
    scipy = None

SKIPPED = 77
FAILURES = []
CHECKED = []
LEFT_OUT = []


def bits(x):
    return struct.unpack("<Q", struct.pack("<d", x))[0]


def same(a, b):
    """Two matrices of Python numbers (float or complex) with the same bits."""
    if len(a) != len(b) or any(len(r) != len(s) for r, s in zip(a, b)):
        return False
    for r, s in zip(a, b):
        for x, y in zip(r, s):
            x, y = complex(x), complex(y)
            if bits(x.real) != bits(y.real) or bits(x.imag) != bits(y.imag):
                return False
    return True


def random_part(rng):
    """A part the editors keep as it is: 0, or a magnitude above 1e-12."""
    kind = rng.randrange(6)
    if kind == 0:
        return 0.0
    if kind == 1:
        return rng.choice([1.0, -1.0]) * rng.randrange(1, 1000) / 8
    if kind == 2:
        return rng.uniform(-1, 1)
    sign = rng.choice([1.0, -1.0])
    return sign * rng.uniform(1, 10) * 10.0 ** rng.randrange(-11, 300)


def random_matrix(rng, complex_):
    rows, cols = rng.randrange(1, 6), rng.randrange(1, 6)
    if complex_:
        return [[complex(random_part(rng), random_part(rng)) for _ in range(cols)] for _ in range(rows)]
    return [[random_part(rng) for _ in range(cols)] for _ in range(rows)]


def editor_value(m):
    """What the calculator keeps of a matrix read by the editors: complex
    parts, the zeros' signs dropped (the reading stores +0)."""
    return [[complex(x.real + 0.0, complex(x).imag + 0.0) for x in row] for row in m]


def csv_text(m, sep):
    def part(x):
        return repr(float(x))
    lines = []
    for row in m:
        cells = []
        for x in row:
            x = complex(x)
            cells.append(part(x.real) if x.imag == 0 else part(x.real) + ("+" if x.imag >= 0 else "") + part(x.imag) + "i")
        lines.append(sep.join(cells))
    return "\n".join(lines) + "\n"


class Cli:
    def __init__(self, path, folder):
        self.path, self.folder = path, folder

    def run(self, *words, stdin=None):
        done = subprocess.run([self.path, *words], cwd=self.folder, input=stdin, capture_output=True, text=True,
                              env=dict(os.environ, LC_ALL="C"), timeout=120)
        return done

    def value_of_import(self, name):
        """The matrix quorvix-cli makes of a file, as --export json gives it."""
        done = self.run("--export", "json", "import-a=" + name, "A")
        if done.returncode != 0:
            raise RuntimeError(f"import of {name}: {done.stderr.strip()}")
        return json_rows(json.loads(done.stdout))

    def export(self, source_name, fmt):
        done = self.run("--export", fmt, "import-a=" + source_name, "A")
        if done.returncode != 0:
            raise RuntimeError(f"--export {fmt}: {done.stderr.strip()}")
        return done.stdout


def json_rows(value):
    return [[complex(x[0], x[1]) if isinstance(x, list) else float(x) for x in row] for row in value["rows"]]


def check(name, ok, detail=""):
    CHECKED.append(name)
    if not ok:
        FAILURES.append(f"{name}: {detail}")


def octave_hex(texts):
    """Each Octave text evaluated; the real and imaginary parts of `ans` (or
    its one variable) as hex words, per text."""
    script = []
    for k, text in enumerate(texts):
        script.append(text)
        script.append("v = ans;")
        script.append(f"printf('M{k} %d %d\\n', rows(v), columns(v));")
        script.append("printf('%s\\n', num2hex(real(v(:)))');")
        script.append("printf('%s\\n', num2hex(imag(v(:)))');")
    done = subprocess.run(["octave-cli", "--no-gui", "--quiet", "--norc", "--eval", "\n".join(script)],
                          capture_output=True, text=True, timeout=300)
    if done.returncode != 0:
        raise RuntimeError("octave: " + done.stderr.strip())
    return done.stdout


def unhex(text):
    return [struct.unpack(">d", bytes.fromhex(text[i:i + 16]))[0] for i in range(0, len(text), 16)]


def parse_octave_hex(out, count):
    """The matrices octave_hex printed, by their number."""
    blocks = {}
    lines = out.split("\n")
    for k, line in enumerate(lines):
        if not line.startswith("M"):
            continue
        index, rows, cols = (int(w) for w in line[1:].split())
        real, imag = unhex(lines[k + 1].strip()), unhex(lines[k + 2].strip())
        # Octave's (:) goes column by column.
        blocks[index] = [[complex(real[j * rows + i], imag[j * rows + i]) for j in range(cols)] for i in range(rows)]
    return [blocks.get(i) for i in range(count)]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    cli_path = os.path.abspath(sys.argv[1])
    seed = int(os.environ.get("QUORVIX_SEED") or 20260708)
    print(f"seed QUORVIX_SEED={seed}")
    rng = random.Random(seed)
    have_octave = shutil.which("octave-cli") is not None
    for program, present in (("numpy", np is not None), ("scipy", scipy is not None), ("octave", have_octave)):
        if not present:
            LEFT_OUT.append(program)

    with tempfile.TemporaryDirectory() as folder:
        cli = Cli(cli_path, folder)
        matrices = [random_matrix(rng, k % 2 == 1) for k in range(12)]
        octave_texts, octave_wanted = [], []
        for k, m in enumerate(matrices):
            source = f"m{k}.csv"
            with open(os.path.join(folder, source), "w") as f:
                f.write(csv_text(m, ","))
            wanted = editor_value(m)
            kind = "complex" if k % 2 else "real"
            # The calculator's own reading of what it was given.
            check(f"{kind} matrix {k} imported", same(cli.value_of_import(source), wanted))
            for fmt, ext in (("tsv", "tsv"), ("csv", "csv"), ("octave", "m"), ("numpy", "py"), ("mm", "mtx")):
                text = cli.export(source, fmt)
                name = f"e{k}.{ext}"
                with open(os.path.join(folder, name), "w") as f:
                    f.write(text)
                check(f"{fmt} of matrix {k} read back by quorvix-cli", same(cli.value_of_import(name), wanted), text)
                if fmt in ("tsv", "csv") and np is not None:
                    delimiter = "\t" if fmt == "tsv" else ","
                    converted = text.replace("i", "j")
                    got = np.loadtxt(converted.splitlines(), delimiter=delimiter, dtype=complex if k % 2 else float,
                                     ndmin=2)
                    check(f"numpy.loadtxt of the {fmt} of matrix {k}", same(got.tolist(), wanted), text)
                if fmt == "numpy" and np is not None:
                    scope = {}
                    exec(text, scope)
                    check(f"numpy's eval of matrix {k}", same(np.atleast_2d(scope["ans"]).tolist(), wanted), text)
                if fmt == "mm" and scipy is not None:
                    got = scipy.io.mmread(os.path.join(folder, name))
                    check(f"scipy.io.mmread of matrix {k}", same(np.asarray(got).tolist(), wanted), text)
                if fmt == "octave" and have_octave:
                    octave_texts.append(text)
                    octave_wanted.append((k, wanted, text))
            # The other way: files the programs write, imported.
            if np is not None:
                array = np.array(m, dtype=complex if k % 2 else float)
                name = f"n{k}.txt"
                if k % 2 == 0:
                    np.savetxt(os.path.join(folder, name), array, delimiter="\t", fmt="%r")
                    check(f"numpy.savetxt of matrix {k} imported", same(cli.value_of_import(name), wanted))
                name = f"n{k}.py"
                with open(os.path.join(folder, name), "w") as f, np.printoptions(floatmode="unique"):
                    f.write("import numpy as np\nx = np." + repr(array) + "\n")
                check(f"numpy's repr of matrix {k} imported", same(cli.value_of_import(name), wanted))
            if scipy is not None:
                name = f"s{k}.mtx"
                scipy.io.mmwrite(os.path.join(folder, name), np.array(m, dtype=complex if k % 2 else float),
                                 precision=17)
                check(f"scipy.io.mmwrite of matrix {k} imported", same(cli.value_of_import(name), wanted))
        if have_octave and octave_texts:
            got = parse_octave_hex(octave_hex(octave_texts), len(octave_texts))
            for (k, wanted, text), g in zip(octave_wanted, got):
                check(f"Octave's eval of matrix {k}", g is not None and same(g, wanted), text)
            # The other way: mat2str at 17 digits (a 1 x 1 matrix without its brackets).
            script = []
            for n, text in enumerate(octave_texts):
                script.append(text)
                script.append("s = mat2str(ans, 17); if s(1) != '[', s = ['[' s ']']; end")
                script.append(f"f = fopen('{os.path.join(folder, 'o%d.m' % n)}', 'w'); "
                              "fprintf(f, 'x = %s;\\n', s); fclose(f);")
            done = subprocess.run(["octave-cli", "--no-gui", "--quiet", "--norc", "--eval", "\n".join(script)],
                                  capture_output=True, text=True, timeout=300)
            check("Octave writes mat2str files", done.returncode == 0, done.stderr)
            for n, (k, wanted, _) in enumerate(octave_wanted):
                name = f"o{n}.m"
                check(f"Octave's mat2str of matrix {k} imported", same(cli.value_of_import(name), wanted),
                      open(os.path.join(folder, name)).read())

    for failure in FAILURES:
        print("FAIL " + failure)
    print(f"{len(CHECKED)} checks, {len(FAILURES)} failures" +
          (f"; not installed, left out: {', '.join(LEFT_OUT)}" if LEFT_OUT else ""))
    if FAILURES:
        return 1
    if len(LEFT_OUT) == 3:
        return SKIPPED
    return 0


if __name__ == "__main__":
    sys.exit(main())
