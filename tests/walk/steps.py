"""The steps of the walk: what it does next, chosen at random from what the
windows on the screen offer. Each choice returns a description and the
inputs to send; boxes are answered and menus used before anything else, so
that the walk never sticks."""

import os

import catalogue as cat
from session import Session, short
from station import Fault


class Steps(Session):
    def __init__(self, desktop, program, rng, note, kinds, station, sandbox):
        super().__init__(desktop, program, rng, note)
        self.kinds = kinds
        self.texts = cat.Texts(rng, kinds)
        self.station = station
        self.sandbox = sandbox
        self.box_age = {}
        self.archives = 0

    def choose(self):
        windows = self.windows()
        popups = [window for window in windows if window.popup and window.viewable]
        dialogs = [window for window in windows if window.managed and self.kind(window) in cat.DIALOGS]
        for window_id in list(self.box_age):
            if all(window.id != window_id for window in dialogs):
                del self.box_age[window_id]
        if popups and self.rng.random() < 0.75:
            return self.popup_step(popups[-1])
        if dialogs:
            box = dialogs[-1]
            self.box_age[box.id] = self.box_age.get(box.id, 0) + 1
            if self.box_age[box.id] > 12:
                return self.unstick(box)
            if (not box.viewable or box.hidden) and self.rng.random() < 0.5 and "restore" in self.kinds:
                return "restore the box", lambda: self.manage("restore", box)
            # A file dialog is only ever given a name of the station's or the
            # walk's own folders: random keys or clicks there could browse to
            # any file of the computer and write the log's archive over it.
            if self.rng.random() < 0.8 or self.in_file_dialog(box) or self.in_file_dialog(self.focused()):
                return self.answer(box)
        return self.free_step()

    def focused(self):
        return self.window(self.state[1])

    def in_file_dialog(self, window, depth=0):
        if window is None or depth > 4:
            return False
        return self.kind(window) in ("save", "open") or self.in_file_dialog(self.window(window.transient_for),
                                                                               depth + 1)

    def weighted(self, options):
        options = [(weight, kind, make) for weight, kind, make in options if kind in self.kinds]
        total = sum(weight for weight, _, _ in options)
        pick = self.rng.uniform(0, total)
        for weight, kind, make in options:
            pick -= weight
            if pick <= 0:
                return make()
        return options[-1][2]()

    def free_step(self):
        main = self.window(self.main_id)
        if (main is None or not main.viewable) and self.rng.random() < 0.4:
            return self.bring_main_back()
        return self.weighted([
            (14, "keys", self.random_key),
            (5, "type", self.random_typing),
            (14, "type", self.fill_field),
            (6, "paste", self.random_paste),
            (18, "type", self.store_qso),
            (12, "click", self.click_control),
            (2, "click", self.click_anywhere),
            (8, "menu", self.open_menu),
            (3, "operators", self.change_operator),
            (5, "editor", self.editor_step),
            (2, "exports", self.export_step),
            (2, "overview", self.overview_step),
            (1, "newlog", lambda: self.main_button("new log")),
            (1, "join", lambda: self.main_button("join")),
            (3, "minimise", self.minimise_step),
            (3, "restore", self.restore_step),
            (2, "close", self.close_step),
            (2, "resize", self.resize_step),
            (2, "desktop", self.desktop_step),
            (0.3, "restart", lambda: self.main_button("end")),
        ])

    def bring_main_back(self):
        """The main window hides while the ADIF window is open; the window
        manager may have it minimised or on another desktop."""
        adif = self.visible("adif")
        if adif and self.rng.random() < 0.7:
            x, y = cat.place(adif[-1], cat.ADIF_PLACES["back"])
            return "back from the ADIF window", lambda: self.click(x, y, into=adif[-1].id)
        main = self.window(self.main_id)
        if main is None or not main.managed:
            return self.restore_step()
        return f"restore {self.describe(main)}", lambda: self.manage("restore", main)

    def reach(self, window, spot):
        """The screen point of a place in the window, the window brought
        forward first when another one covers the place; None when it cannot
        be reached."""
        x, y = cat.place(window, spot)
        hit = self.window_at(x, y)
        if hit is not None and hit.id == window.id:
            return x, y
        self.manage("restore", window)
        window = self.window(window.id)
        if window is None or not window.viewable:
            return None
        x, y = cat.place(window, spot)
        hit = self.window_at(x, y)
        return (x, y) if hit is not None and hit.id == window.id else None

    def visible(self, kind=None):
        return [window for window in self.windows()
                if window.viewable and not window.popup and (kind is None or self.kind(window) == kind)
                and not self.in_file_dialog(window)]

    def main(self):
        window = self.window(self.main_id)
        return window if window is not None and window.viewable else None

    # Free steps: each returns (description, run), run doing the inputs.

    def random_key(self):
        keys = list(cat.KEYS)
        if "close" in self.kinds:
            keys.append("alt+F4")
        key = self.rng.choice(keys)
        return f"key {key}", lambda: self.key(key)

    def random_typing(self):
        text = self.texts.choice(cat.CALLS + cat.EXCHANGES + cat.TIMES + cat.NAMES)
        return f"type {text!r}", lambda: self.type(text)

    def random_paste(self):
        text = self.texts.random()
        return f"paste {short(text)}", lambda: self.paste(text)

    def fill_field(self):
        """Clicks a field of a window, selects its text and types or pastes a value."""
        candidates = []
        main = self.main()
        if main is not None:
            candidates += [(main, name, spot) for name, spot in cat.MAIN_FIELDS.items()]
        for editor in self.visible("editor"):
            candidates += [(editor, name, spot) for name, spot in cat.EDITOR_FIELDS.items()]
        for adif in self.visible("adif"):
            candidates.append((adif, "comment", cat.ADIF_PLACES["comment"]))
        for pick in self.visible("pick"):
            candidates.append((pick, "list", cat.PICK_PLACES["list"]))
        if not candidates:
            return self.restore_step()
        window, name, spot = self.rng.choice(candidates)
        pasted = "paste" in self.kinds and self.rng.random() < 0.3
        value = self.texts.random() if pasted else self.texts.field_value(name)
        enter = self.rng.random() < 0.3

        def run():
            point = self.reach(window, spot)
            if point is None or not self.click(*point, into=window.id):
                return
            if self.rng.random() < 0.8 and not self.key("ctrl+a", into=window.id):
                return
            if pasted:
                done = self.paste(value, into=window.id)
            else:
                done = self.type(value, into=window.id)
            if done and enter:
                self.key("Return", into=window.id)

        return f"fill the {name} field of {self.describe(window)} with {short(value)}", run

    def store_qso(self):
        main = self.main()
        if main is None:
            return self.restore_step()
        call = self.texts.choice(cat.CALLS[:10])
        exchange = self.texts.choice(cat.EXCHANGES)
        # Random typing leaves the band or mode list with a text of no entry
        # now and then: the shortcuts pick entries again.
        shortcuts = [key for key in ("alt+b", "alt+m", "alt+b") if self.rng.random() < 0.4]

        def run():
            point = self.reach(main, cat.MAIN_FIELDS["call"])
            if point is None or not self.click(*point, into=main.id):
                return
            for key in shortcuts:
                if not self.key(key, into=main.id):
                    return
            if (self.key("ctrl+a", into=main.id) and self.type(call, into=main.id)
                    and self.key("Return", into=main.id)):
                if exchange and self.key("ctrl+a", into=main.id):
                    self.type(exchange, into=main.id)
                self.key("Return", into=main.id)

        return f"store a QSO with {call!r} and {exchange!r}", run

    def click_control(self, window=None):
        windows = self.visible()
        if not windows:
            return self.restore_step()
        if window is None:
            window = self.rng.choice(windows)
            if self.main() is not None and self.rng.random() < 0.4:
                window = self.main()
        places = {
            "main": {**cat.MAIN_BUTTONS, **cat.MAIN_FIELDS, **self.list_rows(window, cat.MAIN_LIST_TOP, 8)},
            "editor": {**cat.EDITOR_BUTTONS, **cat.EDITOR_FIELDS, **self.list_rows(window, 32, 6, x=84)},
            "pick": cat.PICK_PLACES,
            "adif": cat.ADIF_PLACES,
            "overview": cat.OVERVIEW_PLACES,
            "check": {**cat.CHECK_PLACES, **self.list_rows(window, 72, 6, x=300)},
        }.get(self.kind(window))
        if not places:
            return self.click_anywhere()
        places = {name: spot for name, spot in places.items() if self.may_press(window, name)}
        if "end" in places and self.rng.random() < 0.8:
            del places["end"]  # it ends the program: now and then
        name = self.rng.choice(sorted(places))
        x, y = cat.place(window, places[name])
        twice = name.startswith("row") and self.rng.random() < 0.3
        return f"click {name} of {self.describe(window)}", lambda: self.click(x, y, twice=twice)

    def may_press(self, window, name):
        """Buttons that start a kind of action left out are not pressed on purpose."""
        kind = self.kind(window)
        if kind == "main":
            wanted = {"new log": "newlog", "join": "join", "end": "restart", "operators": "editor",
                      "Cabrillo": "exports", "ADIF": "exports", "operator list": "operators"}.get(name)
            return wanted is None or wanted in self.kinds
        if kind == "editor":
            return "editor" in self.kinds
        if kind == "adif":
            return "exports" in self.kinds
        if kind in ("overview", "check"):
            return "overview" in self.kinds
        return True

    def list_rows(self, window, top, count, x=None):
        rows = {}
        for row in range(count):
            y = top + cat.ROW * row
            if y < window.height - 45:
                rows[f"row {row + 1}"] = (x if x is not None else self.rng.randint(20, max(21, window.width - 40)), y)
        return rows

    def click_anywhere(self):
        windows = self.visible()
        if not windows:
            return self.restore_step()
        window = self.rng.choice(windows)
        x = window.x + self.rng.randrange(max(1, window.width))
        y = window.y + self.rng.randrange(max(1, window.height))
        return f"click anywhere in {self.describe(window)}", lambda: self.click(x, y)

    def open_menu(self):
        main = self.main()
        if main is None:
            return self.restore_step()
        rows = self.list_rows(main, cat.MAIN_LIST_TOP, 6)
        name = self.rng.choice(sorted(rows))
        select = self.rng.random() < 0.8

        def run():
            point = self.reach(main, rows[name])
            # The menu acts on the selected line: a left click selects first.
            if point is None or select and not self.click(*point, into=main.id):
                return
            self.click(*point, button=3, into=main.id)

        return f"open the log list's menu on {name}", run

    def change_operator(self):
        main = self.main()
        if main is None:
            return self.restore_step()
        field = self.rng.choice(["call", "exchange"])

        def run():
            x, y = cat.place(main, cat.MAIN_FIELDS[field])
            if self.click(x, y, into=main.id):
                self.key("alt+c", into=main.id)

        if self.rng.random() < 0.5:
            return f"Alt+C in the {field} field", run
        x, y = cat.place(main, cat.MAIN_BUTTONS["operator list"])
        return "open the operator list", lambda: self.click(x, y, into=main.id)

    def editor_step(self):
        editors = self.visible("editor")
        if not editors:
            return self.main_button("operators")
        editor = editors[-1]
        if self.rng.random() < 0.5:
            return self.click_control(editor)
        # An operator's record edited or made anew and saved.
        start = self.rng.choice(["edit", "new"])
        names = self.rng.sample(sorted(cat.EDITOR_FIELDS), self.rng.randint(1, 3))
        if start == "new":
            # Without them the record is refused.
            names = ["callsign", "name", "address"] + [name for name in names if name not in
                                                      ("callsign", "name", "address")]
        pasted = {name: "paste" in self.kinds and self.rng.random() < 0.3 for name in names}
        values = {name: self.texts.random() if pasted[name] else
                  self.texts.choice(cat.CALLS if name == "callsign" else cat.NAMES) for name in names}

        def run():
            if not self.click_place(editor, cat.EDITOR_BUTTONS[start]):
                return
            for name in names:
                if not (self.click_place(editor, cat.EDITOR_FIELDS[name]) and self.key("ctrl+a", into=editor.id)):
                    return
                if pasted[name]:
                    self.paste(values[name], into=editor.id)
                else:
                    self.type(values[name], into=editor.id)
            self.click_place(editor, cat.EDITOR_BUTTONS["save"])

        shown = ", ".join(f"{name} {short(values[name])}" for name in names)
        return f"{'a new' if start == 'new' else 'edit an'} operator in the editor: {shown}, save", run

    def click_place(self, window, spot):
        point = self.reach(window, spot)
        return point is not None and self.click(*point, into=window.id)

    def export_step(self):
        adif = self.visible("adif")
        if adif and self.rng.random() < 0.7:
            return self.click_control()
        return self.main_button(self.rng.choice(["Cabrillo", "ADIF"]))

    def overview_step(self):
        overview = self.visible("overview") + self.visible("check")
        if overview and self.rng.random() < 0.6:
            window = self.rng.choice(overview)
            places = cat.OVERVIEW_PLACES if self.kind(window) == "overview" else cat.CHECK_PLACES
            name = self.rng.choice(sorted(places))
            x, y = cat.place(window, places[name])
            return f"click {name} of {self.describe(window)}", lambda: self.click(x, y, into=window.id)
        main = self.main()
        if main is None:
            return self.restore_step()

        def run():
            x, y = cat.place(main, cat.MAIN_FIELDS["call"])
            if self.click(x, y, into=main.id):
                self.key("F11", into=main.id)

        return "F11 in the main window", run

    def main_button(self, name):
        main = self.main()
        if main is None:
            return self.restore_step()

        def run():
            point = self.reach(main, cat.MAIN_BUTTONS[name])
            if point is not None:
                self.click(*point, into=main.id)

        return f"click {name} of the main window", run

    # Window manager steps.

    def managed(self):
        return [window for window in self.windows() if window.managed]

    def title_button(self, window, offset):
        if window.frame is None or not window.viewable:
            return None
        x, y, width, _ = window.frame
        x, y = x + width - offset, y + 10
        if not (0 <= x < self.desktop.x.width and 0 <= y < self.desktop.x.height):
            return None
        return x, y

    def minimise_step(self):
        windows = [window for window in self.managed() if window.viewable]
        if not windows:
            return self.restore_step()
        window = self.rng.choice(windows)
        button = self.title_button(window, 44)
        if button and self.rng.random() < 0.4:
            return (f"minimise {self.describe(window)} by its title bar",
                    lambda: self.click_title(window, "minimise", *button))
        return f"minimise {self.describe(window)}", lambda: self.manage("minimise", window)

    def click_title(self, window, action, x, y):
        on_top, inside = self.topmost_at(x, y)
        if on_top is None or on_top.id != window.id or inside:
            return  # another window covers the button
        if action == "close":
            self.permit(window)
            self.allowed.exit = self.allowed.exit or window.id == self.main_id
        self.trace(f"title bar: {action} {self.describe(window)} at {x},{y}")
        self.desktop.click(x, y)
        self.after_input()

    def restore_step(self):
        windows = self.managed()
        if not windows or "restore" not in self.kinds:
            return "nothing to do", lambda: None
        hidden = [window for window in windows if not window.viewable]
        window = self.rng.choice(hidden if hidden and self.rng.random() < 0.8 else windows)
        return f"restore {self.describe(window)}", lambda: self.manage("restore", window)

    def close_step(self):
        # Closing the main window ends the program: now and then.
        windows = [window for window in self.managed()
                   if window.id != self.main_id or "restart" in self.kinds and self.rng.random() < 0.2]
        if not windows:
            return self.restore_step()
        window = self.rng.choice(windows)
        button = self.title_button(window, 12)
        if button and self.rng.random() < 0.5:
            return (f"close {self.describe(window)} by its title bar",
                    lambda: self.click_title(window, "close", *button))
        return f"close {self.describe(window)}", lambda: self.manage("close", window)

    def resize_step(self):
        windows = [window for window in self.managed() if window.viewable]
        if not windows:
            return self.restore_step()
        window = self.rng.choice(windows)
        if self.rng.random() < 0.3:
            return f"maximise or restore {self.describe(window)}", lambda: self.manage("maximise", window)
        if self.rng.random() < 0.3 and window.id == self.main_id:
            size = (self.rng.randrange(0, 400), self.rng.randrange(0, 300), 694, 462)
        else:
            size = (self.rng.randrange(0, 900), self.rng.randrange(0, 700), self.rng.randrange(80, 1200),
                    self.rng.randrange(40, 900))
        return f"resize {self.describe(window)} to {size}", lambda: self.manage("resize", window, *size)

    def desktop_step(self):
        windows = self.managed()
        if windows and self.rng.random() < 0.6:
            window = self.rng.choice(windows)
            desktop = self.rng.randrange(4)
            return (f"send {self.describe(window)} to desktop {desktop + 1}",
                    lambda: self.manage("desktop", window, desktop))
        desktop = self.rng.choice([0, 0, 1, 2, 3])

        def run():
            self.trace(f"window manager: switch to desktop {desktop + 1}")
            self.desktop.switch_desktop(desktop)
            self.after_input()

        return f"switch to desktop {desktop + 1}", run

    # Boxes and menus.

    def popup_step(self, popup):
        owner = self.window(popup.transient_for)
        is_log_menu = owner is not None and owner.id == self.main_id and popup.height > 150
        if is_log_menu and self.rng.random() < 0.7:
            if "delete" in self.kinds and self.rng.random() < 0.3:
                name, y = "Usuń QSO", cat.MENU_DELETE
            else:
                index = self.rng.randrange(len(cat.MENU_CORRECTIONS))
                name, y = f"correct the {cat.MENU_CORRECTIONS[index]}", cat.MENU_FIRST_ITEM + cat.MENU_ITEM * index
            return f"menu: {name}", lambda: self.click(popup.x + 60, popup.y + y, into=popup.id)
        choice = self.rng.random()
        if choice < 0.4:
            x = popup.x + self.rng.randrange(max(1, popup.width))
            y = popup.y + self.rng.randrange(max(1, popup.height))
            return "click in the popup", lambda: self.click(x, y)
        keys = ["Escape", "Down", "Up", "Return"]
        if not is_log_menu or "delete" in self.kinds:
            keys.append("Return")
        key = self.rng.choice(keys)
        return f"key {key} in the popup", lambda: self.key(key)

    def answer(self, box):
        kind = self.kind(box)
        parent = self.window(box.transient_for)
        left_out = {
            "confirm": "delete" if parent is None or parent.id == self.main_id else "editor",
            "overwrite": "newlog",
            "save": "newlog",
            "open": "join",
            "correct": "menu",
        }.get(kind)
        if left_out is not None and left_out not in self.kinds:
            return f"refuse {self.describe(box)}", lambda: self.key("Escape", into=box.id)
        if kind in ("save", "open"):
            return self.choose_file(box)
        if kind == "correct":
            return self.correction_entry(box)
        choice = self.rng.random()
        if choice < 0.6:
            key = self.rng.choice(["Return", "Return", "Return", "Escape", "Escape", "Escape", "space", "space", "Tab",
                                   "t", "n", "a", "alt+t", "alt+n", "Right"])
            return f"key {key} in {self.describe(box)}", lambda: self.key(key, into=box.id)
        # The buttons stand in a row along the bottom, from the right.
        x = box.x + box.width - 50 - 90 * self.rng.randrange(3)
        y = box.y + box.height - 20
        return f"click a button of {self.describe(box)}", lambda: self.click(x, y, into=box.id)

    def correction_entry(self, box):
        caption = box.title
        values = (cat.ENTRY_DATES if "daty" in caption else cat.ENTRY_TIMES if "czasu" in caption
                  else cat.CALLS if "znaku" in caption else cat.EXCHANGES)
        choice = self.rng.random()
        if choice < 0.2:
            return f"cancel {self.describe(box)}", lambda: self.key("Escape", into=box.id)
        if choice < 0.3:
            return f"accept {self.describe(box)} as it is", lambda: self.key("Return", into=box.id)
        pasted = "paste" in self.kinds and self.rng.random() < 0.25
        value = self.texts.random() if pasted else self.texts.choice(values)

        def run():
            if self.key("ctrl+a", into=box.id):
                done = self.paste(value, into=box.id) if pasted else (self.type(value, into=box.id) or True)
                if done:
                    self.key("Return", into=box.id)

        return f"enter {short(value)} in {self.describe(box)}", run

    def choose_file(self, box):
        if self.rng.random() < 0.25:
            return f"cancel {self.describe(box)}", lambda: self.key("Escape", into=box.id)
        station, sandbox = self.station, self.sandbox
        if self.kind(box) == "save":
            self.archives += 1
            names = [f"{sandbox}/archive{self.archives}.zrv", f"{sandbox}/archive{self.archives}.zrv",
                     f"{sandbox}/archive1.zrv", f"{station}/archive{self.archives}.zrv",
                     f"{station}/IARU_log.zrv", f"{station}/./IARU_log.zr~", f"{sandbox}/../station/temporary.zrv",
                     f"{station}/QZ5KV_stationbook.ini", f"{station}//QZ5KV_stationbook",
                     f"{station}/QZ5KV_stationbook.lock", f"{sandbox}/no such folder/archive.zrv", sandbox]
        else:
            archives = sorted(name for name in os.listdir(sandbox) if name.startswith("archive"))
            names = [f"{sandbox}/{name}" for name in archives] * 3 + [
                f"{station}/IARU_log.zrv", f"{station}/IARU_log.zr~", f"{station}/QZ5KV_stationbook.ini",
                f"{station}/archive1.zrv", f"{sandbox}/none.zrv"]
        name = self.rng.choice(names)

        def run():
            if self.key("ctrl+a", into=box.id) and self.type(name, into=box.id):
                self.key("Return", into=box.id)

        return f"choose {name} in {self.describe(box)}", run

    def unstick(self, box):
        age = self.box_age[box.id]
        if age % 3 == 1:
            return f"bring {self.describe(box)} forward", lambda: self.manage("restore", box)
        if age % 3 == 2:
            return f"escape {self.describe(box)}", lambda: self.key("Escape", into=box.id)
        if age > 40:
            raise Fault(f"{self.describe(box)} could not be closed in {age} steps")
        return f"close {self.describe(box)}", lambda: self.manage("close", box)
