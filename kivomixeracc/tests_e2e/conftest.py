"""Fixtures for the AT-SPI end-to-end test: a private session bus, a virtual
X display, the demo host with the bridge, and the accessibility bus, started
in the order that lets the host register with AT-SPI."""
import os
import pathlib
import queue
import signal
import subprocess
import tempfile
import threading
import time

import pytest

REPO = pathlib.Path(__file__).resolve().parents[2]
BUILD_BIN = pathlib.Path(os.environ.get("KIVO_BRIDGE_BIN", REPO / "build" / "bridge" / "bin"))


def _start_group(args, **kwargs):
    # Each helper gets its own process group so that it and whatever it
    # spawns (bus activation) can be ended together, by that group's id.
    return subprocess.Popen(args, start_new_session=True, **kwargs)


def _end_group(proc):
    if proc is None:
        return
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()


class HostOutput:
    """Collects the demo host's standard output lines on a thread."""

    def __init__(self, stream):
        self._lines = queue.Queue()
        self.seen = []
        threading.Thread(target=self._pump, args=(stream,), daemon=True).start()

    def _pump(self, stream):
        for raw in stream:
            self._lines.put(raw.rstrip("\n"))

    def wait_for(self, line, timeout=5.0):
        """Waits until the host printed exactly this line."""
        deadline = time.monotonic() + timeout
        while line not in self.seen:
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError(f"host never printed {line!r}; it printed {self.seen!r}")
            try:
                self.seen.append(self._lines.get(timeout=left))
            except queue.Empty:
                pass
        return line

    def drain(self, settle=0.3):
        """Everything printed until the host has been quiet for a moment."""
        while True:
            try:
                self.seen.append(self._lines.get(timeout=settle))
            except queue.Empty:
                return self.seen


@pytest.fixture(scope="module")
def desktop():
    runtime = tempfile.TemporaryDirectory(prefix="kivo-e2e-")
    os.chmod(runtime.name, 0o700)
    env = dict(os.environ)
    env["XDG_RUNTIME_DIR"] = runtime.name
    procs = []
    try:
        bus = _start_group(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, text=True, env=env)
        procs.append(bus)
        env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()

        xvfb = _start_group(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.PIPE, text=True, env=env)
        procs.append(xvfb)
        env["DISPLAY"] = ":" + xvfb.stdout.readline().strip()

        host_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        host = _start_group([str(BUILD_BIN / "kivo_demo_host"), str(BUILD_BIN / "kivomixeracc")],
                            stdout=subprocess.PIPE, text=True, env=host_env)
        procs.append(host)
        output = HostOutput(host.stdout)
        output.wait_for("READY", timeout=15)

        # The accessibility bus comes up only now: a host started after it
        # would not register.
        subprocess.run(["dbus-send", "--session", "--dest=org.a11y.Bus", "--print-reply",
                        "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                       env=env, check=True, stdout=subprocess.DEVNULL, timeout=10)

        os.environ.update({k: env[k] for k in ("XDG_RUNTIME_DIR", "DBUS_SESSION_BUS_ADDRESS", "DISPLAY")})
        import pyatspi  # noqa: E402  (reads the bus address when imported)

        yield pyatspi, output
    finally:
        for proc in reversed(procs):
            _end_group(proc)
        runtime.cleanup()
