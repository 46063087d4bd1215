"""Drives the real demo as a person would: a private Xvfb, boxes answered and keys and mouse sent with
xdotool, screenshots taken with ImageMagick and looked at here, pixel by pixel."""

import ctypes
import os
import re
import shutil
import subprocess
import tempfile
import time

DEMO = os.environ.get("CORVEL_DEMO", os.path.join(os.path.dirname(__file__), "../../build/bin/explosion-demo"))
RUN_DIR = os.path.dirname(os.path.abspath(DEMO))
IMAGES = ["Floor01.bmp", "flare01.tga", "CloudsParticles4.tga", "ExplosionParticles.tga", "CloudsParticles3.tga"]
TITLE = "Esplosione 3D - Z gerera esplosione"
QUESTION_CAPTION = "Video!"


class Failure(Exception):
    pass


def wait_until(condition, timeout, what, interval=0.05):
    """Polls condition until it returns something truthy; fails with what after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(interval)


class Xvfb:
    """A private X server for one test, so tests never see each other's windows."""

    def __init__(self, size="1024x768"):
        self.size = size
        self.process = None
        self.display = None

    def __enter__(self):
        # Xvfb picks a free display itself and tells us which once it accepts connections, so tests
        # running side by side never race for the same display number. Without -noreset the server
        # resets whenever its last client leaves, and refuses a client that connects meanwhile.
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-noreset", "-screen", "0",
                                         f"{self.size}x24", "-nolisten", "tcp"], pass_fds=[write_end],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number:
            self.process.kill()
            raise Failure("Xvfb did not start")
        self.display = ":" + number
        return self

    def env(self):
        env = dict(os.environ)
        env.update(DISPLAY=self.display, LIBGL_ALWAYS_SOFTWARE="1", GALLIUM_DRIVER="llvmpipe",
                   SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy")
        return env

    def __exit__(self, *exc):
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()


def floor_is_lit(shot):
    """The floor's front half lies below the explosion, in the lower middle of the view at any 4:3 size."""
    w, h = shot.width, shot.height
    r, g, b = shot.region_mean(w * 3 // 8, h * 11 // 15, w * 5 // 8, h * 5 // 6)
    return r + g + b > 60


class Window:
    def __init__(self, wid, name, width, height, x, y):
        self.id, self.name, self.width, self.height, self.x, self.y = wid, name, width, height, x, y

    def __repr__(self):
        return f"Window({self.id:#x} {self.name!r} {self.width}x{self.height}+{self.x}+{self.y})"


class Shot:
    """An RGB screenshot with small helpers for looking at regions of it."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.data[i], self.data[i + 1], self.data[i + 2]

    def region_mean(self, x0, y0, x1, y1, step=4):
        total = [0, 0, 0]
        count = 0
        for y in range(max(0, y0), min(self.height, y1), step):
            for x in range(max(0, x0), min(self.width, x1), step):
                r, g, b = self.pixel(x, y)
                total[0] += r
                total[1] += g
                total[2] += b
                count += 1
        return tuple(c / max(count, 1) for c in total)

    def _distances(self, other, step):
        """Sum of channel differences at every sampled pixel."""
        for y in range(0, self.height, step):
            for x in range(0, self.width, step):
                a = self.pixel(x, y)
                b = other.pixel(x, y)
                yield abs(a[0] - b[0]) + abs(a[1] - b[1]) + abs(a[2] - b[2])

    def difference(self, other, step=4):
        """Mean absolute channel difference."""
        distances = list(self._distances(other, step))
        return sum(distances) / max(3 * len(distances), 1)

    def changed_fraction(self, other, threshold=40, step=4):
        """Fraction of sampled pixels whose colour moved by more than threshold (sum of channels)."""
        distances = list(self._distances(other, step))
        return sum(1 for d in distances if d > threshold) / max(len(distances), 1)

    def save_png(self, path):
        subprocess.run(["/usr/bin/convert", "-size", f"{self.width}x{self.height}", "-depth", "8", "rgb:-", path],
                       input=bytes(self.data), check=True)


class Demo:
    """One run of the demo program in its own X server and run folder."""

    def __init__(self, xvfb, run_dir=None, images=IMAGES):
        self.xvfb = xvfb
        self.env = xvfb.env()
        self.tmp = tempfile.mkdtemp(prefix="demo-run-")
        self.run_dir = run_dir or self.tmp
        for name in images:
            shutil.copy(os.path.join(RUN_DIR, name), self.run_dir)
        self.process = None
        self.log = open(os.path.join(self.tmp, "demo.log"), "w+")

    def start(self):
        self.process = subprocess.Popen([os.path.abspath(DEMO)], cwd=self.run_dir, env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=self.log, stderr=subprocess.STDOUT)
        return self

    def run(self, *command, check=True):
        result = subprocess.run(list(command), env=self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                text=True)
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(command)} failed: {result.stderr.strip()}")
        return result.stdout

    def windows(self):
        """Every named, mapped top-level window, by name (SDL's boxes are missed by xdotool search)."""
        out = self.run("xwininfo", "-root", "-tree", check=False)
        found = []
        for line in out.splitlines():
            m = re.match(r'\s+(0x[0-9a-f]+) "(.*)": \(.*\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s+\+(-?\d+)\+(-?\d+)', line)
            if m:
                found.append(Window(int(m.group(1), 16), m.group(2), int(m.group(3)), int(m.group(4)),
                                    int(m.group(7)), int(m.group(8))))
        return found

    def viewable(self, window):
        out = self.run("xwininfo", "-id", hex(window.id), check=False)
        return "IsViewable" in out

    def wait_window(self, name, timeout=30):
        def find():
            self.check_alive()
            for window in self.windows():
                if window.name == name and self.viewable(window):
                    return window
            return None
        try:
            return wait_until(find, timeout, f"window {name!r}")
        except Failure as failure:
            raise Failure(f"{failure}; windows: {self.windows()}") from None

    def check_alive(self):
        if self.process.poll() is not None:
            raise Failure(f"demo ended early with {self.process.returncode}: {self.output()}")

    def output(self):
        self.log.flush()
        self.log.seek(0)
        return self.log.read()

    def press(self, window, key):
        self.run("xdotool", "windowfocus", "--sync", str(window.id))
        self.run("xdotool", "key", "--clearmodifiers", key)

    def answer_question(self, full_screen):
        return self.answer_box(QUESTION_CAPTION, "Return" if full_screen else "Escape")

    def answer_box(self, caption, key):
        """Presses key in the box; a box that is mapped but not yet listening misses it, so it is pressed
        again for as long as the box stays."""
        box = self.wait_window(caption)
        for _ in range(10):
            self.press(box, key)
            try:
                wait_until(lambda: not any(w.id == box.id for w in self.windows()), 2, "the box to close")
                return box
            except Failure:
                self.check_alive()
        raise Failure(f"the box {caption!r} does not take {key}")

    def focus(self, window):
        self.run("xdotool", "windowfocus", "--sync", str(window.id))

    def key_down(self, key):
        self.run("xdotool", "keydown", key)

    def key_up(self, key):
        self.run("xdotool", "keyup", key)

    def tap(self, key):
        self.run("xdotool", "key", key)

    def drag(self, window, button, start, end, steps=10):
        """Presses button at start (client coordinates), moves in steps to end, releases."""
        x0, y0 = start
        x1, y1 = end
        self.run("xdotool", "mousemove", "--window", str(window.id), str(x0), str(y0))
        time.sleep(0.1)
        self.run("xdotool", "mousedown", str(button))
        for i in range(1, steps + 1):
            x = x0 + (x1 - x0) * i // steps
            y = y0 + (y1 - y0) * i // steps
            self.run("xdotool", "mousemove", "--window", str(window.id), str(x), str(y))
            time.sleep(0.05)
        self.run("xdotool", "mouseup", str(button))

    def screenshot(self, window):
        data = subprocess.run(["/usr/bin/import", "-window", hex(window.id), "-depth", "8", "rgb:-"], env=self.env,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
        if len(data) != window.width * window.height * 3:
            raise Failure(f"screenshot of {window} gave {len(data)} bytes")
        return Shot(window.width, window.height, data)

    def still_shot(self, window, timeout=90, tolerance=1.0):
        """Waits until two screenshots in a row are the same picture of the lit floor and returns the later
        one (the window is black and still, too, while the demo loads its images)."""
        previous = self.screenshot(window)

        def still():
            nonlocal previous
            shot = self.screenshot(window)
            same = shot.difference(previous) < tolerance and floor_is_lit(shot)
            previous = shot
            return shot if same else None
        return wait_until(still, timeout, "a still picture", interval=0.3)

    def launch(self):
        """Starts the demo, answers No to the full-screen question and focuses its window."""
        self.start()
        self.answer_question(full_screen=False)
        window = self.wait_window(TITLE)
        self.focus(window)
        return window

    def close_window(self, window):
        """The close button: a WM_DELETE_WINDOW client message, as a window manager sends it."""
        send_delete_window(self.xvfb.display, window.id)

    def wait_exit(self, timeout=20):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("demo did not end")

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()
        shutil.rmtree(self.tmp, ignore_errors=True)


class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def send_delete_window(display_name, window_id):
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(_XEvent)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise Failure("cannot open " + display_name)
    event = _XEvent()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window_id
    event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    x11.XSendEvent(display, window_id, 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def run_cases(*cases):
    """Runs each case, prints a line per case and the closing count line; exits non-zero on a failure."""
    failed = 0
    for case in cases:
        started = time.monotonic()
        try:
            case()
            print(f"[  OK  ] {case.__name__} ({time.monotonic() - started:.1f}s)", flush=True)
        except Exception as error:  # noqa: BLE001 - every failure is reported, then counted
            failed += 1
            print(f"[ FAIL ] {case.__name__}: {error}", flush=True)
    print(f"{len(cases) - failed} passed, {failed} failed")
    raise SystemExit(1 if failed else 0)
