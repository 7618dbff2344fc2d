# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs the real program under its own Xvfb display with openbox, a private
D-Bus session and accessibility bus, and drives it as a person does: widgets
are found through the accessibility tree (pyatspi), clicks and keys are real
X input (xdotool). Every wait has a timeout; every process started here is
ended by its id, every mount unmounted, the temporary folder removed.

Under load the window manager, the program and the accessibility bus lag
behind the input: openbox runs with a private configuration (no root menu,
no bindings on the root window, one desktop), the program's window must be
mapped, active and still before the first click, a box must be active
before a key goes to it, and a popup menu must be open before its keys are
typed (a right click that opened none is sent once more). A wait for a
window that closed, or for a program that ended, fails at once (Closed).

Map: Journey (start, stop, settings, files), finding (find, find_all, box),
input (click, move_pointer, menu, key, type_text, answer), waiting
(wait_for, alive, settled, wait_active, wait_front, check_open), the window
manager's configuration (OPENBOX_RC).
"""
import configparser
import os
import shutil
import signal
import subprocess
import tempfile
import time

PROGRAM = os.environ.get("DORVAN_PROGRAM", "")
SKIP = 77  # the exit code CTest reads as skipped

# Openbox without anything of its own that input could open: no root menu
# (a right click that lands beside the window would open it and take the
# keys meant for the program), no bindings on the root window, no keys.
OPENBOX_RC = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse><focusLast>yes</focusLast></focus>
  <placement><policy>Smart</policy></placement>
  <desktops><number>1</number></desktops>
  <keyboard><keybind key="C-A-S-W-F12"><action name="Focus"/></keybind></keyboard>
  <mouse>
    <context name="Client">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Middle" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Right" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Root">
      <mousebind button="Left" action="Press"><action name="Unfocus"/></mousebind>
      <mousebind button="Middle" action="Press"><action name="Unfocus"/></mousebind>
      <mousebind button="Right" action="Press"><action name="Unfocus"/></mousebind>
    </context>
  </mouse>
  <menu><file>menu.xml</file></menu>
</openbox_config>
"""
OPENBOX_MENU = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_menu xmlns="http://openbox.org/3.4/menu"></openbox_menu>
"""


class Skip(Exception):
    pass


class JourneyError(AssertionError):
    pass


class Closed(JourneyError):
    """What a wait was for closed: waiting longer is of no use."""


def wait_for(condition, timeout, what):
    """Polls condition until it returns something true; fails after timeout."""
    end = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except Closed:
            raise
        except Exception:  # the tree changes under us while we look
            value = None
        if value:
            return value
        if time.monotonic() > end:
            raise JourneyError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.1)


def _read_line(fd, timeout):
    end = time.monotonic() + timeout
    data = b""
    os.set_blocking(fd, False)
    while not data.endswith(b"\n"):
        try:
            chunk = os.read(fd, 64)
            if not chunk:
                break
            data += chunk
        except BlockingIOError:
            if time.monotonic() > end:
                raise JourneyError("a helper program did not start")
            time.sleep(0.02)
    return data.decode().strip()


class Journey:
    """One journey: its own home, display, buses and program."""

    def __init__(self, name):
        self.name = name
        self.root = tempfile.mkdtemp(prefix=f"dorvan-journey-{name}-")
        self.home = os.path.join(self.root, "home")
        self.files = os.path.join(self.root, "files")
        self.env = dict(os.environ)
        self.env.update(
            HOME=self.home,
            XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
            XDG_DATA_HOME=os.path.join(self.home, ".local/share"),
            XDG_STATE_HOME=os.path.join(self.home, ".local/state"),
            XDG_CACHE_HOME=os.path.join(self.home, ".cache"),
            XDG_RUNTIME_DIR=os.path.join(self.root, "runtime"),
            QT_QPA_PLATFORM="xcb",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
            QT_ACCESSIBILITY="1",
            NO_AT_BRIDGE="0",
            LANG="C.UTF-8",
        )
        for key in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"):
            os.makedirs(self.env[key], exist_ok=True)
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        os.makedirs(self.files)
        self.helpers = []  # Popen objects, ended in reverse order
        self.mounts = []
        self.app = None
        self._desktop = None
        try:
            try:
                self._start_display()
            except JourneyError as e:  # a helper did not come up: once more, afresh
                print(f"starting the display again: {e}")
                self._stop_helpers()
                self._start_display()
        except BaseException:
            self.stop()  # the helpers that did start, which hold the test's output open
            raise

    # ---- processes ---------------------------------------------------------
    def _start_display(self):
        for tool in ("Xvfb", "openbox", "dbus-daemon", "xdotool"):
            if not shutil.which(tool):
                raise Skip(f"{tool} is not installed")
        r, w = os.pipe()
        self.helpers.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
            pass_fds=[w], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=self.env))
        os.close(w)
        self.env["DISPLAY"] = ":" + _read_line(r, 20)
        os.close(r)
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=self.env)
        self.helpers.append(bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = _read_line(bus.stdout.fileno(), 20)
        rc = os.path.join(self.root, "openbox", "rc.xml")
        write(rc, OPENBOX_RC)
        write(os.path.join(self.root, "openbox", "menu.xml"), OPENBOX_MENU)
        with open(os.path.join(self.root, "openbox.log"), "ab") as log:
            wm = subprocess.Popen(["openbox", "--sm-disable", "--config-file", rc], env=self.env,
                                  cwd=os.path.dirname(rc), stdout=log, stderr=log)
        self.helpers.append(wm)
        # A window mapped before the window manager manages the screen is
        # taken over and moved later, under the pointer's feet.
        def managing():
            if wm.poll() is not None:
                raise Closed(f"openbox ended ({wm.returncode}): {read(log.name)[-500:]!r}")
            return subprocess.run(["wmctrl", "-m"], env=self.env, capture_output=True,
                                  timeout=10).returncode == 0
        wait_for(managing, 30, "the window manager")
        # pyatspi reads these when it first connects, in this process.
        for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"):
            os.environ[key] = self.env[key]

    def spawn(self, args, **kw):
        """Starts a helper program that stop() ends."""
        p = subprocess.Popen(args, env=self.env, **kw)
        self.helpers.append(p)
        return p

    def settings_path(self):
        return os.path.join(self.env["XDG_CONFIG_HOME"], "dorvanquellis", "Dorvanquellis.ini")

    def write_settings(self, options=None, left=None, right=None, extra=""):
        """Writes the settings file the program reads at start."""
        lines = ["[Form]", "Left=10", "Top=30", "Width=1000", "Height=700",
                 "[Panels]", "SelectPanel=420", "RightPanel=110", "[FileFolder]"]
        if left:
            lines.append(f"DataFolder={left}")
        if right:
            lines.append(f"SendToFolder={right}")
        lines.append("[BaseSettings]")
        if options is not None:
            lines.append(f"FileOperationOptions={options}")
        os.makedirs(os.path.dirname(self.settings_path()), exist_ok=True)
        with open(self.settings_path(), "w") as f:
            f.write("\r\n".join(lines) + "\r\n" + extra)

    def settings(self):
        parser = configparser.ConfigParser(interpolation=None, strict=False)
        parser.optionxform = str
        parser.read(self.settings_path(), encoding="utf-8")
        return parser

    def start(self, args=(), cwd=None):
        """Starts the program and waits for its window."""
        if not PROGRAM:
            raise Skip("DORVAN_PROGRAM is not set")
        self.log = os.path.join(self.root, "program.log")
        with open(self.log, "ab") as log:
            self.app = subprocess.Popen([PROGRAM, *args], env=self.env, cwd=cwd or self.files,
                                        stdout=log, stderr=log)
        self._app = None
        self.settled(self.window(), timeout=30)
        return self.app

    def alive(self):
        return self.app is not None and self.app.poll() is None

    def wait_exit(self, timeout, what="the program to end"):
        wait_for(lambda: not self.alive(), timeout, what)
        return self.app.returncode

    def signal(self, sig=signal.SIGTERM):
        self.app.send_signal(sig)

    def mount_tmpfs(self, path, size):
        if os.geteuid() != 0:
            raise Skip("mounting a tmpfs needs root")
        os.makedirs(path, exist_ok=True)
        subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", path], check=True)
        self.mounts.append(path)

    def _stop_helpers(self):
        for p in reversed(self.helpers):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        self.helpers = []
        _end_own_group()

    def stop(self):
        if self.app is not None and self.app.poll() is None:
            self.app.terminate()
            try:
                self.app.wait(10)
            except subprocess.TimeoutExpired:
                self.app.kill()
                self.app.wait()
        self._stop_helpers()
        for path in reversed(self.mounts):
            subprocess.run(["umount", path], check=False)
        if os.environ.get("JOURNEY_KEEP"):
            print(f"kept {self.root}")
        else:
            shutil.rmtree(self.root, ignore_errors=True)

    # ---- finding -----------------------------------------------------------
    def application(self):
        import pyatspi
        if getattr(self, "_app", None) is not None and self.alive():
            return self._app
        if self._desktop is None:
            self._desktop = pyatspi.Registry.getDesktop(0)

        def find_app():
            for i in range(self._desktop.childCount):
                a = self._desktop.getChildAtIndex(i)
                if a is not None and a.name == "Dorvanquellis":
                    return a
            return None
        self._app = wait_for(find_app, 30, "the program on the accessibility bus")
        return self._app

    def window(self):
        return self.find(role="frame", name="Dorvanquellis", depth=1, timeout=30)

    def find_all(self, role=None, name=None, desc=None, contains=None, root=None, depth=30,
                 showing=True):
        """Accessibles below root that match; lists are not entered unless root is one."""
        import pyatspi
        root = root or self.application()
        try:
            root.clear_cache()  # children come and go (popups, boxes)
        except Exception:
            pass
        found = []

        def matches(a):
            if role and a.getRoleName() != role:
                return False
            if name is not None and a.name != name:
                return False
            if desc is not None and a.description != desc:
                return False
            if contains is not None and contains not in a.name:
                return False
            if showing and not a.getState().contains(pyatspi.STATE_SHOWING):
                return False
            return True

        def walk(a, d):
            for i in range(a.childCount):
                c = a.getChildAtIndex(i)
                if c is None:
                    continue
                if matches(c):
                    found.append(c)
                if d > 1 and c.getRoleName() not in ("list", "table", "tree", "tree table"):
                    walk(c, d - 1)
        walk(root, depth)
        return found

    def find(self, timeout=10, **kw):
        what = ", ".join(f"{k}={v}" for k, v in kw.items() if k != "root")
        return wait_for(lambda: (self.find_all(**kw) or [None])[0], timeout, what)

    def widget(self, object_name, timeout=10):
        """The control whose accessible description is its object name."""
        return self.find(desc=object_name, timeout=timeout)

    def rows(self, list_accessible):
        return [list_accessible.getChildAtIndex(i).name for i in range(list_accessible.childCount)]

    def box(self, contains=None, timeout=15):
        """An open message box (dialog or alert) whose text holds contains."""
        def look():
            if not self.alive():
                raise Closed("the program ended")
            for role in ("dialog", "alert"):
                for d in self.find_all(role=role, depth=2):
                    if contains is None or contains in self.text_of(d):
                        return d
            return None
        return wait_for(look, timeout, f"a box saying {contains!r}")

    def gone(self, acc):
        """True once acc has left the screen (closed, destroyed)."""
        import pyatspi
        try:
            state = acc.getState()
            return state.contains(pyatspi.STATE_DEFUNCT) or not state.contains(pyatspi.STATE_SHOWING)
        except Exception:
            return True

    def check_open(self, acc):
        """Raises Closed once acc or the whole program is gone (the states
        of a program that ended stay in the accessibility cache)."""
        if not self.alive():
            raise Closed("the program ended")
        if self.gone(acc):
            raise Closed(f"{acc.getRoleName()} {acc.name!r} closed")

    def active(self, acc):
        import pyatspi
        try:
            return acc.getState().contains(pyatspi.STATE_ACTIVE)
        except Exception:
            return False

    def wait_active(self, window, timeout=20, acc=None):
        """Waits until window (a frame or dialog) has the keyboard; fails at
        once when it (or acc in it) closes instead."""
        def ready():
            self.check_open(window)
            if acc is not None:
                self.check_open(acc)
            return self.active(window)
        wait_for(ready, timeout, f"{window.getRoleName()} {window.name!r} to be active")

    def top_window(self, acc):
        """The window (main window, box, dialog) that acc is in: the ancestor
        right below the application (panels are frames too)."""
        while acc is not None:
            parent = acc.parent
            if parent is None or parent.getRoleName() == "application":
                return acc
            acc = parent
        return None

    def settled(self, acc, timeout=20):
        """Waits until acc's window is active and acc has stopped moving (a
        window manager places a new window after it is mapped); returns
        acc's centre."""
        window = self.top_window(acc)
        if window is not None:
            self.wait_active(window, timeout, acc)
        last = [None]

        def still():
            self.check_open(acc)
            now = self.centre(acc)
            same = now == last[0]
            last[0] = now
            return now if same else None
        return wait_for(still, timeout, f"{acc.getRoleName()} {acc.name!r} to stay where it is")

    def wait_front(self, timeout=20):
        """Waits until the window that keys should reach has them: one of the
        open boxes, else the main window."""
        def ready():
            shown = self.boxes() or [self.window()]
            return any(self.active(w) for w in shown)
        wait_for(ready, timeout, "the box in front (or the main window) to be active")

    def boxes(self):
        return [d for role in ("dialog", "alert") for d in self.find_all(role=role, depth=2)]

    def text_of(self, acc):
        texts = [acc.name]
        for label in self.find_all(role="label", root=acc, depth=4):
            texts.append(label.name)
        return "\n".join(texts)

    # ---- input -------------------------------------------------------------
    def centre(self, acc):
        import pyatspi
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if e.width <= 0 or e.height <= 0:
            raise JourneyError(f"{acc.getRoleName()} {acc.name!r} is not on the screen")
        return e.x + e.width // 2, e.y + e.height // 2

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, timeout=20)

    def click(self, acc, button=1, double=False):
        x, y = self.settled(acc)
        self.move_pointer(x, y)
        self.xdotool("click", "--repeat", 2 if double else 1, button)

    def pointer(self):
        out = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=self.env,
                             capture_output=True, text=True, timeout=20).stdout
        where = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(where["X"]), int(where["Y"])

    def move_pointer(self, x, y):
        """Moves the pointer and waits until it is there (xdotool's --sync
        waits for a motion that never comes when it is there already)."""
        if self.pointer() != (x, y):
            self.xdotool("mousemove", x, y)
            wait_for(lambda: self.pointer() == (x, y), 10, f"the pointer at {x},{y}")

    def popups(self):
        """The program's mapped windows (its popup menus among them)."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.app.pid), ""],
                               env=self.env, capture_output=True, text=True, timeout=20)
        return set(found.stdout.split())

    def _opened(self, before, what, timeout):
        try:
            return wait_for(lambda: self.popups() - before, timeout, what)
        except JourneyError:
            return set()

    def menu(self, acc, *keys):
        """Opens acc's popup menu with a right click and picks entries by
        their accelerator keys (Qt keeps popup menus out of the
        accessibility tree, so the menus are watched as X windows): every
        key but the last opens a submenu, the last one an entry."""
        before = self.popups()
        self.click(acc, button=3)
        # A slow machine may take seconds to show the menu: wait long before
        # a second click, which would land on a late menu's entry.
        opened = self._opened(before, "the popup menu", timeout=15)
        if not opened:  # the click was lost (the window was not ready): once more
            self.click(acc, button=3)
            opened = self._opened(before, "the popup menu", timeout=15)
        if not opened:
            raise JourneyError(f"no popup menu opened on {acc.getRoleName()} {acc.name!r}")
        for k in keys[:-1]:
            shown = self.popups()
            self.xdotool("key", k)
            opened |= wait_for(lambda: self.popups() - shown, 15, f"the submenu of {k!r}")
        if keys:
            self.xdotool("key", keys[-1])
            wait_for(lambda: not (self.popups() & opened), 15, "the popup menu to close")

    def key(self, *keys):
        self.wait_front()
        self.xdotool("key", "--clearmodifiers", *keys)

    def type_text(self, text):
        self.wait_front()
        self.xdotool("type", "--delay", 5, text)

    def answer(self, button, box=None, timeout=15):
        """Clicks button on box (or on the box that shows one)."""
        def look():
            for b in ([box] if box else self.boxes()):
                hits = self.find_all(role="push button", name=button, root=b, depth=4)
                if hits:
                    return hits[0]
            return None
        self.click(wait_for(look, timeout, f"a box with the button {button}"))

    def dump(self, acc=None, depth=0, limit=8):
        """Prints the tree below acc (while writing a journey)."""
        acc = acc or self.application()
        if depth == 0:
            acc.clear_cache()
        print("  " * depth + f"{acc.getRoleName()} {acc.name!r} {acc.description!r}")
        if depth < limit and acc.getRoleName() not in ("list", "table"):
            for i in range(acc.childCount):
                c = acc.getChildAtIndex(i)
                if c is not None:
                    self.dump(c, depth + 1, limit)

    def screenshot(self, path):
        if shutil.which("import"):  # imagemagick, where present
            subprocess.run(["import", "-window", "root", path], env=self.env, check=False, timeout=30)

    def close_window(self):
        """Asks the window manager to close the main window, as its close button does."""
        wid = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.app.pid), "--name",
                              "^Dorvanquellis$"], env=self.env, capture_output=True,
                             text=True, timeout=20).stdout.split()
        if not wid:
            raise JourneyError("no main window to close")
        subprocess.run(["wmctrl", "-i", "-c", wid[0]], env=self.env, check=True, timeout=20)


def become_subreaper():
    """Orphans of the helpers (the accessibility bus) become our children, so
    that stop() can reap them instead of leaving them to init."""
    import ctypes
    PR_SET_CHILD_SUBREAPER = 36
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)


def _end_own_group():
    """Ends what the helpers left behind (the accessibility bus they started):
    processes of this journey's own process group, each by its id."""
    me = os.getpid()
    group = os.getpgid(0)
    if group != me:
        return  # not a group of our own: leave everything else alone
    for pid in os.listdir("/proc"):
        if not pid.isdigit() or int(pid) == me:
            continue
        try:
            if os.getpgid(int(pid)) == group:
                os.kill(int(pid), signal.SIGTERM)
        except (ProcessLookupError, PermissionError):
            pass
    end = time.monotonic() + 5
    while time.monotonic() < end:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            time.sleep(0.05)


# ---- the disk --------------------------------------------------------------
def write(path, data=b"x"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())
    return path


def read(path):
    with open(path, "rb") as f:
        return f.read()


def names(folder):
    return sorted(os.listdir(folder)) if os.path.isdir(folder) else []
