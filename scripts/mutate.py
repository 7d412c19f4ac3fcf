#!/usr/bin/env python3
"""Mutation testing of the game's sources: how many planted faults do the fast tests catch?

The tool copies the source tree into a private folder (one per job, each with its own build),
so the developer's tree and build are never touched and a run can go on beside other builds.
In the copy it applies one small change at a time to the C++ sources, rebuilds what changed,
and runs the fast tests (everything but the `slow` and `e2e` labels). A mutant is killed when
a test fails or the run times out; a survivor is printed with its diff. Mutants that cannot
change what the program does are listed with a reason in tests/mutation-equivalent.txt and
are left out of the score. The last line of a run is

    mutation score: K killed of N (P%)

counting only mutants that compiled and are not listed as equivalent.

    python3 scripts/mutate.py                       # app/, display/ and game/
    python3 scripts/mutate.py --files game/enemy.cpp --jobs 2
    python3 scripts/mutate.py --limit 150 --seed 1  # a reproducible sample
    python3 scripts/mutate.py --list                # the mutants, without running them
    python3 scripts/mutate.py --ids 3f2a9c01 ...    # only these, e.g. a run's survivors
"""

import argparse
import dataclasses
import difflib
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

FAST_TESTS = ["-LE", "slow|e2e|package"]
DEFAULT_FOLDERS = ["app", "display", "game"]
SOURCE_SUFFIXES = (".cpp",)
EQUIVALENT_LIST = os.path.join("tests", "mutation-equivalent.txt")
COPY_IGNORED = shutil.ignore_patterns("build", ".git", "__pycache__", "*.pyc")


# ---------------------------------------------------------------------------------------------
# Where the code is: comments, literals and preprocessor lines are never mutated.


def code_mask(text):
    """One flag per character: True where the character is C++ code, not a comment, a string
    or character literal, or a preprocessor line."""
    mask = [True] * len(text)
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c in " \t":
            i += 1
            continue
        if line_start and c == "#":
            end = text.find("\n", i)
            end = n if end < 0 else end
            for k in range(i, end):
                mask[k] = False
            i = end
            continue
        line_start = c == "\n"
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
        elif c in "\"'":
            end = i + 1
            while end < n and text[end] != c:
                end += 2 if text[end] == "\\" else 1
            end += 1
        else:
            i += 1
            continue
        for k in range(i, min(end, n)):
            mask[k] = False
        i = end
    return mask


def matching_paren(text, mask, open_at):
    depth = 0
    for k in range(open_at, len(text)):
        if not mask[k]:
            continue
        if text[k] == "(":
            depth += 1
        elif text[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


# ---------------------------------------------------------------------------------------------
# Mutants


@dataclasses.dataclass
class Mutant:
    path: str  # relative to the tree, with forward slashes
    start: int  # the replaced span of the original text
    end: int
    replacement: str
    operator: str
    line: int = 0
    before: str = ""  # the changed lines, as written and as mutated, whitespace collapsed
    after: str = ""
    occurrence: int = 1  # the same change on an identical line earlier in the file counts 1
    twins: int = 1  # how many places in the file the same change can be made


    def apply(self, text):
        return text[: self.start] + self.replacement + text[self.end :]

    def identity(self):
        """A short name that stays while the changed lines stay, for --ids."""
        parts = (self.path, self.before, self.after)
        if self.occurrence > 1:
            parts += (str(self.occurrence),)
        text = "\n".join(parts).encode()
        return hashlib.sha1(text).hexdigest()[:8]

    def describe(self):
        return (f"{self.path}:{self.line} {self.operator} [{self.identity()}]: "
                f"{self.before}  ->  {self.after}")


def collapse(line):
    return " ".join(line.split())


def fill_in(mutant, text):
    """Sets the mutant's line and the before/after texts that name it in the equivalent list."""
    first = text.rfind("\n", 0, mutant.start) + 1
    last = text.find("\n", mutant.end)
    last = len(text) if last < 0 else last
    mutant.line = text.count("\n", 0, mutant.start) + 1
    old = text[first:last]
    new = text[first : mutant.start] + mutant.replacement + text[mutant.end : last]
    mutant.before = " / ".join(filter(None, (collapse(l) for l in old.split("\n"))))
    mutant.after = " / ".join(filter(None, (collapse(l) for l in new.split("\n"))))
    return mutant


RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "/"}
COMPOUND = {"+=": "-=", "-=": "+=", "*=": "/=", "/=": "*=", "++": "--", "--": "++"}


