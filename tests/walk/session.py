"""The walk's hands and eyes: the program's windows and focus as they are at
rest, and input (keys, text, pastes, clicks, the window manager's actions)
that is sent only where it is meant to go, each followed by a rest. What each
input may do to the station's files is gathered in `allowed` as it is sent."""

import time

import catalogue as cat
from station import Allowed, Fault


class Ended(Exception):
    """The program ended in the step."""


class Session:
    def __init__(self, desktop, program, rng, note):
        self.desktop = desktop
        self.program = program
        self.rng = rng
        self.note = note
        self.main_id = 0
        self.state = ([], 0)
        self.allowed = Allowed()

    def trace(self, text):
        self.note(f"    {text}")

    def refresh(self):
        """Waits until the program and the window manager are at rest and
        takes the windows and the focus; raises Ended when the program ended."""
        pid = self.program.process.pid
        try:
            state = self.desktop.settle(pid, self.main_id, self.program.alive)
        except RuntimeError as error:
            raise Fault(str(error)) from error
        if state is None:
            raise Ended()
        self.state = state

    def windows(self):
        return self.state[0]

    def window(self, window_id):
        return next((window for window in self.windows() if window.id == window_id), None)

    def kind(self, window):
        return cat.kind_of(window, self.main_id)

    def permit(self, window, activations=0):
        if window is not None:
            self.allowed.merge(cat.allowed_for(window, self.windows(), self.main_id, activations))

    def permit_keys(self, receiver, activations):
        """Keys go to the focused window, or to an open menu, which holds the keyboard."""
        self.permit(receiver, activations)
        for popup in (window for window in self.windows() if window.popup and window.viewable):
            self.permit(popup, activations)

    # --- input, each followed by a rest ----------------------------------------

    def key(self, *keys, into=None):
        """Keys into the focused window; when `into` is given, only if that
        window has the focus. Returns whether they were sent."""
        receiver = self.window(self.state[1])
        if receiver is None or (into is not None and receiver.id != into):
            return False
        self.permit_keys(receiver, sum(1 for key in keys if key in cat.ACTIVATING))
        self.trace(f"key {' '.join(keys)} -> {self.describe(receiver)}")
        self.desktop.key(*keys)
        self.after_input()
        if any(len(key.split("+")[-1]) == 1 for key in keys):
            self.await_delayed_click(receiver)
        return True

    def type(self, text, into=None):
        receiver = self.window(self.state[1])
        if receiver is None or (into is not None and receiver.id != into) or not text:
            return False
        before = {window.id for window in self.windows()}
        self.permit_keys(receiver, text.count(" "))
        self.trace(f"type {text!r} -> {self.describe(receiver)}")
        self.desktop.type(text)
        try:
            self.after_input()
            self.await_delayed_click(receiver)
        finally:
            # A box that opened while the text was typed took the rest of it.
            for window in self.windows():
                if window.id not in before:
                    self.permit(window, text.count(" "))
        return True

    def paste(self, text, into=None):
        receiver = self.window(self.state[1])
        if receiver is None or (into is not None and receiver.id != into):
            return False
        self.desktop.set_clipboard(text.encode("utf-8"))
        keys = self.rng.choice([("ctrl+v",), ("ctrl+v",), ("shift+Insert",)])
        self.permit_keys(receiver, 0)
        self.trace(f"paste {short(text)} with {keys[0]} -> {self.describe(receiver)}")
        self.desktop.key(*keys)
        self.after_input()
        return True

    def click(self, x, y, button=1, into=None, twice=False):
        """A click at a screen point; when `into` is given, only if that window
        is the one at the point."""
        if not (0 <= x < self.desktop.x.width and 0 <= y < self.desktop.x.height):
            return False  # the pointer cannot go there: the click would land elsewhere
        receiver = self.window_at(x, y)
        if into is not None and (receiver is None or receiver.id != into):
            return False
        self.permit(receiver, 2 if twice else 1)
        # A click while a menu is open first closes the menu.
        for popup in (window for window in self.windows() if window.popup and window.viewable):
            self.permit(popup, 1)
        self.trace(f"click {button}{' twice' if twice else ''} at {x},{y} -> {self.describe(receiver)}")
        present = {window.id for window in self.windows() if window.viewable}
        if twice:
            self.desktop.click(x, y, button)
        self.desktop.click(x, y, button)
        self.after_input()
        # The stack may have changed under the pointer just before the click
        # (Qt raising the operator editor over the main window once that is
        # restored): a window that was already there and is on top there now,
        # over a receiver that is still shown, may be the one that took it.
        on_top = self.window_at(x, y)
        still_shown = receiver is not None and any(
            window.id == receiver.id and window.viewable for window in self.windows())
        if on_top is not None and on_top.id in present and still_shown and on_top.id != receiver.id:
            self.permit(on_top, 2 if twice else 1)
            self.trace(f"  (or {self.describe(on_top)}, on top there after the click)")
        return True

    def manage(self, action, window, *args):
        """A window manager action on a window."""
        if action == "close":
            self.permit(window)
            self.allowed.exit = self.allowed.exit or window.id == self.main_id
        self.trace(f"window manager: {action} {' '.join(map(str, args))} {self.describe(window)}")
        if action == "minimise":
            self.desktop.minimise(window)
        elif action == "restore":
            self.desktop.activate(window)
        elif action == "close":
            self.desktop.close_window(window)
        elif action == "resize":
            self.desktop.resize(window, *args)
        elif action == "maximise":
            self.desktop.toggle_state(window, "maximized_vert", "maximized_horz")
        elif action == "desktop":
            self.desktop.send_to_desktop(window, *args)
        self.after_input()
        return True

    def after_input(self):
        self.refresh()

    def await_delayed_click(self, receiver):
        """A letter that is a button's mnemonic in a box clicks it 100 ms
        later, from a timer (QAbstractButton::animateClick): the step waits
        until the box is gone or that time is well past."""
        if self.kind(receiver) not in cat.DIALOGS:
            return
        deadline = time.monotonic() + 0.3
        while time.monotonic() < deadline:
            box = self.window(receiver.id)
            if box is None or not box.managed:
                return
            time.sleep(0.02)
            self.refresh()

    def window_at(self, x, y):
        """The window whose inside is at the point on the screen."""
        window, inside = self.topmost_at(x, y)
        return window if inside else None

    def topmost_at(self, x, y):
        """(the window on top at the point, whether the point is inside it
        rather than on the window manager's decoration around it)"""
        for window in reversed(self.windows()):
            if window.viewable and window.contains(x, y):
                return window, True
            if window.viewable and window.frame and inside(window.frame, x, y):
                return window, False
        return None, False

    def describe(self, window):
        if window is None:
            return "no window of the program"
        return f"{self.kind(window)} \"{window.title}\""


def inside(rect, x, y):
    left, top, width, height = rect
    return left <= x < left + width and top <= y < top + height


def short(text):
    if len(text) > 60:
        return f"{len(text)} characters {text[:30]!r}..."
    return repr(text)
