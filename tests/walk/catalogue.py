"""What the walk knows of the program's windows: how to tell them apart, where
their controls are, what a step into each may do to the files, and the texts
it types and pastes."""

import random

from station import Allowed

# Window kinds by title (Qt appends " — QZ5KV Stationbook" to dialogs; the
# walk strips it).
TITLES = {
    "Nagłówek pliku Cabrillo": "editor",
    "Zapis pliku ADIF": "adif",
    "Przegląd zawodów": "overview",
    "Sprawdzenie logu": "check",
    "Zachowaj jako": "save",
    "Otwórz": "open",
    "Potwierdzenie": "confirm",
    "Ostrzeżenie": "overwrite",
}

# Windows that block the others until they are answered.
DIALOGS = {"save", "open", "confirm", "overwrite", "correct", "box"}


def kind_of(window, main_id):
    if window.id == main_id:
        return "main"
    if window.popup:
        return "popup"
    if window.title.startswith("Wybór "):
        return "pick"
    if window.title.startswith("Zmiana "):
        return "correct"
    return TITLES.get(window.title, "box")


def allowed_for(window, windows, main_id, activations=0, depth=0):
    """What input into `window` may do to the station's files. A box or a
    menu may also let the handler of the window it belongs to go on, so it
    may do what that window may; one that belongs to none may do what any
    window of the program may."""
    kind = kind_of(window, main_id)
    allowed = Allowed()
    if kind == "main":
        allowed.appends = activations
        allowed.exit = True
    elif kind in ("editor", "overview"):
        allowed.operators = True
    elif kind in ("pick", "correct"):
        allowed.correct = True
    elif kind in ("save", "overwrite"):
        allowed.new_log = True
    elif kind == "open":
        allowed.join = True
    if kind not in ("box", "popup", "confirm", "save", "open", "overwrite", "correct") or depth > 4:
        return allowed
    parent = next((other for other in windows if other.id == window.transient_for != window.id), None)
    owners = [parent] if parent is not None else [other for other in windows if other.id != window.id]
    for owner in owners:
        inherited = allowed_for(owner, windows, main_id, activations, depth + 1)
        inherited.exit = False
        allowed.merge(inherited)
    if kind == "confirm":
        # Deleting a QSO asks over the main window, deleting an operator over the editor.
        allowed.delete |= parent is None or kind_of(parent, main_id) == "main"
        allowed.operators |= parent is None or kind_of(parent, main_id) == "editor"
    return allowed


# --- places of the controls, inside each window -------------------------------
# A place is (x, y) from the window's top left corner; a negative x counts from
# its right edge and a negative y from its bottom edge, as the controls stay
# there when the window manager resizes the window.

MAIN_FIELDS = {
    "date": (212, 37), "band": (283, 37), "mode": (352, 37), "time": (430, 37), "call": (247, 79),
    "exchange": (428, 80), "report received": (209, 126), "report sent": (290, 126), "sent exchange": (428, 129),
}
MAIN_BUTTONS = {
    "operator list": (80, 38), "band list": (322, 37), "mode list": (390, 37), "time up": (465, 32),
    "time down": (465, 43), "operators": (84, 93), "auto-increment": (353, 155), "store": (-86, 79),
    "Cabrillo": (68, -22), "ADIF": (183, -22), "new log": (281, -22), "join": (367, -22), "Info": (453, -22),
    "end": (539, -22), "clock": (630, -22),
}
MAIN_LIST_TOP = 228
ROW = 16

EDITOR_FIELDS = {
    "callsign": (224, 34), "category": (400, 34), "name": (332, 74), "e-mail": (268, 114), "points": (452, 114),
    "address": (332, 154), "address 2": (332, 178), "address 3": (332, 202), "contest": (608, 34),
    "operators": (608, 74), "remarks": (608, 114),
}
EDITOR_BUTTONS = {"new": (52, 204), "delete": (116, 204), "save": (560, 164), "edit": (560, 204),
                  "back": (656, 204)}

PICK_PLACES = {"list": (80, 30), "list arrow": (160, 30), "OK": (221, 32)}
ADIF_PLACES = {"comment": (170, 41), "write": (210, 72), "back": (292, 72)}
OVERVIEW_PLACES = {"score into header": (407, 291), "check log": (407, 318), "partial calls": (115, 120)}
CHECK_PLACES = {"all operators": (18, 21), "check again": (-62, 21), "first finding": (300, 72)}
# The log list's popup menu: eight corrections, a separator, the deletion.
MENU_CORRECTIONS = ["date", "time", "band", "mode", "operator", "call", "sent exchange", "received exchange"]
MENU_FIRST_ITEM = 10
MENU_ITEM = 22
MENU_DELETE = 189

