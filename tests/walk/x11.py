"""The few X11 requests the walk needs, spoken over the display's socket with
the standard library only: the windows and their properties, the input focus,
the clipboard's owner, and the two round trips that tell when the program and
the window manager have handled everything sent to them before."""

import os
import select
import socket
import struct
import time


class XError(Exception):
    """The server refused a request; most often the window is gone."""

    def __init__(self, code, opcode):
        super().__init__(f"X error {code} on request {opcode}")
        self.code = code


class Timeout(Exception):
    pass


_STRUCTURE_NOTIFY = 0x20000
_SUBSTRUCTURE_NOTIFY = 0x80000
_SUBSTRUCTURE_REDIRECT = 0x100000
_PROPERTY_CHANGE = 0x400000
_EVENT_MASK = 0x800
_PROPERTY_NOTIFY = 28
_CLIENT_MESSAGE = 33
_VIEWABLE = 2


def _pad(data):
    return data + b"\0" * (-len(data) % 4)


def _cookie(display_number):
    """The MIT-MAGIC-COOKIE-1 of the display in the authority file, if any."""
    path = os.environ.get("XAUTHORITY") or os.path.expanduser("~/.Xauthority")
    try:
        with open(path, "rb") as file:
            data = file.read()
    except OSError:
        return b"", b""
    at = 0

    def field():
        nonlocal at
        (length,) = struct.unpack(">H", data[at:at + 2])
        value = data[at + 2:at + 2 + length]
        at += 2 + length
        return value

    while at + 2 <= len(data):
        at += 2  # the address family
        field()  # the address
        number, name, secret = field(), field(), field()
        if name == b"MIT-MAGIC-COOKIE-1" and number in (str(display_number).encode(), b""):
            return name, secret
    return b"", b""


