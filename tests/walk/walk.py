#!/usr/bin/env python3
"""A seeded random walk through the real program on a virtual X screen under a
real window manager: keys, typed and pasted text, clicks, the log list's
corrections, the operator editor, the exports, a new log, a join, and the
window manager's actions on every window. After every step the program must
be alive with nothing from the sanitizers, and the station's files must hold
what station.py says.

Run it through run_walk.sh, which gives it a screen:
    tests/walk/run_walk.sh build/asan/app/QZ5KV_stationbook [--seconds 60] [--seed N] [--steps N]
                           [--without KIND ...] [--out FOLDER]
It prints its seed; `--seed N --steps K` replays a failing walk."""

import argparse
import collections
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

import catalogue as cat
from desktop import Desktop
from session import Ended
from station import LOG, OPERATORS, Allowed, Fault, Files, Program
from steps import Steps

# What --without can leave out: kinds of action, and kinds of text typed and
# pasted (texts with control characters, texts longer than their column,
# impossible dates and times).
KINDS = ["keys", "type", "paste", "click", "menu", "delete", "operators", "editor", "exports", "overview",
         "newlog", "join", "minimise", "restore", "close", "resize", "desktop", "restart", "odd-text", "long-text",
         "bad-times"]

# The station the walk starts from: three operators and a log with two
# identical QSOs.
OPERATOR_RECORDS = [
    "QZ1ABC,Jan Kowalski,,ul. Polna 1,,,0,CHECKLOG,,IARU-HF,",
    "QZ2XYZ,Anna Nowak,,ul. D\u0142uga 2,,,0,CHECKLOG,,IARU-HF,",
    "SP9ZZZ,Piotr Wi\u015bniewski,sp9zzz@example.org,ul. Kr\u00f3tka 3,Krak\u00f3w,,0,A KF,,IARU-HF,",
]
LOG_LINES = [
    "2026-07-11 1200  14000 CW     QZ1ABC        599 28     QZ5KV         599 KRU          ",
    "2026-07-11 1201  14000 CW     QZ1ABC        599 28     SP9ABC        599 15           ",
    "2026-07-11 1201  14000 CW     QZ1ABC        599 28     SP9ABC        599 15           ",
    "2026-07-11 1203   7000 PH     QZ2XYZ        59  28     DL1XYZ        59  14           ",
    "2026-07-11 1204  28000 CW     SP9ZZZ        599 28     OK1AAA        599 15           ",
]
EVIDENCE = ("steps.txt", "screenshot.png", "program.out", "station")
# The steps printed with a failure, before the steps file that CI does not keep.
RECENT_NOTES = 20


