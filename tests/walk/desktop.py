"""The virtual screen as the walk sees it: the program's windows under a real
window manager (openbox), the keyboard and mouse (xdotool), the window
manager's actions (wmctrl, xdotool), the clipboard (xclip) and screenshots."""

import os
import subprocess
import time
from dataclasses import dataclass

import x11

# How long the program and the window manager may take to answer a round trip
# before the walk calls the program hung. A sanitizer build handling a
# 20,000-character paste takes a few seconds.
ANSWER_SECONDS = 30


_SHIFT = 0xFFE1
_KEYSYMS = {
    "shift": _SHIFT, "ctrl": 0xFFE3, "alt": 0xFFE9, "Return": 0xFF0D, "KP_Enter": 0xFF8D, "Escape": 0xFF1B,
    "Tab": 0xFF09, "BackSpace": 0xFF08, "Delete": 0xFFFF, "Home": 0xFF50, "Left": 0xFF51, "Up": 0xFF52,
    "Right": 0xFF53, "Down": 0xFF54, "Page_Up": 0xFF55, "Page_Down": 0xFF56, "End": 0xFF57, "Insert": 0xFF63,
    "Menu": 0xFF67, "space": 0x20,
}


def _keysym(name):
    if name in _KEYSYMS:
        return _KEYSYMS[name]
    if name[0] == "F" and name[1:].isdigit():
        return 0xFFBD + int(name[1:])
    if len(name) == 1:
        return ord(name.lower())
    raise ValueError(f"no key {name}")


def _asleep_in_poll(pid):
    """Whether the program's main thread sleeps in poll(): Qt's event loop
    sleeps so only when it has nothing left to do (with a window system event
    or a posted event pending it polls without a timeout and runs on)."""
    try:
        with open(f"/proc/{pid}/task/{pid}/stat") as file:
            state = file.read().rsplit(")", 1)[1].split()[0]
        with open(f"/proc/{pid}/task/{pid}/wchan") as file:
            wchan = file.read()
    except OSError:
        return True  # it ended
    # A kernel without symbols shows no name: the state alone must do there.
    return state == "S" and ("poll" in wchan or wchan in ("", "0"))


@dataclass(frozen=True)
class Window:
    id: int
    title: str  # without the application name that Qt appends to dialogs
    transient_for: int
    x: int  # the inside of the window on the screen
    y: int
    width: int
    height: int
    viewable: bool
    managed: bool  # shown by the program (perhaps minimised or on another desktop), not withdrawn
    hidden: bool  # minimised
    desktop: int
    popup: bool  # a menu or list that pops up over the windows (no frame)
    tooltip: bool
    modal: bool
    frame: tuple  # (x, y, width, height) with the window manager's decoration, or None

    def contains(self, x, y):
        return self.x <= x < self.x + self.width and self.y <= y < self.y + self.height


