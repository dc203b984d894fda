"""The program in a station folder of its own, and what must hold of its files
after every step of the walk."""

import datetime
import os
import shutil
import subprocess
from dataclasses import dataclass, field

LOG = "IARU_log.zrv"
BACKUP = "IARU_log.zr~"
OPERATORS = "QZ5KV_stationbook.ini"
PROGRAM = "QZ5KV_stationbook"

SANITIZER_REPORTS = (b"ERROR: AddressSanitizer", b"ERROR: LeakSanitizer", b"runtime error:",
                     b"AddressSanitizer:DEADLYSIGNAL", b"UndefinedBehaviorSanitizer")

REPORT_LINES = 60

BANDS = {b"  1800", b"  3500", b"  7000", b" 14000", b" 21000", b" 28000", b"144000"}
MODES = {b"PH", b"CW", b"FM"}


class Fault(Exception):
    """Something that must hold of the program did not."""


class Program:
    """The executable copied into the station folder, where it keeps its files."""

    def __init__(self, executable, folder, display, suppressions):
        self.folder = folder
        self.path = os.path.join(folder, PROGRAM)
        shutil.copy2(executable, self.path)
        self.fingerprint = _fingerprint(self.path)
        runtime = os.path.join(os.path.dirname(folder), "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        self.env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=runtime, LC_ALL="C.UTF-8",
                        ASAN_OPTIONS="detect_stack_use_after_return=1:check_initialization_order=1:"
                                     "strict_init_order=1:handle_abort=1",
                        UBSAN_OPTIONS="print_stacktrace=1",
                        LSAN_OPTIONS=f"suppressions={suppressions}:print_suppressions=0")
        self.env.pop("QT_QPA_PLATFORM", None)
        self.output_path = os.path.join(os.path.dirname(folder), "program.out")
        self.process = None
        self.starts = 0
        self.read_to = 0

    def start(self):
        self.starts += 1
        with open(self.output_path, "ab") as output:
            output.write(f"--- start {self.starts}\n".encode())
            output.flush()
            self.process = subprocess.Popen([self.path, "--rig", "off", "--share", "off"], cwd=self.folder,
                                            env=self.env, stdin=subprocess.DEVNULL, stdout=output,
                                            stderr=subprocess.STDOUT)

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def stop(self):
        if self.alive():
            self.process.terminate()
            try:
                self.process.wait(30)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def check_output(self):
        """The sanitizers said nothing since the last look."""
        with open(self.output_path, "rb") as output:
            output.seek(self.read_to)
            text = output.read()
        self.read_to += len(text)
        found = [text.index(report) for report in SANITIZER_REPORTS if report in text]
        if found:
            # The report itself goes into the failure, as CI keeps only what is printed.
            report = text[text.rfind(b"\n", 0, min(found)) + 1:].decode("utf-8", "replace").splitlines()[:REPORT_LINES]
            raise Fault("the sanitizers reported an error (program.out):\n" + "\n".join(report))

    def check_unchanged(self):
        if _fingerprint(self.path) != self.fingerprint:
            raise Fault(f"the program's own executable {PROGRAM} was overwritten")


def _fingerprint(path):
    # A file written over it, in place or by a rename, changes one of these.
    try:
        status = os.stat(path)
    except FileNotFoundError:
        return None
    return status.st_ino, status.st_size, status.st_mtime_ns


def _read(path):
    try:
        with open(path, "rb") as file:
            return file.read()
    except FileNotFoundError:
        return None


def _lines(name, data):
    """The file's lines without CR LF; every line must end with CR LF."""
    if not data:
        return []
    if not data.endswith(b"\r\n"):
        raise Fault(f"{name} does not end with CR LF: ...{data[-40:]!r}")
    lines = data[:-2].split(b"\r\n")
    for number, line in enumerate(lines, 1):
        if any(byte < 0x20 or byte == 0x7F for byte in line):
            raise Fault(f"line {number} of {name} holds a control character "
                        f"(a line break, tab or NUL that was typed or pasted): {line!r}")
    return lines


def _valid_moment(date, hhmm):
    """A date that the calendar has and a time of the day. The date's
    separators are not looked at: the date check takes any there."""
    digits = date[0:4] + date[5:7] + date[8:10] + hhmm
    if len(date) != 10 or len(hhmm) != 4 or not digits.isdigit():
        return False
    try:
        datetime.date(int(date[0:4]), int(date[5:7]), int(date[8:10]))
    except ValueError:
        return False
    return int(hhmm[0:2]) <= 23 and int(hhmm[2:4]) <= 59


def check_log_line(number, line):
    where = f"line {number} of {LOG}"
    if len(line) != 86:
        raise Fault(f"{where} is {len(line)} columns, not 86: {line!r}")
    if not _valid_moment(line[0:10], line[11:15]):
        raise Fault(f"{where} holds an impossible date or time: {line[0:15]!r}")
    if line[10:11] != b" " or line[15:16] != b" " or line[22:23] != b" " or line[25:30] != b"     ":
        raise Fault(f"{where} has a field run into the blanks that part its columns: {line!r}")
    if line[68:69] != b" ":
        raise Fault(f"{where} has a call that runs into the received report (a robot reads "
                    f"{line[55:72].split()[0]!r}): {line!r}")
    if line[16:22] not in BANDS or line[23:25] not in MODES:
        raise Fault(f"{where} has no band or mode of the tables: {line!r}")


