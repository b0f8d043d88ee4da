#!/usr/bin/env python3
"""The man page of quorvix-cli names the same options and steps as its --help.

    man_matches_help.py QUORVIX_CLI MAN_PAGE

From --help: an option is every flag ("-a", "--json") at the start of an
indented line of a block whose heading starts with "Options"; a step is every
word (shell quotes dropped) of the indented lines of a block whose heading ends
in "steps:" or "steps (...):". A block runs to the next empty line.

From the man page: the tag of each .TP item under ".SH OPTIONS" (its flags)
and under ".SH STEPS" (each comma-separated item's first word).

Exits 1 naming what one side lists and the other does not.
"""
import re
import subprocess
import sys


def help_lists(text):
    options, steps = set(), set()
    block = None
    for line in text.splitlines():
        if not line.strip():
            block = None
        elif not line[0].isspace():
            heading = line.rstrip()
            if heading.startswith("Options"):
                block = options
            elif re.search(r"steps( \(.*\))?:$", heading, re.IGNORECASE):
                block = steps
            else:
                block = None
        elif block is options and line.lstrip().startswith("-"):
            # "  -h, --help          show this help": the flags end at a run
            # of blanks.
            names = re.split(r"\s{2,}", line.strip())[0]
            options.update(item.split()[0] for item in names.split(", "))
        elif block is steps:
            steps.update(word.strip('"') for word in line.split())
    return options, steps


def roff_text(line):
    """The text a man page line shows: font macros and escapes resolved."""
    macro = re.match(r"\.(B|I|BR|RB|BI|IB|IR|RI)\s+(.*)", line)
    if macro:
        # .B and .I set their words in one font; the alternating macros (.BR,
        # .BI, ...) join their arguments without blanks.
        args = [quoted or plain for quoted, plain in re.findall(r'"([^"]*)"|(\S+)', macro.group(2))]
        line = (" " if len(macro.group(1)) == 1 else "").join(args)
    line = re.sub(r"\\f[BIRP]|\\f\(..|\\&|\\%", "", line)
    for escape, char in ((r"\-", "-"), (r"\(aq", "'"), (r"\(dq", '"'), (r"\e", "\\"), (r"\ ", " ")):
        line = line.replace(escape, char)
    return line


def man_lists(text):
    options, steps = set(), set()
    section = None
    tag_next = False
    for line in text.splitlines():
        if line.startswith(".SH"):
            name = line[3:].strip().strip('"')
            section = {"OPTIONS": options, "STEPS": steps}.get(name)
            tag_next = False
        elif line.startswith(".TP"):
            tag_next = section is not None
        elif tag_next:
            tag_next = False
            for item in roff_text(line).split(", "):
                words = item.split()
                if not words:
                    continue
                if section is options:
                    options.update(w for w in words if w.startswith("-"))
                else:
                    steps.add(words[0])
    return options, steps


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    cli, page = sys.argv[1], sys.argv[2]
    help_text = subprocess.run([cli, "--help"], check=True, capture_output=True, text=True).stdout
    with open(page, encoding="utf-8") as f:
        man_text = f.read()
    help_options, help_steps = help_lists(help_text)
    man_options, man_steps = man_lists(man_text)
    if not help_options or not help_steps:
        sys.exit("%s --help: no option or no step block found; this test reads blocks headed "
                 "\"Options...\" and \"...steps:\" (see %s)" % (cli, __file__))

    problems = []
    for kind, in_help, in_man, section in (("option", help_options, man_options, "OPTIONS"),
                                           ("step", help_steps, man_steps, "STEPS")):
        for word in sorted(in_help - in_man):
            problems.append("--help lists the %s %s, the man page does not: add a .TP item for it "
                            "under .SH %s of %s" % (kind, word, section, page))
        for word in sorted(in_man - in_help):
            problems.append("the man page lists the %s %s, --help does not: remove it from .SH %s "
                            "of %s, or add it to the usage text of quorvix-cli" % (kind, word, section, page))
    if problems:
        print("\n".join(problems))
        return 1
    print("%d options and %d steps agree" % (len(help_options), len(help_steps)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
