#!/usr/bin/env python3
"""Mutation check: makes each edit of mutants.py in turn, rebuilds
build-mutation/ incrementally, runs the test suite headless (the fast tests
first, the end-to-end ones only when the fast ones pass) and says of each
edit whether the suite caught it: killed, survived, or no longer applicable
(its text is gone or it does not build). Ends with "mutation: K of N killed".

    python3 tools/mutation/run.py              every edit
    python3 tools/mutation/run.py --only a,b   the edits named
    python3 tools/mutation/run.py --list       the edits, without running
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
SRC = os.path.join(ROOT, "engine", "src")
BUILD = os.path.join(ROOT, "build-mutation")
TESTS = os.path.join(BUILD, "engine", "tests", "tarn_tests")
WORKDIR = os.path.join(BUILD, "engine", "tests", "workdir")
# The end-to-end tests start the game as a program; they take minutes.
SLOW = ("Bench.*:*HostileEnvironment*:HostileData.*:Recordings.*:PlaybackProgram.*:Playthrough.*:"
        "Program.*:*StoppedTask*")
FAST_SECONDS = 300
SLOW_SECONDS = 1200

sys.path.insert(0, HERE)
from mutants import MUTANTS  # noqa: E402


def run(cmd, timeout=None, cwd=ROOT, env=None):
    try:
        done = subprocess.run(cmd, cwd=cwd, env=env, timeout=timeout,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        return done.returncode, done.stdout
    except subprocess.TimeoutExpired:
        return "timeout", ""


def build():
    env = dict(os.environ, CCACHE_DIR=os.path.join(BUILD, "ccache"))
    code, out = run(["cmake", "--build", BUILD, "-j", str(os.cpu_count() or 1), "--target", "tarn_tests"], env=env)
    return code == 0, out


def configure():
    os.makedirs(BUILD, exist_ok=True)
    code, out = run(["cmake", "-S", ROOT, "-B", BUILD, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                     "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"])
    if code != 0:
        sys.exit("mutation: cmake failed:\n" + out)


def suite():
    """"passed", or how the suite failed: the first failing test or "timeout"."""
    home = tempfile.mkdtemp(prefix="mutation-")
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy",
               XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_STATE_HOME=os.path.join(home, "state"))
    os.makedirs(WORKDIR, exist_ok=True)
    for pattern, seconds in (("-" + SLOW, FAST_SECONDS), (SLOW, SLOW_SECONDS)):
        code, out = run([TESTS, "--gtest_filter=" + pattern, "--gtest_fail_fast", "--gtest_brief=1"],
                        timeout=seconds, cwd=WORKDIR, env=env)
        if code == "timeout":
            return "timeout"
        if code != 0:
            failed = [line.split("]", 1)[1].strip() for line in out.splitlines() if line.startswith("[  FAILED  ]")]
            return failed[0].split(" ")[0] if failed else "exit %s" % code
    return "passed"


def apply(mutant):
    """The file's original text, with the edit made; None when the edit's
    text does not stand exactly once."""
    name, path, text, replacement, _ = mutant
    full = os.path.join(SRC, path)
    if not os.path.isfile(full):
        return None
    with open(full) as f:
        original = f.read()
    if original.count(text) != 1:
        return None
    with open(full, "w") as f:
        f.write(original.replace(text, replacement))
    return original


def restore(mutant, original):
    with open(os.path.join(SRC, mutant[1]), "w") as f:
        f.write(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--only", help="comma-separated names of the edits to make")
    parser.add_argument("--list", action="store_true", help="list the edits and stop")
    args = parser.parse_args()
    chosen = MUTANTS
    if args.only:
        names = set(args.only.split(","))
        chosen = [m for m in MUTANTS if m[0] in names]
        unknown = names - {m[0] for m in chosen}
        if unknown:
            sys.exit("mutation: no such edit: " + ", ".join(sorted(unknown)))
    if args.list:
        for name, path, _, _, effect in chosen:
            print("%-36s %-40s %s" % (name, path, effect))
        return 0

    configure()
    ok, out = build()
    if not ok:
        sys.exit("mutation: the unchanged tree does not build:\n" + out[-3000:])
    verdict = suite()
    if verdict != "passed":
        sys.exit("mutation: the suite fails on the unchanged tree (%s); fix that first" % verdict)

    killed = 0
    applicable = 0
    for mutant in chosen:
        start = time.time()
        original = apply(mutant)
        if original is None:
            print("%-36s no longer applicable (its text is not in %s once)" % (mutant[0], mutant[1]), flush=True)
            continue
        try:
            ok, _ = build()
            verdict = suite() if ok else None
        finally:
            restore(mutant, original)
        if verdict is None:
            print("%-36s no longer applicable (does not build)" % mutant[0], flush=True)
            continue
        applicable += 1
        if verdict == "passed":
            print("%-36s SURVIVED: %s [%.0f s]" % (mutant[0], mutant[4], time.time() - start), flush=True)
        else:
            killed += 1
            print("%-36s killed by %s [%.0f s]" % (mutant[0], verdict, time.time() - start), flush=True)
    build()
    print("mutation: %d of %d killed" % (killed, applicable))
    return 0 if killed == applicable else 1


if __name__ == "__main__":
    sys.exit(main())