class Display:
    def __init__(self, name):
        number = int(name.split(":")[1].split(".")[0])
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(f"/tmp/.X11-unix/X{number}")
        self.buffer = b""
        self.sequence = 0
        self.events = []
        self.atoms = {}
        self.names = {}
        self.tokens = 0
        auth_name, auth_data = _cookie(number)
        self.sock.sendall(struct.pack("<BxHHHHxx", ord("l"), 11, 0, len(auth_name), len(auth_data)) +
                          _pad(auth_name) + _pad(auth_data))
        head = self._read(8)
        (extra,) = struct.unpack("<H", head[6:8])
        body = self._read(extra * 4)
        if head[0] != 1:
            raise OSError("the X server refused the connection: " + body.decode("latin-1", "replace"))
        self.id_base, self.id_mask = struct.unpack("<II", body[4:12])
        (vendor_length,) = struct.unpack("<H", body[16:18])
        screen = 32 + len(_pad(b"v" * vendor_length)) + 8 * body[21]
        (self.root,) = struct.unpack("<I", body[screen:screen + 4])
        self.min_keycode, self.max_keycode = body[26], body[27]
        self.width, self.height = struct.unpack("<HH", body[screen + 20:screen + 24])
        # Qt sends its answers to pings to the root window.
        self._request(2, struct.pack("<III", self.root, _EVENT_MASK, _STRUCTURE_NOTIFY))
        # A window of our own, never shown, that the window manager is asked about.
        self.own = self.id_base | (1 & self.id_mask)
        self._request(1, struct.pack("<IIhhHHHHIII", self.own, self.root, -1, -1, 1, 1, 0, 1, 0, _EVENT_MASK,
                                     _PROPERTY_CHANGE))

    def close(self):
        self.sock.close()

    # --- the wire -------------------------------------------------------------

    def _fill(self, count, deadline=None):
        """Waits until `count` bytes are buffered; a timeout loses nothing."""
        while len(self.buffer) < count:
            if deadline is not None:
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([self.sock], [], [], left)[0]:
                    raise Timeout()
            chunk = self.sock.recv(1 << 16)
            if not chunk:
                raise OSError("the X server closed the connection")
            self.buffer += chunk

    def _read(self, count):
        self._fill(count)
        data, self.buffer = self.buffer[:count], self.buffer[count:]
        return data

    def _packet(self, deadline=None):
        self._fill(32, deadline)
        size = 32
        if self.buffer[0] == 1:
            size += 4 * struct.unpack("<I", self.buffer[4:8])[0]
        self._fill(size, deadline)
        packet, self.buffer = self.buffer[:size], self.buffer[size:]
        return packet

    def _request(self, opcode, body=b"", byte=0):
        body = _pad(body)
        self.sock.sendall(struct.pack("<BBH", opcode, byte, 1 + len(body) // 4) + body)
        self.sequence = (self.sequence + 1) & 0xFFFF
        return self.sequence

    def _call(self, opcode, body=b""):
        sequence = self._request(opcode, body)
        while True:
            packet = self._packet()
            (seq,) = struct.unpack("<H", packet[2:4])
            if packet[0] in (0, 1):
                if seq != sequence:
                    continue  # the error of a request without a reply: its window went
                if packet[0] == 0:
                    raise XError(packet[1], opcode)
                return packet
            self._keep(packet)

    def _keep(self, event):
        # Only the answers to our round trips are waited for.
        if event[0] & 0x7F in (_CLIENT_MESSAGE, _PROPERTY_NOTIFY):
            self.events.append(event)

    def _await(self, matches, seconds, waiting=lambda: True):
        """Waits for an event that `matches`; gives up after `seconds`, or as
        soon as `waiting()` says there is nothing to wait for any more."""
        deadline = time.monotonic() + seconds
        while True:
            for index, event in enumerate(self.events):
                if matches(event):
                    del self.events[index:index + 1]
                    return
            self.events.clear()
            if not waiting():
                raise Timeout()
            try:
                packet = self._packet(min(deadline, time.monotonic() + 0.2))
            except Timeout:
                if time.monotonic() >= deadline:
                    raise
                continue
            if packet[0] not in (0, 1):
                self._keep(packet)

    # --- requests -------------------------------------------------------------

    def atom(self, name):
        if name not in self.atoms:
            raw = name.encode()
            reply = self._call(16, struct.pack("<HH", len(raw), 0) + raw)
            self.atoms[name] = struct.unpack("<I", reply[8:12])[0]
        return self.atoms[name]

    def atom_name(self, atom):
        if atom not in self.names:
            reply = self._call(17, struct.pack("<I", atom))
            (length,) = struct.unpack("<H", reply[8:10])
            self.names[atom] = reply[32:32 + length].decode("latin-1")
        return self.names[atom]

    def property(self, window, name, longs=1 << 14):
        """The raw bytes of the property, or None where it is not set."""
        reply = self._call(20, struct.pack("<IIIII", window, self.atom(name), 0, 0, longs))
        (items,) = struct.unpack("<I", reply[16:20])
        if reply[1] == 0:
            return None
        return reply[32:32 + items * reply[1] // 8]

    def cardinals(self, window, name):
        data = self.property(window, name) or b""
        return list(struct.unpack(f"<{len(data) // 4}I", data[:len(data) // 4 * 4]))

    def atom_names(self, window, name):
        return [self.atom_name(atom) for atom in self.cardinals(window, name)]

    def title(self, window):
        value = self.property(window, "_NET_WM_NAME")
        if value is not None:
            return value.decode("utf-8", "replace")
        return (self.property(window, "WM_NAME") or b"").decode("latin-1")

    def tree(self, window):
        """(parent, children from the bottom of the stack to its top)"""
        reply = self._call(15, struct.pack("<I", window))
        (parent,) = struct.unpack("<I", reply[12:16])
        (count,) = struct.unpack("<H", reply[16:18])
        return parent, list(struct.unpack(f"<{count}I", reply[32:32 + 4 * count]))

    def attributes(self, window):
        """(viewable, override_redirect)"""
        reply = self._call(3, struct.pack("<I", window))
        return reply[26] == _VIEWABLE, bool(reply[27])

    def geometry(self, window):
        """(x, y, width, height) of the window's inside, on the screen."""
        reply = self._call(14, struct.pack("<I", window))
        width, height = struct.unpack("<HH", reply[16:20])
        reply = self._call(40, struct.pack("<IIhh", window, self.root, 0, 0))
        x, y = struct.unpack("<hh", reply[12:16])
        return x, y, width, height

    def focus(self):
        return struct.unpack("<I", self._call(43)[8:12])[0]

    def selection_owner(self, name):
        reply = self._call(23, struct.pack("<I", self.atom(name)))
        return struct.unpack("<I", reply[8:12])[0]

    def _client_message(self, destination, mask, window, kind, words):
        words = list(words) + [0] * (5 - len(words))
        event = struct.pack("<BBHII5I", _CLIENT_MESSAGE, 32, 0, window, self.atom(kind), *words)
        self._request(25, struct.pack("<II", destination, mask) + event)

    # --- the keyboard and the mouse, through the XTEST extension ---------------

    def _xtest(self):
        if not hasattr(self, "xtest_opcode"):
            name = b"XTEST"
            reply = self._call(98, struct.pack("<HH", len(name), 0) + name)
            if not reply[8]:
                raise OSError("the X server lacks the XTEST extension")
            self.xtest_opcode = reply[9]
            first, last = self.min_keycode, self.max_keycode
            reply = self._call(101, struct.pack("<BB", first, last - first + 1))
            per = reply[1]
            symbols = struct.unpack(f"<{(last - first + 1) * per}I", reply[32:32 + 4 * (last - first + 1) * per])
            self.keycodes = {}
            for index in range(last - first + 1):
                for level in range(min(per, 2)):
                    symbol = symbols[index * per + level]
                    if symbol and symbol not in self.keycodes:
                        self.keycodes[symbol] = (first + index, level)
        return self.xtest_opcode

    def _fake(self, kind, detail, x=0, y=0):
        self._request(self._xtest(), struct.pack("<BBxxIIxxxxxxxxhhxxxxxxxB", kind, detail, 0, self.root if kind == 6
                                                 else 0, x, y, 0), byte=2)

    def keycode(self, keysym):
        """(keycode, whether Shift gives the keysym), or None when the keymap lacks it."""
        self._xtest()
        return self.keycodes.get(keysym)

    def press(self, keysyms):
        """Presses the keys in order and lets them go in reverse: one chord."""
        self._xtest()
        codes = [self.keycodes[keysym][0] for keysym in keysyms]
        for code in codes:
            self._fake(2, code)
        for code in reversed(codes):
            self._fake(3, code)

    def move_and_click(self, x, y, button):
        self._fake(6, 0, x, y)
        self._fake(4, button)
        self._fake(5, button)

    # --- round trips ----------------------------------------------------------

    def ping(self, window, seconds, waiting=lambda: True):
        """Returns once the program owning `window` has handled every event
        that reached it before: Qt answers _NET_WM_PING from its event loop.
        Raises Timeout when it does not, XError when the window is gone."""
        self.tokens += 1
        token = self.tokens
        ping = self.atom("_NET_WM_PING")
        self._client_message(window, 0, window, "WM_PROTOCOLS", [ping, token, window])
        # The window's existence is asked after the ping, so a window that went
        # raises here instead of leaving the ping unanswered.
        self.attributes(window)

        def answer(event):
            if event[0] & 0x7F != _CLIENT_MESSAGE:
                return False
            target, _, first, second = struct.unpack("<IIII", event[4:20])
            return target == self.root and first == ping and second == token

        self._await(answer, seconds, waiting)

    def sync_window_manager(self, seconds):
        """Returns once the window manager has handled everything sent to it
        before: it answers _NET_REQUEST_FRAME_EXTENTS for our own window by
        setting a property on it."""
        self._client_message(self.root, _SUBSTRUCTURE_NOTIFY | _SUBSTRUCTURE_REDIRECT, self.own,
                             "_NET_REQUEST_FRAME_EXTENTS", [])
        extents = self.atom("_NET_FRAME_EXTENTS")

        def answer(event):
            if event[0] & 0x7F != _PROPERTY_NOTIFY:
                return False
            window, atom, _, state = struct.unpack("<IIIB", event[4:17])
            return window == self.own and atom == extents and state == 0

        self._await(answer, seconds)