class Walk(Steps):
    def __init__(self, args, seed, out):
        self.args = args
        self.seed = seed
        self.out = out
        self.work = tempfile.mkdtemp(prefix="qz-walk-")
        station = os.path.join(self.work, "station")
        sandbox = os.path.join(self.work, "sandbox")
        os.makedirs(station)
        os.makedirs(sandbox)
        _write(os.path.join(station, OPERATORS), OPERATOR_RECORDS)
        _write(os.path.join(station, LOG), LOG_LINES)
        # The evidence of an earlier walk must not pass for this one's.
        for name in EVIDENCE:
            path = os.path.join(out, name)
            if os.path.isdir(path):
                shutil.rmtree(path)
            elif os.path.exists(path):
                os.remove(path)
        self.steps_file = open(os.path.join(out, "steps.txt"), "w", encoding="utf-8")
        self.wm_log = open(os.path.join(self.work, "openbox.out"), "wb")
        display = os.environ["DISPLAY"]
        suppressions = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sanitizers", "lsan.supp")
        program = Program(args.executable, station, display, os.path.abspath(suppressions))
        kinds = [kind for kind in KINDS if kind not in args.without]
        super().__init__(Desktop(display, self.wm_log), program, random.Random(seed), self.write_note, kinds, station,
                         sandbox)
        self.files = Files(station, sandbox)
        self.step = 0
        self.tally = collections.Counter()
        self.recent_notes = collections.deque(maxlen=RECENT_NOTES)

    def write_note(self, text):
        self.steps_file.write(text + "\n")
        self.steps_file.flush()
        self.recent_notes.append(text)

    def note_windows(self):
        self.note("windows, from the bottom of the stack (focus %#x):" % self.state[1])
        for window in self.windows():
            self.note(f"  {window.id:#x} {self.describe(window)} at {window.x},{window.y} "
                      f"{window.width}x{window.height}{'' if window.viewable else ' not shown'}"
                      f"{' minimised' if window.hidden else ''} desktop {window.desktop + 1}")

    def start_program(self):
        self.program.start()
        deadline = time.monotonic() + 60
        while True:
            mains = [window for window in self.desktop.windows(self.program.process.pid)
                     if window.title == "QZ5KV Stationbook" and window.viewable and not window.popup
                     and not window.transient_for]
            if mains:
                self.main_id = mains[0].id
                break
            if not self.program.alive():
                raise Fault(f"the program ended at its start with {_exit_text(self.program.process.returncode)}")
            if time.monotonic() > deadline:
                # The sanitizer prints where the program stands when it aborts.
                self.program.process.send_signal(signal.SIGABRT)
                try:
                    self.program.process.wait(30)
                except subprocess.TimeoutExpired:
                    pass
                self.program.check_output()
                raise Fault("the main window did not open within 60 s")
            time.sleep(0.05)
        self.refresh()
        self.program.check_output()
        self.note("  start: " + (self.files.check(Allowed(), started=True) or "files unchanged"))

    def run(self):
        started = time.monotonic()
        self.note(f"seed {self.seed}; kinds: {' '.join(self.kinds)}")
        self.start_program()
        while True:
            if self.args.steps is not None and self.step >= self.args.steps:
                break
            if self.args.steps is None and time.monotonic() - started > self.args.seconds:
                break
            self.step += 1
            self.allowed = Allowed()
            description, run = self.choose()
            self.note(f"step {self.step}: {description}")
            ended = False
            try:
                run()
            except Ended:
                ended = True
            self.check(ended)
        self.finish()
        return time.monotonic() - started

    def check(self, ended):
        """What must hold after every step."""
        if ended:
            try:
                code = self.program.process.wait(60)
            except subprocess.TimeoutExpired as error:
                raise Fault("the main window went but the program did not end") from error
            self.program.check_output()
            if code != 0:
                raise Fault(f"the program ended with {_exit_text(code)}")
            if not self.allowed.exit:
                raise Fault("the program ended in a step that could not end it")
        else:
            self.program.check_output()
        change = self.files.check(self.allowed)
        self.program.check_unchanged()
        if change:
            self.note(f"  files: {change}")
            for what in ("stored", "deleted", "corrected", "joined", "new log", "operators"):
                if what in change:
                    self.tally[what] += 1
        if ended:
            self.tally["restarts"] += 1
            self.note("  the program ended; it is started again")
            self.start_program()

    def finish(self):
        """Ends the program as the operator does, boxes answered first, and
        checks its last words."""
        escaped = set()
        for _ in range(20):
            try:
                self.refresh()
            except Ended:
                break
            windows = self.windows()
            boxes = [window for window in windows
                     if window.managed and self.kind(window) in cat.DIALOGS or window.popup and window.viewable]
            if boxes:
                box = boxes[-1]
                # A window that stays after Escape (the band map) is closed
                # by its title bar, as the operator would.
                if box.id in escaped and box.managed:
                    self.desktop.close_window(box)
                    continue
                escaped.add(box.id)
                self.desktop.activate(box)
                self.refresh()
                self.desktop.key("Escape")
                continue
            main = self.window(self.main_id)
            # The ADIF window hides the main window; closing it shows it again.
            others = [window for window in windows if window.managed]
            target = main if main is not None and main.managed else others[-1] if others else None
            if target is not None:
                self.desktop.close_window(target)
        try:
            code = self.program.process.wait(60)
        except subprocess.TimeoutExpired as error:
            raise Fault("the program did not end when its main window was closed") from error
        self.program.check_output()
        if code != 0:
            raise Fault(f"the program ended with {_exit_text(code)} when closed")
        self.note("  the program ended")

    def close(self):
        self.program.stop()
        self.desktop.close()
        self.steps_file.close()
        self.wm_log.close()

    def keep_evidence(self):
        self.desktop.screenshot(os.path.join(self.out, "screenshot.png"))
        shutil.copytree(self.station, os.path.join(self.out, "station"), dirs_exist_ok=True,
                        ignore=shutil.ignore_patterns("QZ5KV_stationbook"))
        if os.path.exists(self.program.output_path):
            shutil.copy(self.program.output_path, os.path.join(self.out, "program.out"))


def _write(path, lines):
    with open(path, "wb") as file:
        file.write("".join(line + "\r\n" for line in lines).encode("cp1250"))


def _exit_text(code):
    return f"signal {-code}" if code < 0 else f"exit code {code}"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("executable")
    parser.add_argument("--seconds", type=float, default=60, help="how long to walk (default 60)")
    parser.add_argument("--steps", type=int, help="walk this many steps instead (for a replay)")
    parser.add_argument("--seed", type=int, help="the walk's seed (default: a new one)")
    parser.add_argument("--without", action="append", default=[], choices=KINDS, metavar="KIND",
                        help="leave out a kind of action or text: " + ", ".join(KINDS))
    parser.add_argument("--out", default="walk-out", help="where the steps and a failure's evidence go")
    args = parser.parse_args()
    seed = args.seed if args.seed is not None else int.from_bytes(os.urandom(4), "big")
    os.makedirs(args.out, exist_ok=True)
    replay = f"tests/walk/run_walk.sh {args.executable} --seed {seed}" + "".join(
        f" --without {kind}" for kind in args.without)
    print(f"walk: seed {seed}", flush=True)
    walk = Walk(args, seed, os.path.abspath(args.out))
    try:
        seconds = walk.run()
    except Exception as error:  # the evidence is kept whatever went wrong
        detail = str(error) if isinstance(error, Fault) else traceback.format_exc()
        print("walk: the last steps:", *walk.recent_notes, sep="\n  ", file=sys.stderr)
        walk.note(f"FAIL: {detail}")
        walk.note_windows()
        walk.keep_evidence()
        print(f"FAIL at step {walk.step}: {detail}", file=sys.stderr)
        print(f"walk: the steps, a screenshot, the station's files and the program's output are in {args.out}",
              file=sys.stderr)
        print(f"walk: replay with {replay} --steps {walk.step}", file=sys.stderr)
        return 1
    finally:
        walk.close()
        shutil.rmtree(walk.work, ignore_errors=True)
    done = ", ".join(f"{what} {count}" for what, count in sorted(walk.tally.items()))
    print(f"PASS: {walk.step} steps in {seconds:.0f} s (seed {seed}); steps that changed the files: {done or 'none'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
