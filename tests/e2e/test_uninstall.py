"""The uninstaller end to end: a silent installation, then Uninstall.exe;
its copy in a GUID folder; what it removes and what it must never touch."""
import os
import re
import subprocess
import time
from pathlib import Path

import pytest

import winebox

D = "C:\\Program Files (x86)\\Kivo 伴侣"
KIVO_KEY = r"HKEY_CURRENT_USER\Software\tarlan\kivomixer"
KIVO_COM_KEY = r"HKEY_CURRENT_USER\Software\tarlan\com.kivo.kivomixer"
UNINSTALL_KEY = r"HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\KivoMixer"
CLSID_SERVER = r"HKEY_CLASSES_ROOT\CLSID\{6B0A3E55-1F7C-4C0B-9E52-3A5C8E1D7F21}\InprocServer32"
MAC = "0200AABBCCDDEE1765432100"
REMOVAL_REPORT = f"/KivoMixerInstall.php?mac={MAC}&version=3.3.0.0&installed=0"
RECORD = "C:\\kivo-test\\installstat-record.txt"
LOG = "unistV2.log"
END_LINE = "Uninstall end, exit code is 0"




def setup_folder(box):
    return box.appdata + "\\tarlan\\kivomixer\\setup"


def links(box):
    start_menu = box.appdata + "\\Microsoft\\Windows\\Start Menu"
    group = start_menu + "\\Programs\\Kivo伴侣"
    return [f"C:\\users\\{box.user}\\Desktop\\Kivo伴侣.lnk", group + "\\Kivo伴侣.lnk",
            start_menu + "\\Kivo伴侣.lnk", group + "\\卸载Kivo伴侣.lnk"], group


def installed(box, directory=D):
    ini = box.host_path(box.appdata + "\\tarlan\\kivomixer\\setup.ini")
    ini.parent.mkdir(parents=True, exist_ok=True)
    ini.write_bytes(f"macId={MAC}\r\n".encode())
    assert box.install(f'-silence "{directory}"').code == 0
    assert winebox.wait_for(lambda: box.reg_values(CLSID_SERVER) != {})
    # Records what installstat.exe receives from here on, outside D.
    box.host_path("C:\\kivo-test").mkdir(parents=True, exist_ok=True)
    box.env["KIVO_INSTALLSTAT_RECORD"] = RECORD


def uninstall_log(box):
    path = box.log_path(LOG)
    return box.log_messages(LOG) if path.exists() else []


def wait_for_runs(box, count):
    """Both processes log END_LINE last; the copy is detached."""
    assert winebox.wait_for(lambda: uninstall_log(box).count(END_LINE) >= count), uninstall_log(box)[-20:]
    return uninstall_log(box)


def run_silently(box, directory=D):
    result = box.run(directory + "\\Uninstall.exe", "-silence")
    assert result.code == 0
    return wait_for_runs(box, 2)


def test_silent_uninstall_leaves_a_clean_machine(box, stats_server):
    installed(box)
    msgs = run_silently(box)

    # The first process: model 1, the copy in a GUID folder, started with
    # the directory in quotes and without its trailing backslash.
    assert msgs.index("Uninstall start, command line is -silence") < msgs.index(
        "MixerUninstallControl::uninstall, run model is 1.")
    assert f'para is -silencedelete -path "{D}"' in msgs
    copies = [p for p in box.tree(setup_folder(box)) if p.endswith("/uninstall.exe")]
    assert len(copies) == 1
    assert re.fullmatch(r"\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}/uninstall.exe",
                        copies[0]), copies
    # The copy: model 3 for D with its backslash restored.
    # The copy's command line has no program name: its first token is the
    # option, and the log shows what follows it.
    assert f'Uninstall start, command line is -path "{D}"' in msgs
    assert "MixerUninstallControl::uninstall, run model is 3." in msgs
    assert f"MixerUninstallCore::setPath, path is {D}" in msgs
    assert f"Begin delete files, directory is {D}\\" in msgs
    assert msgs.count(END_LINE) == 2

    assert not box.host_path(D).exists()
    assert winebox.wait_for(lambda: box.reg_values(CLSID_SERVER) == {})
    assert box.reg_values(KIVO_KEY) == {}
    assert box.reg_values(KIVO_COM_KEY) == {}
    assert box.reg_export(UNINSTALL_KEY) == ""
    files, group = links(box)
    for link in files:
        assert not box.host_path(link).exists(), link
    assert not box.host_path(group).exists()

    assert stats_server.paths[0].endswith("&installed=1")
    assert stats_server.paths[1:] == [REMOVAL_REPORT, REMOVAL_REPORT]
    record = box.host_path(RECORD).read_text(encoding="utf-8").splitlines()
    assert record == ['"|3.3.0.0|1|u|"']


