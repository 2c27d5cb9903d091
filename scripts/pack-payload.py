#!/usr/bin/env python3
"""Turns an application folder into the installer's payload archive.

    pack-payload.py pack APP_DIR UNINSTALLER OUT.7z
        APP_DIR holds what lands in the install directory (Launcher.xml,
        3.1.0.5/KivoMixer.exe, ...). UNINSTALLER (this build's Uninstall.exe)
        is added as Uninstall.exe. Every entry goes under the root label
        install/, with a directory entry for every folder including install
        itself, compressed with LZMA and BCJ2 in solid blocks.

    pack-payload.py check ARCHIVE
        Refuses an archive whose layout the installer cannot use.

Blocks are limited to 32 MiB of unpacked data: the installer keeps one
decoded block in memory at a time, so this bounds its peak memory whatever
the size of the application.
"""
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = "install"
REQUIRED = ("install/Uninstall.exe", "install/3.1.0.5/KivoMixer.exe")
SEVEN_ZIP = shutil.which("7zz") or shutil.which("7z")

COMPRESSION = ["-t7z", "-m0=BCJ2", "-m1=LZMA:d24", "-m2=LZMA:d19", "-m3=LZMA:d19",
               "-mb0s0:1", "-mb0s1:2", "-mb0s2:3", "-ms=32m", "-mmt=2", "-bd", "-y"]


def fail(message):
    print(f"pack-payload: {message}", file=sys.stderr)
    sys.exit(1)


def archive_entries(archive):
    """(path, is_directory) of every entry, as the archive stores them."""
    out = subprocess.run([SEVEN_ZIP, "l", "-slt", "-ba", archive], capture_output=True, text=True)
    if out.returncode != 0:
        fail(f"{archive} is not a readable 7z archive:\n{out.stdout}{out.stderr}")
    entries, path = [], None
    for line in out.stdout.splitlines():
        if line.startswith("Path = "):
            path = line[len("Path = "):]
        elif line.startswith("Attributes = ") and path is not None:
            entries.append((path, line[len("Attributes = "):].startswith("D")))
            path = None
    return entries


def check(archive):
    entries = archive_entries(archive)
    names = {p for p, _ in entries}
    outside = [p for p, _ in entries if p != ROOT and not p.startswith(ROOT + "/")]
    if outside:
        fail(f"{archive}: entries outside the root folder '{ROOT}/': {outside[:5]}")
    if (ROOT, True) not in entries:
        fail(f"{archive}: no directory entry '{ROOT}'")
    missing = [r for r in REQUIRED if r not in names]
    if missing:
        fail(f"{archive}: the payload lacks {', '.join(missing)}")
    dirs = {p for p, d in entries if d}
    for p, _ in entries:
        parent = p.rsplit("/", 1)[0] if "/" in p else None
        if parent and parent not in dirs:
            fail(f"{archive}: no directory entry for '{parent}'")


def pack(app_dir, uninstaller, out):
    if not os.path.isdir(app_dir):
        fail(f"application folder {app_dir} does not exist")
    if not os.path.isfile(os.path.join(app_dir, "3.1.0.5", "KivoMixer.exe")):
        fail(f"{app_dir} has no 3.1.0.5/KivoMixer.exe: not an application folder")
    if not os.path.isfile(uninstaller):
        fail(f"uninstaller {uninstaller} does not exist")
    with tempfile.TemporaryDirectory() as stage:
        root = os.path.join(stage, ROOT)
        shutil.copytree(app_dir, root, symlinks=False)
        shutil.copyfile(uninstaller, os.path.join(root, "Uninstall.exe"))
        tmp_out = os.path.join(stage, "payload.7z")
        res = subprocess.run([SEVEN_ZIP, "a", *COMPRESSION, tmp_out, ROOT], cwd=stage,
                             capture_output=True, text=True)
        if res.returncode != 0:
            fail(f"7z failed:\n{res.stdout}{res.stderr}")
        check(tmp_out)
        os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
        shutil.move(tmp_out, out)


def main(argv):
    if not SEVEN_ZIP:
        fail("neither 7zz nor 7z is installed (Debian packages 7zip, p7zip-full)")
    if len(argv) == 5 and argv[1] == "pack":
        pack(argv[2], argv[3], argv[4])
    elif len(argv) == 3 and argv[1] == "check":
        check(argv[2])
    else:
        print(__doc__, file=sys.stderr)
        sys.exit(2)


if __name__ == "__main__":
    main(sys.argv)