class Desktop:
    def __init__(self, display, log):
        self.display = display
        self.log = log
        self.x = x11.Display(display)
        self.env = dict(os.environ, DISPLAY=display, LC_ALL="C.UTF-8")  # xdotool types Polish letters
        self.clipboard = None
        self.clipboard_window = 0
        self.window_manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                               stdout=log, stderr=subprocess.STDOUT)
        deadline = time.monotonic() + 20
        while not self.x.cardinals(self.x.root, "_NET_SUPPORTING_WM_CHECK"):
            if time.monotonic() > deadline or self.window_manager.poll() is not None:
                raise RuntimeError("openbox did not start")
            time.sleep(0.05)

    def close(self):
        for process in (self.clipboard, self.window_manager):
            if process is not None and process.poll() is None:
                process.terminate()
                process.wait()
        self.x.close()

    # --- what is on the screen ------------------------------------------------

    def windows(self, pid):
        """The program's windows, from the bottom of the stack to its top:
        those the window manager manages (in their frames), the popups, and
        the windows the program has withdrawn."""
        managed = self.x.cardinals(self.x.root, "_NET_CLIENT_LIST")
        frames = {}
        for client in managed:
            try:
                frames[self._frame_of(client)] = client
            except x11.XError:
                pass
        result = []
        _, stack = self.x.tree(self.x.root)
        for top in stack:
            window = frames.get(top, top)
            record = self._describe(window, pid, top if window != top else None, window in managed)
            if record is not None:
                result.append(record)
        return result

    def _frame_of(self, window):
        while True:
            parent, _ = self.x.tree(window)
            if parent == self.x.root:
                return window
            window = parent

    def _describe(self, window, pid, frame, managed):
        try:
            if pid not in self.x.cardinals(window, "_NET_WM_PID"):
                return None
            viewable, override = self.x.attributes(window)
            if frame is not None:
                viewable = viewable and self.x.attributes(frame)[0]
            if override and not viewable:
                return None
            title = self.x.title(window)
            suffix = " \u2014 QZ5KV Stationbook"
            if title.endswith(suffix):
                title = title[:-len(suffix)]
            states = self.x.atom_names(window, "_NET_WM_STATE")
            types = self.x.atom_names(window, "_NET_WM_WINDOW_TYPE")
            transient = self.x.cardinals(window, "WM_TRANSIENT_FOR")
            desktop = self.x.cardinals(window, "_NET_WM_DESKTOP")
            x, y, width, height = self.x.geometry(window)
            framed = None
            if frame is not None:
                framed = self.x.geometry(frame)
        except x11.XError:
            return None  # it went while it was looked at
        return Window(window, title, transient[0] if transient else 0, x, y, width, height, viewable, managed,
                      "_NET_WM_STATE_HIDDEN" in states, desktop[0] if desktop else 0, override,
                      "_NET_WM_WINDOW_TYPE_TOOLTIP" in types, "_NET_WM_STATE_MODAL" in states, framed)

    def focus(self):
        return self.x.focus()

    def current_desktop(self):
        current = self.x.cardinals(self.x.root, "_NET_CURRENT_DESKTOP")
        return current[0] if current else 0

    def settle(self, pid, ping_window, alive):
        """Waits until the program and the window manager have handled all
        input and their answers to each other. A round: a ping that the
        program answers once it has taken every X event sent before it, then
        its main thread asleep in its event loop's poll (so it has also
        delivered them to the windows: Qt does that after the ping's answer),
        then a round trip to the window manager. Rounds go on until two in a
        row see the same windows and focus. Returns (windows, focus), or None
        when the program ended."""
        previous = None
        for _ in range(100):
            if not alive():
                return None
            try:
                self.x.ping(ping_window, ANSWER_SECONDS, alive)
                self._await_idle(pid, alive)
            except x11.XError:
                return None
            except x11.Timeout:
                if not alive():
                    return None
                raise RuntimeError(f"the program did not answer for {ANSWER_SECONDS} s")
            self.x.sync_window_manager(ANSWER_SECONDS)
            windows = [window for window in self.windows(pid) if not window.tooltip]
            state = (windows, self.focus(), self.current_desktop())
            if state == previous:
                return windows, state[1]
            previous = state
        raise RuntimeError("the windows never came to rest")

    @staticmethod
    def _await_idle(pid, alive):
        deadline = time.monotonic() + ANSWER_SECONDS
        while not _asleep_in_poll(pid):
            if not alive():
                return
            if time.monotonic() > deadline:
                raise x11.Timeout()
            time.sleep(0.0005)

    # --- the keyboard, the mouse and the clipboard ----------------------------

    def _run(self, *command):
        # A window may go between the look and the command: its failure is
        # no failure of the walk.
        subprocess.run(command, env=self.env, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def key(self, *chords):
        """Chords as xdotool names them ("Return", "alt+b", "shift+Tab")."""
        for chord in chords:
            self.x.press([_keysym(name) for name in chord.split("+")])

    def type(self, text):
        if all(" " <= c <= "~" for c in text):
            for c in text:
                code = self.x.keycode(ord(c))
                self.x.press(([_SHIFT] if code[1] else []) + [ord(c)] if code else [ord(c)])
            return
        # xdotool maps a letter that the keymap lacks to a spare key for a
        # moment; the pause lets the program read the new mapping.
        self._run("xdotool", "type", "--delay", "250", "--", text)

    def click(self, x, y, button=1):
        self.x.move_and_click(x, y, button)

    def set_clipboard(self, data):
        """Owns the clipboard with `data` (bytes, UTF-8) from now on."""
        if self.clipboard is not None:
            self.clipboard.terminate()
            self.clipboard.wait()
            # The server may not have seen it go yet; the next xclip may even
            # get the same window id.
            self._wait_for(lambda: self.x.selection_owner("CLIPBOARD") != self.clipboard_window,
                           "xclip did not give up the clipboard")
        # The program may own it now (a copy or cut in a field).
        before = self.x.selection_owner("CLIPBOARD")
        # -quiet keeps xclip in the foreground, where it can be ended by its id.
        self.clipboard = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"], env=self.env,
                                          stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL)
        self.clipboard.stdin.write(data)
        self.clipboard.stdin.close()
        self._wait_for(lambda: self.x.selection_owner("CLIPBOARD") not in (0, before) or
                       self.clipboard.poll() is not None, "xclip did not take the clipboard")
        if self.clipboard.poll() is not None:
            raise RuntimeError(f"xclip ended with {self.clipboard.returncode}")
        self.clipboard_window = self.x.selection_owner("CLIPBOARD")

    @staticmethod
    def _wait_for(condition, failure):
        deadline = time.monotonic() + ANSWER_SECONDS
        while not condition():
            if time.monotonic() > deadline:
                raise RuntimeError(failure)
            time.sleep(0.002)

    # --- the window manager ---------------------------------------------------

    def minimise(self, window):
        self._run("xdotool", "windowminimize", str(window.id))

    def activate(self, window):
        self._run("wmctrl", "-i", "-a", hex(window.id))

    def close_window(self, window):
        self._run("wmctrl", "-i", "-c", hex(window.id))

    def resize(self, window, x, y, width, height):
        self._run("wmctrl", "-i", "-r", hex(window.id), "-e", f"0,{x},{y},{width},{height}")

    def toggle_state(self, window, *states):
        self._run("wmctrl", "-i", "-r", hex(window.id), "-b", "toggle," + ",".join(states))

    def send_to_desktop(self, window, desktop):
        self._run("wmctrl", "-i", "-r", hex(window.id), "-t", str(desktop))

    def switch_desktop(self, desktop):
        self._run("wmctrl", "-s", str(desktop))

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