def test_filter_is_unregistered_from_where_the_installer_registered_it(box):
    installed(box)
    msgs = run_silently(box)
    assert f'KivoUninstallCore::unRegsvrAxComM, order is regsvr32 -s -u "{D}\\Stable\\KivoVirtualCam.ax"' in msgs
    assert f"MixerFileCleaner::_startInstallstat, path is {D}\\3.1.0.5\\installstat.exe, " \
           'parameter is "|3.3.0.0|1|u|"' in msgs


def test_setup_folder_is_emptied_before_the_new_copy_is_made(box):
    installed(box)
    setup = setup_folder(box)
    old_copy = box.host_path(setup + "\\{00000000-0000-0000-0000-000000000000}\\uninstall.exe")
    old_copy.parent.mkdir(parents=True)
    old_copy.write_bytes(b"old")
    box.host_path(setup + "\\old.log").write_bytes(b"old")
    run_silently(box)
    entries = box.tree(setup)
    assert "{00000000-0000-0000-0000-000000000000}" not in " ".join(entries)
    assert "old.log" not in entries
    # The installer's log was not open; the uninstaller's own log was.
    assert "setupV2.log" not in entries
    assert LOG in entries
    assert len([e for e in entries if e.endswith("/uninstall.exe")]) == 1


def test_held_file_stays_and_the_rest_goes(box):
    installed(box)
    held = D + "\\3.1.0.5\\avutil-51.dll"
    box.hold_file(held)
    msgs = run_silently(box)
    assert any(m.startswith(f"delete file {D}\\\\3.1.0.5\\avutil-51.dll fail, last error is ") for m in msgs)
    assert f"RemoveDirectory {D}\\ fail, last error is 145" in msgs
    assert box.tree(D) == ["3.1.0.5", "3.1.0.5/avutil-51.dll"]
    # The finish actions ran all the same.
    assert box.reg_values(KIVO_KEY) == {}
    assert box.reg_export(UNINSTALL_KEY) == ""
    assert not box.host_path(links(box)[0][0]).exists()


@pytest.fixture
def display(box):
    """An X display for programs with windows (a private Xvfb when the run
    has none)."""
    if os.environ.get("DISPLAY"):
        yield
        return
    number = 100 + os.getpid() % 800
    while Path(f"/tmp/.X11-unix/X{number}").exists() or Path(f"/tmp/.X{number}-lock").exists():
        number += 1
    server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        assert winebox.wait_for(Path(f"/tmp/.X11-unix/X{number}").exists, 10)
        box.env["DISPLAY"] = f":{number}"
        yield
        box.kill_all()
    finally:
        server.terminate()
        server.wait(timeout=10)