def spaced_operators(text, mask, table, name):
    """Binary operators written with a space either side, as the formatter writes them; that
    tells `a < b` from `static_cast<int>` and `Actor* x`."""
    tokens = "|".join(re.escape(t) for t in sorted(table, key=len, reverse=True))
    for m in re.finditer(r"(?<=\s)(" + tokens + r")(?=\s)", text):
        if all(mask[m.start() : m.end()]):
            yield Mutant("", m.start(), m.end(), table[m.group(1)], name)


def compound_operators(text, mask):
    for m in re.finditer(r"\+\+|--|[+\-*/]=", text):
        if not all(mask[m.start() : m.end()]):
            continue
        if m.group() in ("+=", "-=", "*=", "/=") and text[m.end() : m.end() + 1] == "=":
            continue
        yield Mutant("", m.start(), m.end(), COMPOUND[m.group()], "arithmetic")


def integer_constants(text, mask):
    for m in re.finditer(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.])", text):
        if not mask[m.start()]:
            continue
        digits, suffix = m.group(1), m.group(2)
        value = int(digits, 16) if digits[:2] in ("0x", "0X") else int(digits)
        for changed in (value + 1, value - 1):
            if changed < 0:
                written = "(-1)"
            elif digits[:2] in ("0x", "0X"):
                written = f"0x{changed:0{len(digits) - 2}X}"
            else:
                written = str(changed)
            yield Mutant("", m.start(), m.end(), written + suffix, "constant")


def negated_conditions(text, mask):
    for m in re.finditer(r"\b(if|while)\s*\(", text):
        if not mask[m.start()]:
            continue
        open_at = m.end() - 1
        close_at = matching_paren(text, mask, open_at)
        if close_at > open_at:
            condition = text[open_at + 1 : close_at]
            yield Mutant("", open_at + 1, close_at, f"!({condition})", "negate")


# A statement that is nothing but a call: `Name(...);`, `object->Method(...);`, `a.b(...);`.
CALL_START = re.compile(r"(?m)^[ \t]*((?:[A-Za-z_]\w*(?:->|\.|::))*([A-Za-z_]\w*))\s*\(")
NOT_CALLS = {"if", "while", "for", "switch", "return", "sizeof", "case", "do", "else"}


def call_statements(text, mask):
    """(start, end, callee) of every statement that is a call alone, end after its `;`."""
    calls = []
    for m in CALL_START.finditer(text):
        start = m.start(1)
        if not mask[start] or m.group(2) in NOT_CALLS or m.group(1).split("::")[0] in NOT_CALLS:
            continue
        before = text[:start].rstrip()
        if before and before[-1] not in ";{}:":
            continue  # the middle of an expression, a declaration or a signature
        close_at = matching_paren(text, mask, m.end() - 1)
        if close_at < 0 or text[close_at + 1 : close_at + 2] != ";":
            continue
        calls.append((start, close_at + 2, m.group(2)))
    return calls


def deleted_calls(calls):
    for start, end, _ in calls:
        yield Mutant("", start, end, ";", "delete-call")


def swapped_calls(text, calls):
    for (s1, e1, f1), (s2, e2, f2) in zip(calls, calls[1:]):
        if f1 == f2 and text[e1:s2].strip() == "":
            replacement = text[s2:e2] + text[e1:s2] + text[s1:e1]
            yield Mutant("", s1, e2, replacement, "swap-calls")


FUNCTION_HEAD = re.compile(
    r"(?m)^(?:(?:static|inline|constexpr)\s+)*([A-Za-z_][\w:]*)[\s*&]+"
    r"(?:WINAPI\s+|CALLBACK\s+)?[A-Za-z_][\w:]*\s*\([^;{]*\)\s*\{"
)
SUCCESS = {"HRESULT": "0", "bool": "true", "BOOL": "TRUE"}


