"""What the installer carries: the sample application, its packed payload,
and the installer variants whose payloads must be refused."""
import shutil
import subprocess
from pathlib import Path

import winebox

PAYLOAD = winebox.SETUPV2 / "installer" / "payload" / "kivo.7z"
SAMPLE_APP = winebox.SETUPV2 / "testing" / "sample_app" / "app"
VARIANTS = winebox.SETUPV2 / "testing" / "installer_variants"


def variant(name: str) -> Path:
    return VARIANTS / f"KivoMixerSetup-{name}.exe"


def entries(archive: Path = PAYLOAD) -> list:
    """Entry names in archive order, as 7-Zip lists them."""
    seven = shutil.which("7zz") or shutil.which("7z")
    out = subprocess.run([seven, "l", "-slt", "-ba", str(archive)], check=True, capture_output=True,
                         text=True).stdout
    return [line[len("Path = "):] for line in out.splitlines() if line.startswith("Path = ")]


def expected_tree() -> list:
    """Relative paths (with /) the sample installs: the application, the
    uninstaller and the empty folder of the archive's root entry."""
    tree = {p.relative_to(SAMPLE_APP).as_posix() for p in SAMPLE_APP.rglob("*")}
    return sorted(tree | {"Uninstall.exe", "install"})
