"""A throwaway Wine machine for one end-to-end test.

Each WineBox is a copy of one booted 64-bit prefix (Chinese locale, fonts
mapped) with its own wineserver kept warm. Its helpers read what a user's
machine would show: files, the registry, the UTF-16 logs.
"""
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path, PureWindowsPath

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("KIVO_BUILD_DIR", ROOT / "build" / "windows"))
SETUPV2 = BUILD / "packages" / "tool" / "setupv2"
INSTALLER = SETUPV2 / "installer" / "KivoMixerSetup.exe"
UNINSTALLER = SETUPV2 / "uninstaller" / "Uninstall.exe"
TEST_HELPER = SETUPV2 / "testing" / "kivo_test_helper.exe"

START_EVENT = "DEF_SINGLE_KIVOVCAM_EVENT_20140227"

# DLL folders never change under a test: link them instead of copying 1 GB.
_LINKED = ("drive_c/windows/system32", "drive_c/windows/syswow64")


def wine_env(prefix: Path) -> dict:
    home = Path(str(prefix) + ".home")
    home.mkdir(parents=True, exist_ok=True)
    env = dict(os.environ)
    env.update(
        WINEPREFIX=str(prefix),
        WINEARCH="win64",
        WINEDEBUG="-all,err+module",
        WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=",
        LANG="zh_CN.UTF-8",
        LC_ALL="zh_CN.UTF-8",
        HOME=str(home),
        XDG_DATA_HOME=str(home / ".local" / "share"),
    )
    return env


