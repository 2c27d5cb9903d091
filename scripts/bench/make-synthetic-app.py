#!/usr/bin/env python3
"""Builds a synthetic application folder of about SIZE_MB megabytes for the
payload benchmark, laid out as the installer expects.

    make-synthetic-app.py SIZE_MB SAMPLE_APP_DIR OUT_DIR

The mix stands for a real desktop client: about 40 % x86 code (Wine's own
32-bit PE libraries), 35 % compressible text (XML, scripts, logs), 25 %
already-compressed media (random bytes, which no compressor shrinks). The
sample application's files are copied in first, so the payload layout is
the real one. Deterministic: the same size gives the same folder.
"""
import os
import random
import shutil
import sys
from pathlib import Path

PE_DIR = Path("/usr/lib/i386-linux-gnu/wine/i386-windows")
WORDS = ("mixer audio video channel filter camera effect scene volume source device frame "
         "render stream buffer encoder decoder plugin layout window button label value index "
         "sample rate codec bitrate latency overlay transition preset profile").split()


def fill_code(version_dir: Path, budget: int) -> None:
    libs = sorted(p for p in PE_DIR.glob("*.dll") if 20_000 < p.stat().st_size < 3_000_000)
    rng = random.Random(1)
    rng.shuffle(libs)
    target = version_dir / "bin"
    target.mkdir(parents=True, exist_ok=True)
    used = 0
    for lib in libs:
        if used + lib.stat().st_size > budget:
            continue
        shutil.copyfile(lib, target / lib.name)
        used += lib.stat().st_size


def fill_text(version_dir: Path, budget: int) -> None:
    rng = random.Random(2)
    target = version_dir / "res" / "text"
    target.mkdir(parents=True, exist_ok=True)
    used, n = 0, 0
    while used < budget:
        lines = []
        size = rng.randint(20_000, 400_000)
        length = 0
        while length < size:
            w = rng.choices(WORDS, k=rng.randint(4, 12))
            line = f'  <item id="{rng.randint(0, 99999)}" name="{w[0]}_{w[1]}" value="{rng.random():.5f}">' \
                   f'{" ".join(w)}</item>\n'
            lines.append(line)
            length += len(line)
        data = ("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<list>\n" + "".join(lines) + "</list>\n").encode()
        (target / f"list{n:04d}.xml").write_bytes(data)
        used += len(data)
        n += 1


def fill_media(version_dir: Path, budget: int) -> None:
    rng = random.Random(3)
    target = version_dir / "res" / "media"
    target.mkdir(parents=True, exist_ok=True)
    used, n = 0, 0
    while used < budget:
        size = min(rng.randint(100_000, 4_000_000), budget - used + 1)
        (target / f"clip{n:04d}.{rng.choice(['mp4', 'png', 'jpg', 'swf'])}").write_bytes(rng.randbytes(size))
        used += size
        n += 1


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    total = int(argv[1]) * 1_000_000
    sample, out = Path(argv[2]), Path(argv[3])
    if out.exists():
        shutil.rmtree(out)
    shutil.copytree(sample, out)
    version_dir = out / "3.1.0.5"
    fill_code(version_dir, int(total * 0.40))
    fill_text(version_dir, int(total * 0.35))
    fill_media(version_dir, int(total * 0.25))


if __name__ == "__main__":
    main(sys.argv)