def success_returns(text, mask):
    """`return x;` becomes the success value in functions that report success or failure."""
    heads = [(m.start(), m.group(1)) for m in FUNCTION_HEAD.finditer(text) if mask[m.start()]]
    for m in re.finditer(r"\breturn\s+", text):
        end = text.find(";", m.end())
        if not mask[m.start()] or end < 0:
            continue
        enclosing = [kind for at, kind in heads if at < m.start()]
        success = SUCCESS.get(enclosing[-1]) if enclosing else None
        value = text[m.end() : end].strip()
        if success is None or value in (success, "DD_OK", "S_OK", "true", "TRUE"):
            continue
        yield Mutant("", m.end(), end, success, "return-success")


def mutants_of(path, text):
    mask = code_mask(text)
    calls = call_statements(text, mask)
    found = []
    for generator in (
        spaced_operators(text, mask, RELATIONAL, "relational"),
        spaced_operators(text, mask, ARITHMETIC, "arithmetic"),
        compound_operators(text, mask),
        integer_constants(text, mask),
        negated_conditions(text, mask),
        deleted_calls(calls),
        swapped_calls(text, calls),
        success_returns(text, mask),
    ):
        for mutant in generator:
            mutant.path = path
            found.append(fill_in(mutant, text))
    found.sort(key=lambda m: (m.start, m.end, m.operator, m.replacement))
    return found


def source_files(tree, targets):
    files = []
    for target in targets:
        full = os.path.join(tree, target)
        if os.path.isfile(full):
            files.append(full)
        elif os.path.isdir(full):
            for folder, _, names in os.walk(full):
                files += [os.path.join(folder, n) for n in names if n.endswith(SOURCE_SUFFIXES)]
        else:
            raise SystemExit(f"mutate.py: no such file or folder: {target}")
    return sorted(set(os.path.relpath(f, tree).replace(os.sep, "/") for f in files))


# ---------------------------------------------------------------------------------------------
# The equivalent list: blocks of a path, "- " lines as written, "+ " lines as mutated, and a
# "why:" line. A mutant matches an entry when its file and both texts are the same. Where the
# same change can be made on identical lines of one file, an "occurrence: N" line names the Nth
# of them in the file; without it an entry stands for all of them.


def read_equivalents(path):
    entries = {}
    if not os.path.exists(path):
        return entries
    entry = None

    def finish(entry):
        if entry is None:
            return
        if not entry["why"] or not entry["before"] or not entry["after"]:
            raise SystemExit(f"{path}:{entry['at']}: an entry needs '-', '+' and 'why:' lines")
        key = (entry["path"], " / ".join(entry["before"]), " / ".join(entry["after"]),
               entry["occurrence"])
        entries[key] = entry["why"]

    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("- "):
                entry["before"].append(collapse(line[2:]))
            elif line.startswith("+ "):
                entry["after"].append(collapse(line[2:]))
            elif line.startswith("why:"):
                entry["why"] = line[4:].strip()
            elif line.startswith("occurrence:"):
                entry["occurrence"] = int(line[len("occurrence:"):])
            else:
                finish(entry)
                entry = {"path": line.strip(), "before": [], "after": [], "why": "", "at": number,
                         "occurrence": None}
    finish(entry)
    return entries


def equivalent_block(mutant):
    lines = [mutant.path]
    lines += ["- " + part for part in mutant.before.split(" / ")]
    lines += ["+ " + part for part in mutant.after.split(" / ")]
    if mutant.twins > 1:
        lines.append(f"occurrence: {mutant.occurrence}")
    return "\n".join(lines + ["why: ..."])


# ---------------------------------------------------------------------------------------------
# Running: each worker owns one copy of the tree and its build.


class Stopped(Exception):
    pass