def boot_template(prefix: Path) -> Path:
    """Boots the shared template prefix once (the scripts usually have)."""
    if not (prefix / ".kivo-booted-2").exists():
        subprocess.run(
            ["bash", "-c", f'source "{ROOT}/scripts/wine-env.sh" && kivo_wine_boot "{prefix}"'],
            check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return prefix


def copy_prefix(template: Path, target: Path) -> None:
    def ignore(directory, names):
        rel = Path(directory).relative_to(template)
        return [n for n in names if (rel / n).as_posix() in _LINKED]

    shutil.copytree(template, target, symlinks=True, ignore=ignore)
    for rel in _LINKED:
        if (template / rel).exists():
            subprocess.run(["cp", "-al", str(template / rel), str(target / rel)], check=True)


def wait_for(predicate, seconds: float = 90) -> bool:
    """Polls |predicate| until it holds or the (generous) time is up; for
    detached programs whose end a test cannot wait on directly."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        if predicate():
            return True
        time.sleep(0.2)
    return False


class RunResult:
    def __init__(self, code: int, ms: int, stdout: str):
        self.code = code
        self.ms = ms
        self.stdout = stdout

    def __repr__(self):
        return f"RunResult(code={self.code}, ms={self.ms})"


class WineBox:
    def __init__(self, template: Path, where: Path):
        self.prefix = where / "prefix"
        copy_prefix(template, self.prefix)
        self.env = wine_env(self.prefix)
        self._holders = []
        # Keep one wineserver (and Wine's services) alive for the whole test,
        # started apart from any pipe a test reads, so that later programs
        # start in milliseconds and no output pipe is held open by them.
        subprocess.run(["wineserver", "-p"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        subprocess.run(["wine", "cmd", "/c", "exit"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)

    def wine(self, *args, timeout: float = 120) -> subprocess.CompletedProcess:
        """Runs 'wine ARGS' and returns its status and output. The output goes
        through files, not pipes: programs that Wine starts on the way (the
        desktop process, regsvr32, ...) inherit the standard handles and may
        outlive the call, and a pipe would stay open until they end."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            proc = subprocess.run(["wine", *args], env=self.env, stdin=subprocess.DEVNULL,
                                  stdout=out, stderr=err, timeout=timeout)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(proc.args, proc.returncode, out.read(), err.read())

    # --- paths ------------------------------------------------------------
    @property
    def user(self) -> str:
        return os.environ.get("USER") or "root"

    def host_path(self, windows_path: str) -> Path:
        """The Linux path of a C: path in this prefix (case as written)."""
        p = PureWindowsPath(windows_path)
        assert p.drive.upper() == "C:", windows_path
        return self.prefix.joinpath("drive_c", *p.parts[1:])

    @property
    def appdata(self) -> str:
        return f"C:\\users\\{self.user}\\AppData\\Roaming"

    @property
    def local_appdata(self) -> str:
        return f"C:\\users\\{self.user}\\AppData\\Local"

    @property
    def default_install_dir(self) -> str:
        return self.local_appdata + "\\tarlan\\kivomixer"

    def log_path(self, name: str = "setupV2.log") -> Path:
        return self.host_path(self.appdata + "\\tarlan\\kivomixer\\setup\\" + name)

    # --- programs ---------------------------------------------------------
    def put(self, source: Path, windows_dir: str) -> str:
        """Copies a program into the prefix; returns its Windows path."""
        target_dir = self.host_path(windows_dir)
        target_dir.mkdir(parents=True, exist_ok=True)
        target = target_dir / source.name
        # Never rewrite a program that may be running (a holder started
        # earlier): Wine maps the file, and truncating it under the running
        # process kills it.
        if target.exists():
            a, b = source.stat(), target.stat()
            if a.st_size == b.st_size and int(a.st_mtime) == int(b.st_mtime):
                return windows_dir.rstrip("\\") + "\\" + source.name
        shutil.copy2(source, target)
        return windows_dir.rstrip("\\") + "\\" + source.name

    def run(self, application: str, arguments: str = "", timeout: float = 120) -> RunResult:
        """Runs a Windows program with exactly '"application" arguments' as its
        command line and returns its exit code (signed) and run time."""
        helper = self.put(TEST_HELPER, "C:\\kivo-test")
        line = f'"{application}"' + (" " + arguments if arguments else "")
        out = self.wine(helper, "run", application, line, timeout=timeout)
        text = out.stdout.decode("utf-8", "replace")
        m = re.search(r"exit=(-?\d+) ms=(\d+)", text)
        assert m, f"could not run {application}: {text!r} {out.stderr[-2000:]!r}"
        return RunResult(int(m.group(1)), int(m.group(2)), text)

    def install(self, arguments: str = "-silence", installer: Path = INSTALLER,
                fast_start: bool = True, timeout: float = 300) -> RunResult:
        """Runs the installer from a Downloads folder whose path has blanks and
        Chinese text. With fast_start the start-up event already exists and is
        signalled, as when a client hands over; otherwise the installer waits
        its full 3 s first."""
        if fast_start:
            self.hold_event(START_EVENT, signaled=True)
        exe = self.put(installer, f"C:\\users\\{self.user}\\Downloads\\新 下载")
        return self.run(exe, arguments, timeout=timeout)

    def _hold(self, *helper_args):
        """Starts the test helper with a hold-* command and waits until the
        object it holds exists; it is kept until release() or the end."""
        args = ["wine", self.put(TEST_HELPER, "C:\\kivo-test"), *helper_args]
        proc = subprocess.Popen(args, env=self.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL)
        line = proc.stdout.readline().decode().strip()
        assert line == "ready", f"{helper_args[0]} said {line!r}"
        self._holders.append(proc)
        return proc

    def hold_event(self, name: str, signaled: bool, signal_after_ms: int = None):
        extra = [] if signal_after_ms is None else [str(signal_after_ms)]
        return self._hold("hold-event", name, "signaled" if signaled else "unsignaled", *extra)

    def hold_mutex(self, name: str):
        return self._hold("hold-mutex", name)

    def release(self, holder):
        holder.stdin.close()
        holder.wait(timeout=30)
        self._holders.remove(holder)

    def make_link(self, link: str, target: str) -> None:
        self.host_path(link).parent.mkdir(parents=True, exist_ok=True)
        out = self.wine(self.put(TEST_HELPER, "C:\\kivo-test"), "make-link", link, target)
        assert out.returncode == 0, out

    def read_link(self, link: str) -> dict:
        """A shell link's target and working directory, read through the
        shell link interface ({} when it cannot be loaded)."""
        out = self.wine(self.put(TEST_HELPER, "C:\\kivo-test"), "read-link", link)
        if out.returncode != 0:
            return {}
        fields = dict(line.split("=", 1) for line in out.stdout.decode("utf-8").splitlines() if "=" in line)
        return fields

    def hold_file(self, windows_path: str, share_delete: bool = False):
        """Keeps a file open in another process until the test ends: sharing
        nothing, or (share_delete) letting others only rename or delete it."""
        return self._hold("hold-file", windows_path, *(["share-delete"] if share_delete else []))

    # --- what a user's machine shows ----------------------------------------
    def read_log(self, name: str = "setupV2.log") -> list:
        """The log's lines, after checking its mark and line format."""
        data = self.log_path(name).read_bytes()
        assert data[:2] == b"\xff\xfe", "log must start with the UTF-16LE mark"
        text = data[2:].decode("utf-16-le")
        assert text.endswith("\r\n")
        lines = text[:-2].split("\r\n")
        return lines

    def log_messages(self, name: str = "setupV2.log") -> list:
        """The messages of the log's lines, with their time stamps checked and
        removed. Messages that hold line ends of their own span lines; those
        continuation lines are returned as they are."""
        out = []
        for line in self.read_log(name):
            m = re.match(r"^\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\] (.*)$", line)
            out.append(m.group(1) if m else line)
        return out

    def tree(self, windows_dir: str) -> list:
        """Relative paths (with /) of everything below a directory, sorted."""
        base = self.host_path(windows_dir)
        if not base.exists():
            return []
        return sorted(p.relative_to(base).as_posix() for p in base.rglob("*"))

    def reg_values(self, key: str) -> dict:
        """The values of one key, from 'reg export': name -> (type, data);
        REG_SZ data as text (without a terminating zero), dwords as int."""
        text = self.reg_export(key)
        values = {}
        section = None
        for line in text.replace("\\\r\n  ", "").splitlines():
            if line.startswith("["):
                section = line.strip("[]")
                continue
            if section is None or section.lower() != key.lower() or "=" not in line:
                continue
            if line.startswith("@="):
                name, raw = "", line[2:]
            else:
                m = re.match(r'^"((?:[^"\\]|\\.)*)"=(.*)$', line)
                if not m:
                    continue
                name = m.group(1).replace('\\\\', '\\').replace('\\"', '"')
                raw = m.group(2)
            if raw.startswith('"'):
                values[name] = ("REG_SZ", raw[1:-1].replace('\\\\', '\\').replace('\\"', '"'))
            elif raw.startswith("dword:"):
                values[name] = ("REG_DWORD", int(raw[6:], 16))
            else:
                values[name] = ("OTHER", raw)
        return values

    def reg_export(self, key: str) -> str:
        """The text of 'reg export' for a key ('' when it does not exist)."""
        out_file = self.host_path("C:\\kivo-test\\export.reg")
        out_file.parent.mkdir(parents=True, exist_ok=True)
        if out_file.exists():
            out_file.unlink()
        subprocess.run(["wine", "reg", "export", key, "C:\\kivo-test\\export.reg", "/y"],
                       env=self.env, cwd=str(self.prefix), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        if not out_file.exists():
            return ""
        return out_file.read_bytes().decode("utf-16")

    def kill_all(self):
        """Ends every program of this machine at once, as a crash or a
        power cut would; the next call starts a fresh wineserver."""
        for proc in self._holders:
            proc.kill()
        self._holders = []
        subprocess.run(["wineserver", "-k"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run(["wineserver", "-w"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)

    def close(self):
        for proc in self._holders:
            try:
                proc.stdin.close()
                proc.wait(timeout=10)
            except Exception:
                proc.kill()
        subprocess.run(["wineserver", "-k"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