def start_client(box, client):
    """Starts the sample client (staying on the close message) and waits
    until it runs."""
    starts = box.host_path(client).parent / "KivoMixer.starts.txt"
    proc = subprocess.Popen(["wine", client, "-ignore-close"], env=box.env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    assert winebox.wait_for(starts.exists, 60)
    return proc


@pytest.mark.parametrize("where, ended", [("", True), ("\\3.1.0.5", False)], ids=["root", "version"])
def test_client_running_from_d_is_ended_but_not_from_a_subfolder(box, display, where, ended):
    installed(box)
    client = D + where + "\\KivoMixer.exe"
    proc = start_client(box, client)
    try:
        # As the copy runs: from outside D.
        copy = box.put(winebox.UNINSTALLER, "C:\\kivo-test\\copy")
        assert box.run(copy, f'-silencedelete -path "{D}"').code == 0
        msgs = wait_for_runs(box, 1)
        if ended:
            assert proc.wait(timeout=30) == 0
            assert not box.host_path(D).exists()
        else:
            assert proc.poll() is None
            # Its program file is in use, so it and its folders stay.
            assert box.host_path(client).exists()
            assert any(m.startswith(f"delete file {D}\\\\3.1.0.5\\KivoMixer.exe fail") for m in msgs)
    finally:
        proc.kill()


@pytest.mark.parametrize("arguments, model, copy_option", [
    ("-SILENCE", 0, "-delete"),                    # options keep their case: not silent
    (f'-delete -path "C:\\no such folder"', 0, "-delete"),  # falls back to the own folder
], ids=["capitals", "missing-directory"])
def test_first_process_models(box, arguments, model, copy_option):
    installed(box)
    assert box.run(D + "\\Uninstall.exe", arguments).code == 0
    msgs = wait_for_runs(box, 2)
    assert f"MixerUninstallControl::uninstall, run model is {model}." in msgs
    assert f"MixerUninstallControl::_initPath, current path is : {D}\\" in msgs
    assert f'para is {copy_option} -path "{D}"' in msgs
    # The copy (model 2, interactive without its windows yet) removed D and
    # ran the finish actions.
    assert "MixerUninstallControl::uninstall, run model is 2." in msgs
    assert not box.host_path(D).exists()
    assert box.reg_export(UNINSTALL_KEY) == ""


@pytest.mark.parametrize("arguments", [f'-delete -path="{D}"', f'-delete -path "{D}"'],
                         ids=["equals", "blank"])
def test_the_copy_takes_a_quoted_directory_with_blanks(box, arguments):
    installed(box)
    copy = box.put(winebox.UNINSTALLER, "C:\\kivo-test\\copy")
    assert box.run(copy, arguments).code == 0
    msgs = wait_for_runs(box, 1)
    assert "MixerUninstallControl::uninstall, run model is 2." in msgs
    assert f"MixerFileCleaner::setPath, path is {D}\\." in msgs
    assert not box.host_path(D).exists()


SENTINELS = ["notes.txt", "照片/家.jpg"]


def sentinel_folder(box, windows_dir):
    for name in SENTINELS:
        p = box.host_path(windows_dir + "\\" + name.replace("/", "\\"))
        p.parent.mkdir(parents=True, exist_ok=True)
        p.write_bytes(b"keep me")


def test_stray_copy_run_among_unrelated_files_deletes_nothing(box):
    installed(box)
    folder = f"C:\\users\\{box.user}\\Desktop\\杂物"
    sentinel_folder(box, folder)
    box.put(winebox.UNINSTALLER, folder)
    assert box.run(folder + "\\Uninstall.exe", "-silence").code == 0
    msgs = wait_for_runs(box, 2)
    assert (f"MixerFileCleaner::execute, {folder}\\ is not removed: it holds neither Launcher.xml "
            "nor a version folder with KivoMixer.exe.") in msgs
    for name in SENTINELS:
        assert box.host_path(folder + "\\" + name.replace("/", "\\")).read_bytes() == b"keep me"
    # The real installation is untouched: files, filter, registry, links.
    assert box.host_path(D + "\\3.1.0.5\\KivoMixer.exe").exists()
    assert box.reg_values(CLSID_SERVER) != {}
    assert box.reg_values(KIVO_KEY) != {}
    assert box.host_path(links(box)[0][0]).exists()
    assert not any(m.startswith("Begin delete files") for m in msgs)


@pytest.mark.parametrize("target, reason", [
    ("C:\\users\\{user}", "it is a user profile"),
    ("C:\\", "it is a drive root"),
    ("C:\\users\\{user}\\Documents", "it is or holds the system or shell folder C:\\users\\{user}\\Documents"),
    ("C:\\kivo-test\\杂物", "it holds neither Launcher.xml nor a version folder with KivoMixer.exe"),
], ids=["profile", "drive-root", "documents", "unrelated"])
def test_copy_pointed_at_a_foreign_folder_deletes_nothing(box, target, reason):
    target = target.format(user=box.user)
    reason = reason.format(user=box.user)
    probe = target.rstrip("\\") + "\\kivo-sentinel\\keep.txt"
    box.host_path(probe).parent.mkdir(parents=True, exist_ok=True)
    box.host_path(probe).write_bytes(b"keep me")
    # Wine itself writes into the profile meanwhile; a folder of our own
    # can be compared whole.
    before = box.tree(target) if target.startswith("C:\\kivo-test") else None
    copy = box.put(winebox.UNINSTALLER, "C:\\kivo-test\\copy")
    assert box.run(copy, f'-silencedelete -path "{target}"').code == 0
    msgs = wait_for_runs(box, 1)
    shown = target if target.endswith("\\") else target + "\\"
    assert f"MixerFileCleaner::execute, {shown} is not removed: {reason}." in msgs
    assert box.host_path(probe).read_bytes() == b"keep me"
    if before is not None:
        assert box.tree(target) == before
    assert not any(m.startswith("delete file") for m in msgs)