class Workspace:
    def __init__(self, source_tree, root, index):
        self.tree = os.path.join(root, f"tree{index}")
        self.build = os.path.join(self.tree, "build")
        self.targets = []
        self.tests = []
        self.processes = set()
        self.stopping = threading.Event()
        shutil.copytree(source_tree, self.tree, ignore=COPY_IGNORED, symlinks=True)
        # A compiler killed mid-build leaves its temporary files: they stay in the copy's folder.
        self.temporary = os.path.join(root, f"tmp{index}")
        os.makedirs(self.temporary, exist_ok=True)
        self.env = dict(os.environ, TMPDIR=self.temporary)

    def run(self, command, timeout=None, cwd=None):
        """(exit code, output); code None when the command ran out of time."""
        if self.stopping.is_set():
            raise Stopped()
        process = subprocess.Popen(
            command,
            cwd=cwd or self.tree,
            env=self.env,
            stdout=subprocess.PIPE,
            stderr=subprocess.STDOUT,
            text=True,
            errors="replace",
            start_new_session=True,
        )
        self.processes.add(process)
        if self.stopping.is_set():
            self.end(process)  # stopped while it was starting
        try:
            output, _ = process.communicate(timeout=timeout)
            code = process.returncode
        except subprocess.TimeoutExpired:
            self.end(process)
            output, _ = process.communicate()
            code = None
        finally:
            self.processes.discard(process)
        if self.stopping.is_set():
            raise Stopped()
        return code, output

    def stop(self):
        self.stopping.set()
        for process in list(self.processes):
            kill_group(process)

    def end(self, process):
        """Ends a command with everything it started, the compilers of a build included."""
        kill_group(process)
        kill_marked(self.temporary)

    def configure_and_build(self):
        code, output = self.run(
            [
                "cmake", "-S", ".", "-B", self.build, "-G", "Ninja",
                "-DCMAKE_BUILD_TYPE=", "-DCMAKE_CXX_FLAGS=-O1", "-DCMAKE_C_FLAGS=-O1",
                "-DZEPHYX_E2E=OFF", "-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST",
                "-Wno-dev", "--no-warn-unused-cli",
            ]
        )
        if code == 0:
            code, more = self.run(["cmake", "--build", self.build])
            output += more
        if code != 0:
            raise SystemExit("mutate.py: the unmutated tree does not build:\n" + output[-4000:])
        self.tests = self.list_fast_tests()
        self.targets = self.test_programs()

    def list_fast_tests(self):
        """The fast tests as CTest would run them, each started here with its own time limit."""
        code, output = self.run(["ctest", "--test-dir", self.build, "--show-only=json-v1"]
                                + FAST_TESTS)
        if code != 0:
            raise SystemExit("mutate.py: ctest cannot list the fast tests:\n" + output[-4000:])
        tests = []
        for test in json.loads(output[output.index("{"):]).get("tests", []):
            properties = {p["name"]: p["value"] for p in test.get("properties", [])}
            tests.append(FastTest(test["name"], test.get("command") or [],
                                  properties.get("WORKING_DIRECTORY", self.build),
                                  properties.get("SKIP_RETURN_CODE")))
        return tests

    def test_programs(self):
        """The programs the fast tests run: the only targets a mutant needs rebuilt."""
        programs = {os.path.relpath(t.command[0], self.build) for t in self.tests
                    if t.command and os.path.abspath(t.command[0]).startswith(self.build + os.sep)}
        return sorted(programs)

    def build_changes(self):
        return self.run(["ninja", "-C", self.build] + self.targets)[0] == 0

    def fast_tests(self, order):
        """(passed, what failed): the first failing test's name, or 'timeout in' it. Each test
        may run for its own limit, so a mutant that hangs a quick test is caught quickly."""
        for test in order:
            code, _ = self.run(test.command, timeout=test.limit, cwd=test.folder)
            if code is None:
                return False, f"timeout in {test.name}"
            if code != 0 and code != test.skip_code:
                return False, test.name
        return True, ""


@dataclasses.dataclass
class FastTest:
    name: str
    command: list
    folder: str
    skip_code: int = None
    limit: float = None  # seconds before it counts as hung


class KillerFirst:
    """Runs the tests that killed the latest mutants first: neighbouring mutants are mostly
    caught by the same test, and a killed mutant then costs one test instead of the suite."""

    def __init__(self, remembered=3):
        self.recent = []
        self.remembered = remembered
        self.lock = threading.Lock()

    def order(self, tests):
        with self.lock:
            first = [t for name in self.recent for t in tests if t.name == name]
        return first + [t for t in tests if t not in first]

    def killed_by(self, name):
        with self.lock:
            if name in self.recent:
                self.recent.remove(name)
            self.recent = ([name] + self.recent)[:self.remembered]


