#!/usr/bin/env python3
"""The mutation check: does the test suite notice a small fault in the program?

  python3 scripts/mutants.py pick [--seed S] [--per-file N] [--sample NAME=COUNT:PATTERN,...]
      Picks N mutants in every C++ source of the program, the same ones for the same seed and
      sources, and writes them to tests/mutants.json; a sample is a fixed, seeded choice among
      the mutants of the files the patterns match, taken from each pattern in turn.
  python3 scripts/mutants.py run [--sample NAME] [--record] [--timeout S]
      Applies each mutant in place, rebuilds build/ incrementally (the page: scripts/web.sh),
      runs the suite's tests and puts the file back.  A mutant is KILLED when a test fails or
      runs out of time, SURVIVED when every test passes, STALE when its line is no longer in
      the file, NOT BUILT when the change does not compile and NOT REACHED when no target
      compiles the file; the last two stay out of the score, killed / (killed + survived).
      Fails below the sample's recorded threshold or with any stale mutant; --record stores
      the score just measured as the threshold.
  python3 scripts/mutants.py restore
      Puts back a file that a run killed outright (SIGKILL, power loss) left mutated; every run
      does this first.

The file is written back in a finally block (Ctrl-C, SIGTERM and SIGHUP included) and its hash
checked against the original's; until then its original bytes wait in build/mutants-restore/.
"""
import argparse
import fcntl
import fnmatch
import hashlib
import json
import math
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
MUTANTS = ROOT / "tests" / "mutants.json"
KEEP = ROOT / "build" / "mutants-restore"
# app/ only wires these together; the rest of web/ is the page's script.
FOLDERS = ["engine", "files", "cli", "web/WebBridge.cpp", "graphics", "screens", "rtf"]
# Spaced operators only: unspaced ones are template brackets, pointers and signs.
SWAPS = {
    "arithmetic": [(" + ", " - "), (" - ", " + "), (" * ", " / "), (" / ", " * ")],
    "logical": [(" && ", " || "), (" || ", " && ")],
    "comparison": [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
                   (" == ", " != "), (" != ", " == ")],
}
# How a mutant is built and tested, the first whose file pattern matches: incrementally where
# the tests built the program, with every suite but those that need a print queue, an X server
# or a browser; the page's bridge, which only em++ builds, in chromium as scripts/test.sh does.
# A test that exits with 77 could not run here.
SUITES = [
    {"files": "web/*", "build": ["bash", "scripts/web.sh"],
     "test": ["node", "tests/web/page-test.mjs", "build/web", "build/cli/vyra-select"]},
    {"files": "*", "build": ["cmake", "--build", "build", "-j", "2", "--target", "engine_tests",
                             "files_tests", "cli_tests", "graphics_tests", "screens_tests",
                             "documents_tests", "output_tests"],
     "test": ["ctest", "--test-dir", "build", "-j", "2", "--stop-on-failure", "--timeout", "60",
              "-E", "PrintSends|EndToEnd|^Web(EngineMatchesNative|PageInChromium)$"]},
]
BOOLEAN = re.compile(r"\b(true|false)\b")
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d+|\d+)(?![\w.'])")
RETURN = re.compile(r"^(\s*return )(.+);$")
# Values that {} stands for already; true and numbers are mutated as literals.
DEFAULT = r"false|true|[\d.]+|\{\}|nullptr|std::nullopt|\"\""
CONDITION = re.compile(r"\b(if|while) \(")
SKIPPED = ("#", "//", "/*", "*", "static_assert", "template", "namespace", "using ")


def blank_literals(line):
    """The line with string and character literals and a // comment blanked, same length."""
    out, quote, escaped = [], None, False
    for i, c in enumerate(line):
        if quote:
            out.append(" ")
            if escaped:
                escaped = False
            elif c == "\\":
                escaped = True
            elif c == quote:
                quote = None
        elif c in "\"'" and not (c == "'" and i > 0 and line[i - 1].isalnum()):
            quote = c
            out.append(" ")
        elif line.startswith("//", i):
            return "".join(out) + " " * (len(line) - i)
        else:
            out.append(c)
    return "".join(out)


def closing_paren(code, start):
    depth = 0
    for i in range(start, len(code)):
        depth += {"(": 1, ")": -1}.get(code[i], 0)
        if depth == 0:
            return i
    return -1


def changes(line):
    """Every (kind, column, old, new) one change can make to the line."""
    code = blank_literals(line)
    if "operator" in code or "<<" in code or ">>" in code:
        return []
    found = [(kind, m.start(), old, new) for kind, swaps in SWAPS.items() for old, new in swaps
             for m in re.finditer(re.escape(old), code)]
    found += [("boolean", m.start(), m.group(), "false" if m.group() == "true" else "true")
              for m in BOOLEAN.finditer(code)]
    for m in NUMBER.finditer(code):
        value = m.group()
        bumped = str(int(value) + 1) if value.isdigit() else repr(float(value) + 1)
        found.append(("constant", m.start(), value, bumped))
    value = RETURN.match(code.rstrip())
    if value and not re.fullmatch(DEFAULT, value.group(2)):
        start = len(value.group(1))
        found.append(("return", start, line[start:start + len(value.group(2))], "{}"))
    for m in CONDITION.finditer(code):
        end = closing_paren(code, m.end() - 1)
        if end > 0 and ";" not in code[m.end():end]:
            inner = line[m.end():end]
            found.append(("negation", m.end(), inner, f"!({inner})"))
    return found


def candidates(path):
    """(line number, text, change) of every line that appears once in the file."""
    lines = (ROOT / path).read_text(encoding="utf-8").splitlines()
    counts = {}
    for text in lines:
        counts[text] = counts.get(text, 0) + 1
    in_comment, found = False, []
    for number, text in enumerate(lines, 1):
        stripped = text.strip()
        if in_comment or stripped.startswith("/*"):
            in_comment = "*/" not in stripped
            continue
        if not stripped or stripped.startswith(SKIPPED) or counts[text] > 1:
            continue
        found += [(number, text, change) for change in changes(text)]
    return found


def sources(paths):
    found = []
    for path in paths:
        found += [path] if (ROOT / path).is_file() else sorted(
            str(p.relative_to(ROOT)) for p in (ROOT / path).rglob("*") if p.suffix in (".cpp", ".h"))
    return found


def choose(found, count, rng):
    """Count of the changes, a kind at a time, so that constants, many in any file, do not
    crowd out the operators and conditions."""
    kinds = {}
    for candidate in found:
        kinds.setdefault(candidate[2][0], []).append(candidate)
    chosen = []
    while kinds and len(chosen) < count:
        kind = rng.choice(sorted(kinds))
        chosen.append(kinds[kind].pop(rng.randrange(len(kinds[kind]))))
        if not kinds[kind]:
            del kinds[kind]
    return chosen


def sample_ids(mutants, paths, count, rng):
    """Count mutants taken from the path patterns in turn, so that one with few sources still
    has its share."""
    pools = [[m["id"] for m in mutants if fnmatch.fnmatch(m["file"], path)] for path in paths]
    for pool in pools:
        rng.shuffle(pool)
    ids = []
    while any(pools) and len(ids) < count:
        ids += [pool.pop() for pool in pools if pool][:count - len(ids)]
    return sorted(ids)


def pick(args):
    mutants = []
    for path in sources(FOLDERS):
        chosen = choose(candidates(path), args.per_file, random.Random(f"{args.seed}:{path}"))
        for number, text, (kind, column, old, new) in sorted(chosen, key=lambda c: (c[0], c[2][1])):
            mutants.append({"id": f"{path}:{number}:{column}:{kind}", "file": path, "line": number,
                            "text": text, "column": column, "kind": kind, "old": old, "new": new})
    samples = {"all": {"threshold": 0.0}}
    for wanted in args.sample:
        name, count, paths = re.fullmatch(r"(\w+)=(\d+):(.+)", wanted).groups()
        ids = sample_ids(mutants, paths.split(","), int(count), random.Random(f"{args.seed}:{name}"))
        samples[name] = {"paths": paths.split(","), "threshold": 0.0, "ids": ids}
    document = {"seed": args.seed, "per_file": args.per_file, "samples": samples,
                "mutants": mutants}
    MUTANTS.write_text(json.dumps(document, indent=1) + "\n")
    print(f"{len(mutants)} mutants in {len(sources(FOLDERS))} sources written to {MUTANTS}")


def locate(mutant):
    """The line index the mutant applies to, or None when its line is gone or ambiguous."""
    path = ROOT / mutant["file"]
    if not path.is_file():
        return None
    lines = path.read_text(encoding="utf-8").splitlines()
    at = [i for i, text in enumerate(lines) if text == mutant["text"]]
    start, end = mutant["column"], mutant["column"] + len(mutant["old"])
    if len(at) != 1 or mutant["text"][start:end] != mutant["old"]:
        return None
    return at[0]


STOPS = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}


class Interrupted(Exception):
    pass


def interrupt(signum, _frame):
    raise Interrupted(signal.Signals(signum).name)


def call(command, timeout):
    """Return code and output of a niced command in its own process group, killed whole on
    timeout or interruption; the code is None when out of time."""
    child = subprocess.Popen(["nice", "-n", "10"] + command, cwd=ROOT, start_new_session=True,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    try:
        output = child.communicate(timeout=timeout)[0]
        return child.returncode, output
    except subprocess.TimeoutExpired:
        return None, ""
    finally:
        if child.poll() is None:
            os.killpg(child.pid, signal.SIGKILL)
            child.wait()


def digest(data):
    return hashlib.sha256(data).hexdigest()


def hold_lock():
    """The lock of build/mutants-restore/, held while the file is open: a second run at the
    same time would take the first one's mutant for a left-over and restore it under it."""
    KEEP.mkdir(parents=True, exist_ok=True)
    lock = open(KEEP / "lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        sys.exit("another mutation run is using build/; wait for it or stop it")
    return lock


def restore_left_over():
    """Puts back the file a run that could not clean up left mutated."""
    note = KEEP / "file.json"
    if not note.exists():
        return
    record = json.loads(note.read_text())
    original = (KEEP / "original").read_bytes()
    if digest(original) != record["sha256"]:
        sys.exit(f"{KEEP}: the kept copy of {record['file']} is damaged; restore it from git")
    (ROOT / record["file"]).write_bytes(original)
    note.unlink()
    print(f"restored {record['file']}, left mutated by an earlier run")


def mutated(mutant, original, index):
    lines = original.decode("utf-8").splitlines(keepends=True)
    text = lines[index]
    start = mutant["column"]
    lines[index] = text[:start] + mutant["new"] + text[start + len(mutant["old"]):]
    return "".join(lines).encode("utf-8")


def suite_of(mutant):
    return next(s for s in SUITES if fnmatch.fnmatch(mutant["file"], s["files"]))


def fate(suite, timeout):
    built, output = call(suite["build"], timeout)
    if built != 0:
        return "not built"
    if "ninja: no work to do" in output:
        return "not reached"
    passed, _ = call(suite["test"], timeout)
    return {0: "survived", 77: "not reached"}.get(passed, "killed")


def try_mutant(mutant, index, timeout):
    """The mutant's fate, the tree left exactly as it was found."""
    suite, path = suite_of(mutant), ROOT / mutant["file"]
    # The file the last mutant changed is built again first, so that a build with nothing to
    # do afterwards means that nothing compiles this mutant's file.
    call(suite["build"], timeout)
    original = path.read_bytes()
    (KEEP / "original").write_bytes(original)
    (KEEP / "file.json").write_text(json.dumps({"file": mutant["file"], "sha256": digest(original)}))
    try:
        path.write_bytes(mutated(mutant, original, index))
        return fate(suite, timeout)
    finally:
        # A second Ctrl-C must not cut the write back short.
        signal.pthread_sigmask(signal.SIG_BLOCK, STOPS)
        path.write_bytes(original)
        if digest(path.read_bytes()) != digest(original):
            sys.exit(f"{mutant['file']} was not restored: its original is in {KEEP}/original")
        (KEEP / "file.json").unlink()
        signal.pthread_sigmask(signal.SIG_UNBLOCK, STOPS)


def score_line(counts):
    applicable = counts["killed"] + counts["survived"]
    score = counts["killed"] / applicable if applicable else 0.0
    summary = ", ".join(f"{n} {fate}" for fate, n in counts.items())
    return score, f"mutants: {summary}; score {score:.3f}"


def run_all(chosen, timeout):
    counts = {"killed": 0, "survived": 0, "stale": 0, "not built": 0, "not reached": 0}
    listed = {"survived": [], "stale": [], "not reached": [], "not built": []}
    for number, mutant in enumerate(chosen, 1):
        started = time.monotonic()
        index = locate(mutant)
        result = "stale" if index is None else try_mutant(mutant, index, timeout)
        counts[result] += 1
        where = f"{mutant['file']}:{mutant['line'] if index is None else index + 1}"
        listed.get(result, []).append((mutant["id"], f"  {where}: {mutant['old'].strip()} -> "
                                                    f"{mutant['new'].strip()} ({mutant['kind']})"))
        print(f"[{number}/{len(chosen)}] {result:11} {where} {mutant['kind']} "
              f"({time.monotonic() - started:.0f} s)", flush=True)
    return counts, listed


def report(listed):
    print("surviving mutants (a missing test, or a change the program cannot show):",
          *(line for _, line in listed["survived"]), sep="\n")
    if listed["not reached"]:
        print("not reached (nothing compiles them, or their test could not run here):",
              *(line for _, line in listed["not reached"]), sep="\n")
    if listed["stale"]:
        print("stale mutants (their line is gone: regenerate with `pick`):",
              *(line for _, line in listed["stale"]), sep="\n")


def record(document, sample, score, not_built):
    """The score as the sample's threshold; mutants that do not compile, which say nothing of
    the tests and cost every run a build, leave the file."""
    # Rounded down: 19 of 22 rounded to 0.864 would fail the very run that recorded it.
    sample["threshold"] = math.floor(score * 1000) / 1000
    document["mutants"] = [m for m in document["mutants"] if m["id"] not in not_built]
    for each in document["samples"].values():
        if "ids" in each:
            each["ids"] = [i for i in each["ids"] if i not in not_built]
    MUTANTS.write_text(json.dumps(document, indent=1) + "\n")


def run(args):
    for stop in STOPS:
        signal.signal(stop, interrupt)
    restore_left_over()
    document = json.loads(MUTANTS.read_text())
    sample = document["samples"][args.sample]
    wanted = set(sample.get("ids", [m["id"] for m in document["mutants"]]))
    chosen = [m for m in document["mutants"] if m["id"] in wanted]
    started = time.monotonic()
    counts, listed = run_all(chosen, args.timeout)
    for suite in SUITES:
        if any(suite_of(m) is suite for m in chosen):
            call(suite["build"], None)
    score, summary = score_line(counts)
    report(listed)
    print(f"{summary} (threshold {sample['threshold']:.3f}) in {time.monotonic() - started:.0f} s")
    if args.record:
        record(document, sample, score, {i for i, _ in listed["not built"]})
        return 0
    return 1 if counts["stale"] or score < sample["threshold"] else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    picking = commands.add_parser("pick", help="regenerate tests/mutants.json")
    picking.add_argument("--seed", type=int, default=31)
    picking.add_argument("--per-file", type=int, default=1)
    picking.add_argument("--sample", action="append", default=[], metavar="NAME=COUNT:PATTERNS")
    running = commands.add_parser("run", help="run a sample of tests/mutants.json")
    running.add_argument("--sample", default="all")
    running.add_argument("--record", action="store_true", help="store the score as threshold")
    running.add_argument("--timeout", type=float, default=600, help="seconds per build or test run")
    commands.add_parser("restore", help="put back a file a killed run left mutated")
    args = parser.parse_args()
    if args.command == "pick":
        return pick(args)
    with hold_lock():
        if args.command == "restore":
            return restore_left_over()
        try:
            return run(args)
        except Interrupted as stop:
            sys.exit(f"stopped by {stop}; the tree is as it was")


if __name__ == "__main__":
    sys.exit(main())