def check_operator_record(number, record):
    if record.count(b",") != 10:
        raise Fault(f"record {number} of {OPERATORS} has {record.count(b',') + 1} fields, not 11: {record!r}")


@dataclass
class Allowed:
    """What the files may have undergone in one step, by what the step could
    reach: stores (at most `appends`), one deletion, a correction of every line
    equal to one line, a new log, a join, one operator record changed."""
    appends: int = 0
    delete: bool = False
    correct: bool = False
    new_log: bool = False
    join: bool = False
    operators: bool = False
    exit: bool = False
    reasons: list = field(default_factory=list)

    def merge(self, other):
        self.appends = max(self.appends, other.appends)
        for name in ("delete", "correct", "new_log", "join", "operators", "exit"):
            setattr(self, name, getattr(self, name) or getattr(other, name))
        return self


class Files:
    """The station's files as the last step left them, and the checks of the
    next step's files against them."""

    def __init__(self, folder, sandbox):
        self.folder = folder
        self.sandbox = sandbox
        self.log = _read(self.path(LOG))
        self.lines = _lines(LOG, self.log) if self.log else []
        self.operators = _read(self.path(OPERATORS))

    def path(self, name):
        return os.path.join(self.folder, name)

    def check(self, allowed, started=False):
        """Checks the files after a step. Returns what changed, in words."""
        log = _read(self.path(LOG))
        if log is None:
            raise Fault(f"{LOG} is gone")
        lines = _lines(LOG, log)
        for number, line in enumerate(lines, 1):
            check_log_line(number, line)
        operators = _read(self.path(OPERATORS))
        records = _lines(OPERATORS, operators or b"")
        for number, record in enumerate(records, 1):
            check_operator_record(number, record)

        change = self._log_change(lines, log, allowed, started)
        if operators != self.operators:
            before = _lines(OPERATORS, self.operators or b"")
            gone = _multiset_minus(before, records)
            added = _multiset_minus(records, before)
            if not allowed.operators or len(gone) > 1 or len(added) > 1:
                raise Fault(f"{OPERATORS} changed in a step that could not change it that way: "
                            f"records gone {gone!r}, added {added!r}")
            change += f"; operators -{len(gone)} +{len(added)}"
        self.log, self.lines, self.operators = log, lines, operators
        return change

    def _log_change(self, lines, log, allowed, started):
        old = self.lines
        if log == self.log:
            return ""
        if started and self.log is None:
            if lines:
                raise Fault("the start made a log that is not empty")
            return "the start made an empty log"
        if lines[:len(old)] == old and len(lines) > len(old):
            added = len(lines) - len(old)
            if added <= allowed.appends:
                self._check_backup(lines[:-1])
                return f"+{added} stored"
            if allowed.join:
                self._check_backup(old)
                return f"+{added} joined"
            raise Fault(f"{added} lines were added to {LOG} by a step that could store at most "
                        f"{allowed.appends}: {lines[len(old):]!r}")
        if allowed.delete and len(lines) == len(old) - 1 and _without_one(old, lines):
            return "-1 deleted"
        if allowed.correct and len(lines) == len(old):
            changed = [i for i in range(len(old)) if old[i] != lines[i]]
            selected = {old[i] for i in changed}
            results = {lines[i] for i in changed}
            if len(selected) == 1 and len(results) == 1:
                (line,) = selected
                untouched = [i for i in range(len(old)) if old[i] == line and i not in changed]
                if not untouched:
                    return f"{len(changed)} corrected"
                raise Fault(f"a correction changed {len(changed)} of the {len(changed) + len(untouched)} "
                            f"equal lines: {line!r}")
        if allowed.new_log and not lines:
            self._check_archive()
            return "new log"
        kinds = [name for name in ("delete", "correct", "new_log", "join") if getattr(allowed, name)]
        raise Fault(f"{LOG} changed in a way that the step could not cause (it could store "
                    f"{allowed.appends}{', ' + ', '.join(kinds) if kinds else ''}):\n"
                    f"  before: {len(old)} lines, after: {len(lines)} lines\n" +
                    "".join(f"  gone: {line!r}\n" for line in _multiset_minus(old, lines)) +
                    "".join(f"  new:  {line!r}\n" for line in _multiset_minus(lines, old)))

    def _check_backup(self, before):
        backup = _read(self.path(BACKUP))
        expected = b"".join(line + b"\r\n" for line in before)
        if backup != expected:
            raise Fault(f"the backup {BACKUP} is not the log as it was before the last QSO: "
                        f"{backup[:200]!r} instead of {expected[:200]!r}")

    def _check_archive(self):
        """The emptied log is whole in some file that the new-log dialog may have written."""
        for folder in (self.folder, self.sandbox):
            for root, _, names in os.walk(folder):
                for name in names:
                    path = os.path.join(root, name)
                    if name != LOG and os.path.getsize(path) == len(self.log) and _read(path) == self.log:
                        return
        raise Fault(f"the log was emptied but no archive holds its {len(self.lines)} lines")


def _without_one(old, new):
    for index in range(len(old)):
        if old[:index] + old[index + 1:] == new:
            return True
    return False


def _multiset_minus(first, second):
    rest = list(second)
    result = []
    for item in first:
        if item in rest:
            rest.remove(item)
        else:
            result.append(item)
    return result
