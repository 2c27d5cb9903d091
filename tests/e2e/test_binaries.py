"""The shipped programs are what Windows expects of them."""
import os
import re
import subprocess

import pytest

import winebox

# DLLs Windows 10 loads only from System32 whatever the search order: the
# only ones an installer run from a Downloads folder may import statically.
KNOWN_DLLS = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll", "gdiplus.dll", "kernel32.dll", "msvcrt.dll",
    "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "combase.dll",
    "rpcrt4.dll", "sechost.dll", "setupapi.dll", "imagehlp.dll", "psapi.dll", "normaliz.dll",
    "nsi.dll", "ws2_32.dll", "wldap32.dll", "difxapi.dll", "clbcatq.dll", "imm32.dll",
}

PROGRAMS = [
    pytest.param(winebox.INSTALLER, "3.1.0.5", id="KivoMixerSetup"),
    pytest.param(winebox.UNINSTALLER, "3.3.0.0", id="Uninstall"),
]


C_LOCALE = dict(os.environ, LC_ALL="C", LANG="C")


def objdump(path, *args):
    return subprocess.run(["i686-w64-mingw32-objdump", *args, str(path)], check=True,
                          capture_output=True, text=True, env=C_LOCALE).stdout


def resource_bytes(path):
    """The raw .rsrc section (manifest and version record live there)."""
    out = subprocess.run(["i686-w64-mingw32-objcopy", "-O", "binary", "--only-section=.rsrc",
                          str(path), "/dev/stdout"], check=True, capture_output=True)
    return out.stdout


@pytest.mark.parametrize("program,version", PROGRAMS)
def test_is_a_32_bit_gui_program(program, version):
    headers = objdump(program, "-f", "-p")
    assert "file format pei-i386" in headers
    assert re.search(r"Subsystem\s+00000002\s+\(Windows GUI\)", headers)


@pytest.mark.parametrize("program,version", PROGRAMS)
def test_imports_only_known_dlls(program, version):
    imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", objdump(program, "-p"))}
    assert imports, "no import table found"
    assert imports <= KNOWN_DLLS, f"not KnownDLLs: {sorted(imports - KNOWN_DLLS)}"


@pytest.mark.parametrize("program,version", PROGRAMS)
def test_manifest_asks_for_administrator_and_declares_windows_10(program, version):
    rsrc = resource_bytes(program)
    assert b'requestedExecutionLevel level="requireAdministrator"' in rsrc
    assert b"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" in rsrc


@pytest.mark.parametrize("program,version", PROGRAMS)
def test_version_record_and_icon(program, version):
    rsrc = resource_bytes(program)
    assert "ProductVersion\0".encode("utf-16-le") in rsrc
    assert (version + "\0").encode("utf-16-le") in rsrc
    assert "Kivo伴侣".encode("utf-16-le") in rsrc
    # Icon group 103 exists (resource directory entry id 0x67 under RT_GROUP_ICON).
    headers = objdump(program, "-p")
    assert "ID: 103" in headers or b"\x67\x00\x00\x00" in rsrc