KEYS = ["Return", "KP_Enter", "Escape", "Tab", "shift+Tab", "Page_Up", "Page_Down", "ctrl+Page_Up",
        "shift+Page_Down", "BackSpace", "Delete", "Left", "Right", "Home", "End", "Up", "Down", "space",
        "alt+b", "alt+m", "alt+c", "alt+shift+b", "ctrl+alt+c", "ctrl+a", "ctrl+z", "ctrl+x", "ctrl+c",
        "F1", "F2", "F3", "F5", "F10", "F12", "alt+F2", "shift+F10", "Menu", "a", "5", "t", "n", "alt+t",
        "alt+n", "alt+a", "Insert"]
# Keys that can press a focused button or store a QSO.
ACTIVATING = {"Return", "KP_Enter", "space"}

CALLS = ["SP9ABC", "dl1xyz", "QZ5KV", "qz5kv", "OK1AAA", "VP2V/DL1ABC/MM", "SP1ABCDEFGHIJ", "W1AW/QZ5KV/P13",
         "9A1A", "S5/SP1ABC/P", " ", "   ", "", "ŁÓDŹ", "SP9ABC ", " SP9ABC", "SP 9ABC"]
EXCHANGES = ["KRU", "15", "28", "001", "k r u", "ABCDEFGHIJKLMN", "ąęś", "", " ", "JO91", "1234567"]
TIMES = ["12:30", "23:59", "00:00", "25:75", "1a:30", "12.30", "12:3", " 12:30 ", "24:00", "99:99", "2359"]
DATES = ["2026-07-11", "2026-02-30", "2026-13-45", "2026/07/11", "2026-7-11", "2024-02-29", "2025-02-29",
         "0000-00-00", "2026-07-11x"]
REPORTS = ["59", "599", "5a9", "5-9", "", "5999", "ą"]
ENTRY_TIMES = ["1234", "2599", "0000", "2359", "12:3", "12345", "", "ab12"]
ENTRY_DATES = ["2026-07-12", "2026-02-30", "2026-13-01", "26-07-12", "2026-07-120", ""]
NAMES = ["Jan Kowalski", "Żaneta Łęcka", "QZ3NEW", "qz4low", "QZ1ABC", "", "   ", "ul. Długa 5", "A, B", "IARU-HF"]
BAND_TEXTS = ["160M", "10M", "2M", "XX", ""]
MODE_TEXTS = ["SSB", "CW", "FM", "x"]
ODD = ["\n", "\r\n", "\r", "\t", "\0", ",", ";", "\"", "'", "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ", "€", "Ω", "中", "\U0001F642",
       "\u200b", "\x7f", "\x1b", " "]

# Kinds of text that the walk can leave out (--without), to walk today's
# program around faults already known: texts with control characters, texts
# longer than the column they go to, and impossible dates and times.
CONTROL = set("\n\r\t\0\x7f\x1b")
LONG = {"VP2V/DL1ABC/MM", "W1AW/QZ5KV/P13", "ABCDEFGHIJKLMN", "1234567"}
IMPOSSIBLE = {"2026-02-30", "2026-13-45", "2025-02-29", "0000-00-00", "25:75", "24:00", "99:99", "2599",
              "2026-13-01"}


class Texts:
    """The texts to type and paste, without the kinds left out."""

    def __init__(self, rng: random.Random, kinds):
        self.rng = rng
        self.control = "odd-text" in kinds
        self.long = "long-text" in kinds
        self.impossible = "bad-times" in kinds

    def fits(self, text):
        return ((self.control or not CONTROL & set(text)) and (self.long or text not in LONG) and
                (self.impossible or text not in IMPOSSIBLE))

    def choice(self, values):
        return self.rng.choice([value for value in values if self.fits(value)])

    def field_value(self, field):
        return self.choice({
            "date": DATES, "time": TIMES, "call": CALLS, "exchange": EXCHANGES, "sent exchange": EXCHANGES,
            "report received": REPORTS, "report sent": REPORTS, "band": BAND_TEXTS, "mode": MODE_TEXTS,
        }.get(field, NAMES + CALLS))

    def random(self):
        """A text to paste: pieces of what an operator types, with line
        breaks, tabs, NUL, commas and Polish letters, or now and then 20,000
        characters."""
        if self.long and self.rng.random() < 0.08:
            alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 /ąłó," + ("\t\n" if self.control else "")
            return "".join(self.rng.choice(alphabet) for _ in range(20000))
        pieces = CALLS + EXCHANGES + TIMES + DATES + ODD + ODD
        text = "".join(self.choice(pieces) for _ in range(self.rng.randint(1, 5)))
        # Six characters fit every column but the reports'.
        return text if self.long else text[:6]


def place(window, spot):
    """The screen point of a place inside the window."""
    x, y = spot
    return (window.x + (x if x >= 0 else window.width + x), window.y + (y if y >= 0 else window.height + y))
