#!/usr/bin/env python3
"""Bad payloads for tests: each one is something the installer must refuse.

    payload_fixtures.py corrupt  GOOD.7z OUT.7z   one byte flipped inside the packed data
    payload_fixtures.py truncate GOOD.7z OUT.7z   the archive cut in half
    payload_fixtures.py hostile  APP_DIR OUT.7z  APP_DIR plus install/../../evil.dll
    payload_fixtures.py pack     APP_DIR OUT.7z  APP_DIR under install/, LZMA + BCJ2,
                                                  no layout check (unit-test fixtures)
    payload_fixtures.py cpp NAME IN.7z OUT.inc    the bytes as a C++ array NAME

7-Zip itself refuses to store a name with '..' components, so the hostile
archive is packed with a same-length placeholder and an uncompressed header
whose names are then rewritten and whose checksums are recomputed.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

SEVEN_ZIP = shutil.which("7zz") or shutil.which("7z")
SIGNATURE_HEADER = 32


def read(path):
    with open(path, "rb") as f:
        return bytearray(f.read())


def write(path, data):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def corrupt(good, out):
    data = read(good)
    next_offset = struct.unpack_from("<Q", data, 12)[0]
    # The packed streams lie between the signature header and the header.
    data[SIGNATURE_HEADER + next_offset // 2] ^= 0x5A
    write(out, data)


def truncate(good, out):
    data = read(good)
    write(out, data[: len(data) // 2])


def pack(app_dir, out):
    with tempfile.TemporaryDirectory() as stage:
        shutil.copytree(app_dir, os.path.join(stage, "install"))
        archive = os.path.join(stage, "fixture.7z")
        subprocess.run([SEVEN_ZIP, "a", "-t7z", "-mf=BCJ2", "-m0=LZMA", "-ms=on", "-bd", "-y",
                        archive, "install"], cwd=stage, check=True, stdout=subprocess.DEVNULL)
        write(out, read(archive))


def hostile(app_dir, out):
    placeholder, evil = "QQ", ".."
    with tempfile.TemporaryDirectory() as stage:
        root = os.path.join(stage, "install")
        shutil.copytree(app_dir, root)
        nested = os.path.join(root, placeholder, placeholder)
        os.makedirs(nested)
        write(os.path.join(nested, "evil.dll"), b"written outside the install directory\r\n")
        archive = os.path.join(stage, "hostile.7z")
        subprocess.run([SEVEN_ZIP, "a", "-t7z", "-mhc=off", "-m0=LZMA", "-bd", "-y", archive,
                        "install"], cwd=stage, check=True, stdout=subprocess.DEVNULL)
        data = read(archive)
    next_offset, next_size = struct.unpack_from("<QQ", data, 12)
    start = SIGNATURE_HEADER + next_offset
    header = bytes(data[start:start + next_size])
    needle = "/QQ".encode("utf-16-le")
    assert needle in header, "the header is compressed: cannot rewrite its names"
    header = header.replace(needle, "/..".encode("utf-16-le"))
    data[start:start + next_size] = header
    struct.pack_into("<I", data, 28, zlib.crc32(header))
    struct.pack_into("<I", data, 8, zlib.crc32(bytes(data[12:32])))
    write(out, data)


def cpp(name, archive, out):
    data = read(archive)
    lines = [f"// Generated from {os.path.basename(archive)} by payload_fixtures.py.",
             f"static const unsigned char {name}[] = {{"]
    for i in range(0, len(data), 20):
        lines.append("  " + ", ".join(str(b) for b in data[i:i + 20]) + ",")
    lines.append("};")
    write(out, ("\n".join(lines) + "\n").encode())


def main(argv):
    commands = {"corrupt": (corrupt, 2), "truncate": (truncate, 2), "hostile": (hostile, 2), "pack": (pack, 2),
                "cpp": (cpp, 3)}
    if len(argv) < 2 or argv[1] not in commands or len(argv) - 2 != commands[argv[1]][1]:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    commands[argv[1]][0](*argv[2:])


if __name__ == "__main__":
    main(sys.argv)