def kill_group(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except (ProcessLookupError, PermissionError):
        pass


def kill_marked(temporary):
    """Kills every process that still carries TMPDIR=`temporary`. Ninja starts each compiler in
    a process group of its own, out of reach of the command's group: killed with it, ninja
    leaves them writing into a copy that is about to go. Whatever a workspace started carries
    its TMPDIR in its environment."""
    mark = f"TMPDIR={temporary}".encode()
    for _ in range(50):
        marked = [pid for pid in running_pids() if mark in environment_of(pid)]
        if not marked:
            return
        for pid in marked:
            try:
                os.kill(pid, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                pass
        time.sleep(0.1)


def running_pids():
    return [int(name) for name in os.listdir("/proc") if name.isdigit()]


def environment_of(pid):
    """The process's environment entries; none once it has ended (a zombie shows none)."""
    try:
        with open(f"/proc/{pid}/environ", "rb") as environ:
            return environ.read().split(b"\0")
    except OSError:
        return []


@dataclasses.dataclass
class Result:
    mutant: Mutant
    outcome: str  # killed, survived, uncompiled
    detail: str = ""
    diff: str = ""


def run_mutant(workspace, mutant, killers):
    path = os.path.join(workspace.tree, mutant.path)
    with open(path, encoding="utf-8") as f:
        original = f.read()
    mutated = mutant.apply(original)
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(mutated)
        if not workspace.build_changes():
            return Result(mutant, "uncompiled")
        passed, failure = workspace.fast_tests(killers.order(workspace.tests))
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)
    if not passed:
        killers.killed_by(failure.removeprefix("timeout in "))
        return Result(mutant, "killed", failure)
    diff = "".join(
        difflib.unified_diff(
            original.splitlines(True), mutated.splitlines(True),
            "a/" + mutant.path, "b/" + mutant.path, n=1,
        )
    )
    return Result(mutant, "survived", diff=diff)


def report(result, done, total):
    m = result.mutant
    where = f"{m.path}:{m.line} {m.operator} [{m.identity()}]"
    if result.outcome == "killed":
        print(f"[{done}/{total}] killed    {where} by {result.detail}", flush=True)
    elif result.outcome == "uncompiled":
        print(f"[{done}/{total}] no build  {where}", flush=True)
    else:
        print(f"[{done}/{total}] SURVIVED  {where}\n{result.diff}", flush=True)
        print("  if no test can ever tell, list it with its reason:\n"
              + "\n".join("    " + l for l in equivalent_block(m).split("\n")), flush=True)


def build_copies(workspaces, threads):
    """Configures and builds every copy at once; the unmutated tree must build."""
    errors = []

    def prepare(workspace):
        try:
            workspace.configure_and_build()
        except (Stopped, SystemExit) as error:
            errors.append(error)

    run_threads([threading.Thread(target=prepare, args=(w,)) for w in workspaces], threads)
    if errors:
        raise errors[0] if isinstance(errors[0], SystemExit) else KeyboardInterrupt()


def time_allowed(workspaces, args):
    """Times each fast test on the unmutated tree (which must pass them all) and gives each
    test several times its own time, with room for the other jobs' builds beside it."""
    workspace = workspaces[0]
    started = time.monotonic()
    for test in workspace.tests:
        begun = time.monotonic()
        code, output = workspace.run(test.command, timeout=args.timeout or 600, cwd=test.folder)
        if code != 0 and code != test.skip_code:
            raise SystemExit(f"mutate.py: {test.name} fails without any mutant:\n"
                             + (output or "")[-2000:])
        seconds = time.monotonic() - begun
        test.limit = args.timeout or max(1.0, seconds) * 4 * args.jobs + 2
    for other in workspaces[1:]:
        for mine, theirs in zip(other.tests, workspace.tests):
            mine.limit = theirs.limit
    longest = max((t.limit for t in workspace.tests), default=0)
    print(f"mutate.py: the fast tests take {time.monotonic() - started:.0f} s; a test may take "
          f"several times its own time (at most {longest:.0f} s) before it counts as hung",
          flush=True)
def run_mutants(workspaces, mutants, threads):
    """Each copy takes the next mutant until none is left; results are printed as they come."""
    pending = list(mutants)
    results = []
    lock = threading.Lock()
    killers = KillerFirst()

    def work(workspace):
        while True:
            with lock:
                if not pending:
                    return
                mutant = pending.pop(0)
            try:
                result = run_mutant(workspace, mutant, killers)
            except Stopped:
                return
            with lock:
                results.append(result)
                report(result, len(results), len(mutants))

    run_threads([threading.Thread(target=work, args=(w,)) for w in workspaces], threads)
    return results


def run_all(args, tree, mutants):
    root = tempfile.mkdtemp(prefix="zephyx-mutate-")
    workspaces = []
    threads = []

    def stop_everything(signum=None, frame=None):
        for workspace in workspaces:
            workspace.stop()
        raise KeyboardInterrupt()

    signals = (signal.SIGINT, signal.SIGTERM, signal.SIGHUP)
    previous = {s: signal.signal(s, stop_everything) for s in signals}
    try:
        print(f"mutate.py: building {args.jobs} private cop{'y' if args.jobs == 1 else 'ies'} "
              f"in {root}", flush=True)
        for index in range(args.jobs):
            workspaces.append(Workspace(tree, root, index))
        build_copies(workspaces, threads)
        time_allowed(workspaces, args)
        return run_mutants(workspaces, mutants, threads)
    finally:
        # Workers put their file back as they stop; only then does the copy go.
        for workspace in workspaces:
            workspace.stop()
        for thread in threads:
            thread.join(30)
        for workspace in workspaces:
            kill_marked(workspace.temporary)
        for s, handler in previous.items():
            signal.signal(s, handler)
        if args.keep_work:
            print(f"mutate.py: the copies stay in {root}", flush=True)
        else:
            remove_copies(root, workspaces)


def remove_copies(root, workspaces):
    """Removes the private copies once nothing a workspace started runs any more. What is
    found there again after a removal (something still wrote into it) is said, killed and
    removed again; a folder that cannot be removed is said, never passed over."""
    for _ in range(20):
        for workspace in workspaces:
            kill_marked(workspace.temporary)
        shutil.rmtree(root, ignore_errors=True)
        if not os.path.exists(root):
            return
        left = [os.path.join(folder, name) for folder, _, names in os.walk(root)
                for name in names][:5]
        print(f"mutate.py: {root} still holds {left or 'empty folders'}; removing it again",
              file=sys.stderr, flush=True)
        time.sleep(0.2)
    print(f"mutate.py: {root} could not be removed", file=sys.stderr, flush=True)


def run_threads(threads, started):
    """Starts and joins the threads in slices, so the main thread still sees signals."""
    for thread in threads:
        thread.daemon = True
        started.append(thread)
        thread.start()
    for thread in threads:
        while thread.is_alive():
            thread.join(0.2)


# ---------------------------------------------------------------------------------------------


def choose(mutants, limit, seed):
    if limit is None or limit >= len(mutants):
        return list(mutants)
    chosen = random.Random(seed).sample(range(len(mutants)), limit)
    return [mutants[i] for i in sorted(chosen)]


def parse_arguments(argv):
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(
        description="Plants one fault at a time and reports how many the fast tests catch.")
    parser.add_argument("--files", nargs="+", default=DEFAULT_FOLDERS, metavar="PATH",
                        help="files or folders to mutate, relative to the tree "
                             "(default: app display game)")
    parser.add_argument("--limit", type=int, help="run only N mutants, chosen by --seed")
    parser.add_argument("--seed", type=int, default=1, help="which mutants --limit picks")
    parser.add_argument("--jobs", type=int, default=1,
                        help="mutants run at once, each in its own copy (default 1)")
    parser.add_argument("--timeout", type=int,
                        help="seconds before a test counts as hung "
                             "(default: several times its own unmutated run)")
    parser.add_argument("--tree", default=here, help="the source tree (default: this one)")
    parser.add_argument("--equivalent", help="the equivalent list (default: "
                        + EQUIVALENT_LIST + " in the tree)")
    parser.add_argument("--ids", nargs="+", metavar="ID",
                        help="run only these mutants, by the [id] a run or --list prints")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    parser.add_argument("--keep-work", action="store_true", help="keep the private copies")
    args = parser.parse_args(argv)
    args.tree = os.path.abspath(args.tree)
    if args.equivalent is None:
        args.equivalent = os.path.join(args.tree, EQUIVALENT_LIST)
    if args.jobs < 1 or (args.limit is not None and args.limit < 0):
        parser.error("--jobs must be at least 1 and --limit not negative")
    if args.jobs > (os.cpu_count() or 1):
        parser.error(f"--jobs {args.jobs} is more than this machine's {os.cpu_count()} cores")
    return args


def scores_by_folder(results):
    scores = {}
    for r in results:
        if r.outcome in ("killed", "survived"):
            k, n = scores.get(r.mutant.path.split("/")[0], (0, 0))
            scores[r.mutant.path.split("/")[0]] = (k + (r.outcome == "killed"), n + 1)
    return scores


def key(mutant, occurrence=True):
    return (mutant.path, mutant.before, mutant.after, mutant.occurrence if occurrence else None)


def reason_for(equivalents, mutant):
    """The equivalent list's reason for this mutant, or None."""
    return equivalents.get(key(mutant)) or equivalents.get(key(mutant, occurrence=False))


def count_twins(mutants):
    """Numbers the mutants that make the same change on identical lines of one file."""
    places = {}
    for m in mutants:
        places.setdefault(key(m, occurrence=False), []).append(m)
    for twins in places.values():
        for number, m in enumerate(twins, 1):
            m.occurrence, m.twins = number, len(twins)


def all_mutants(args):
    everything = []
    for path in source_files(args.tree, args.files):
        with open(os.path.join(args.tree, path), encoding="utf-8") as f:
            found = mutants_of(path, f.read())
        count_twins(found)
        everything += found
    return everything


def announce_equivalents(listed, equivalents, everything):
    """Names every mutant left out, and every entry that no longer matches a mutant."""
    for m in listed:
        print(f"  equivalent  {m.path}:{m.line} {m.operator}: {reason_for(equivalents, m)}",
              flush=True)
    paths = {m.path for m in everything}
    existing = {key(m) for m in everything} | {key(m, occurrence=False) for m in everything}
    for entry in equivalents:
        if entry[0] in paths and entry not in existing:
            print(f"  stale equivalent entry, no such mutant: {entry[0]}: {entry[1]}", flush=True)
    for m in everything:
        if m.twins > 1 and m.occurrence == 1 and key(m, occurrence=False) in equivalents:
            print(f"  equivalent entry for {m.path}: {m.before} stands for all {m.twins} places "
                  "it can be made; give it an 'occurrence:' line if only some are", flush=True)


def print_summary(results, listed):
    killed = sum(r.outcome == "killed" for r in results)
    survived = [r for r in results if r.outcome == "survived"]
    uncompiled = sum(r.outcome == "uncompiled" for r in results)
    scored = killed + len(survived)
    print(f"\n{len(survived)} survived, {uncompiled} did not compile, "
          f"{len(listed)} listed as equivalent")
    for r in survived:
        print(f"  survived  {r.mutant.describe()}")
    for folder, (k, n) in sorted(scores_by_folder(results).items()):
        print(f"  {folder}/: {k} killed of {n} ({100.0 * k / n:.1f}%)")
    percent = 100.0 * killed / scored if scored else 0.0
    print(f"mutation score: {killed} killed of {scored} ({percent:.1f}%)")


def main(argv):
    args = parse_arguments(argv)
    equivalents = read_equivalents(args.equivalent)
    everything = all_mutants(args)
    chosen = choose(everything, args.limit, args.seed)
    if args.ids:
        chosen = [m for m in chosen if m.identity() in set(args.ids)]
    listed = [m for m in chosen if reason_for(equivalents, m)]
    to_run = [m for m in chosen if not reason_for(equivalents, m)]

    if args.list:
        for m in chosen:
            reason = reason_for(equivalents, m)
            print(m.describe() + (f"   [equivalent: {reason}]" if reason else ""))
        print(f"{len(chosen)} mutants of {len(everything)}; {len(listed)} listed as equivalent")
        return 0

    print(f"mutate.py: {len(chosen)} mutants of {len(everything)} "
          f"({len(listed)} listed as equivalent, not run)", flush=True)
    announce_equivalents(listed, equivalents, everything)
    if not to_run:
        print_summary([], listed)
        return 0
    try:
        results = run_all(args, args.tree, to_run)
    except KeyboardInterrupt:
        print("mutate.py: interrupted; the private copies are removed", file=sys.stderr)
        return 130
    print_summary(results, listed)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
