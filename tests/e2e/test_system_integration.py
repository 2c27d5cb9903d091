"""What a silent installation leaves on the machine besides files: the
single-instance guard, shortcuts, registry values, pinned links."""
import threading
import time

import pytest

import winebox

SAMPLE_PROGRAMS = winebox.SETUPV2 / "testing" / "sample_app"
CLSID_KEY = r"HKEY_CLASSES_ROOT\CLSID\{6B0A3E55-1F7C-4C0B-9E52-3A5C8E1D7F21}"

D = "C:\\Program Files (x86)\\Kivo 伴侣"
KIVO_KEY = r"HKEY_CURRENT_USER\Software\tarlan\kivomixer"
KIVO_COM_KEY = r"HKEY_CURRENT_USER\Software\tarlan\com.kivo.kivomixer"
# A 32-bit installer's HKLM\Software writes land in the 32-bit view.
UNINSTALL_KEY = r"HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\KivoMixer"
MUTEX = "{F990D2B8-6CAE-AAAE-539B-21B38122ACA7}"


def start_menu(box):
    return box.appdata + "\\Microsoft\\Windows\\Start Menu"


def test_second_installer_is_refused_until_the_first_ends(box):
    first = box.hold_mutex(MUTEX)
    assert box.install(f'-silence "{D}"').code == -1
    msgs = box.log_messages()
    assert msgs[-3:] == [
        "Check step, _isSetupExist return false [CR_SetupExist].",
        "Check result is CR_SetupExist",
        "Quit application, exit code is -1",
    ]
    assert box.tree(D) == []
    box.release(first)
    assert box.install(f'-silence "{D}"').code == 0


def test_shortcuts_point_at_the_installed_client(box):
    assert box.install(f'-silence "{D}"').code == 0
    user_data = box.appdata + "\\tarlan\\kivomixer"
    client = D + "\\3.1.0.5\\KivoMixer.exe"
    group = start_menu(box) + "\\Programs\\Kivo伴侣"
    links = {
        f"C:\\users\\{box.user}\\Desktop\\Kivo伴侣.lnk": client,
        group + "\\Kivo伴侣.lnk": client,
        start_menu(box) + "\\Kivo伴侣.lnk": client,
        group + "\\卸载Kivo伴侣.lnk": D + "\\Uninstall.exe",
    }
    for link, target in links.items():
        assert box.read_link(link) == {"target": target, "workdir": user_data}, link


def test_registry_values_after_a_normal_end(box):
    assert box.install(f'-silence "{D}"').code == 0
    assert box.reg_values(KIVO_KEY) == {
        "InstallDir": ("REG_SZ", D + "\\"),
        "AxFile": ("REG_SZ", D + "\\Stable\\KivoVirtualCam.ax"),
        "kivoMixerFile": ("REG_SZ", D + "\\3.1.0.5\\KivoMixer.exe"),
    }
    assert box.reg_values(KIVO_COM_KEY) == {"InstallDir": ("REG_SZ", D + "\\KivoMixer.exe")}
    uninstall = box.reg_values(UNINSTALL_KEY)
    size = uninstall.pop("EstimatedSize")
    assert size[0] == "REG_DWORD"
    assert uninstall == {
        # Quoted, unlike older versions: Windows runs this value.
        "UninstallString": ("REG_SZ", f'"{D}\\Uninstall.exe"'),
        "DisplayName": ("REG_SZ", "KivoMixer"),
        "DisplayIcon": ("REG_SZ", D + "\\Uninstall.exe"),
        "Publisher": ("REG_SZ", "Tarlan游戏网"),
        "URLInfoAbout": ("REG_SZ", "http://www.kivomixer.com"),
        "DisplayVersion": ("REG_SZ", "3.1.0.5"),
        "InstallLocation": ("REG_SZ", D + "\\"),
        "QuietUninstallString": ("REG_SZ", f'"{D}\\Uninstall.exe" -silence'),
        "NoModify": ("REG_DWORD", 1),
        "NoRepair": ("REG_DWORD", 1),
    }


def test_refused_run_writes_no_registry_values(box):
    holder = box.hold_mutex(MUTEX)
    assert box.install(f'-silence "{D}"').code == -1
    box.release(holder)
    assert box.reg_values(KIVO_KEY) == {}
    assert box.reg_values(UNINSTALL_KEY) == {}


@pytest.mark.parametrize("folder", ["", "\\User Pinned\\TaskBar", "\\User Pinned\\StartMenu"])
def test_pinned_links_to_this_installation_are_retargeted(box, folder):
    quick = box.appdata + "\\Microsoft\\Internet Explorer\\Quick Launch" + folder
    ours = quick + "\\Kivo launcher.lnk"
    theirs = quick + "\\Other Kivo.lnk"
    other_dir = "C:\\Other Kivo\\KivoMixer.exe"
    box.make_link(ours, D + "\\kivolauncher.exe")
    box.make_link(theirs, other_dir)
    assert box.install(f'-silence "{D}"').code == 0
    assert box.read_link(ours) == {"target": D + "\\kivomixer.exe",
                                   "workdir": box.appdata + "\\tarlan\\kivomixer"}
    assert box.read_link(theirs)["target"] == other_dir


def test_installation_is_reported_with_the_stored_identifier(box, stats_server):
    ini = box.host_path(box.appdata + "\\tarlan\\kivomixer\\setup.ini")
    ini.parent.mkdir(parents=True, exist_ok=True)
    ini.write_bytes(b"macId=0200AABBCCDDEE1765432100\r\nIfInstalled=1\r\n")
    assert box.install(f'-silence "{D}"').code == 0
    assert stats_server.paths == [
        "/KivoMixerInstall.php?mac=0200AABBCCDDEE1765432100&version=3.1.0.5&installed=1"]
    msgs = box.log_messages()
    assert "CWinInetHttpBase::RecvResponse, nStatus 200." in msgs
    assert ("MixerSetupCore::sendInstallStastics, url http://127.0.0.1:18931"
            "/KivoMixerInstall.php?mac=0200AABBCCDDEE1765432100&version=3.1.0.5&installed=1.") in msgs


def test_silent_installation_never_creates_the_identifier(box, stats_server):
    assert box.install(f'-silence "{D}"').code == 0
    assert stats_server.paths == ["/KivoMixerInstall.php?mac=&version=3.1.0.5&installed=1"]




def test_statistics_program_gets_its_argument_in_doubled_quotes(box):
    assert box.install(f'-silence "{D}"').code == 0
    record = box.host_path(D + "\\3.1.0.5\\installstat.txt")
    assert winebox.wait_for(record.exists)
    line = record.read_text(encoding="utf-8").splitlines()[0]
    assert line == f'"{D}\\3.1.0.5\\installstat.exe" ""|3.1.0.5|1|i|0|1|""'


def test_filter_is_registered_after_the_installer_ends(box):
    assert box.reg_values(CLSID_KEY + "\\InprocServer32") == {}
    assert box.install(f'-silence "{D}"').code == 0
    # regsvr32 was started at the very end and finishes on its own.
    assert winebox.wait_for(lambda: box.reg_values(CLSID_KEY + "\\InprocServer32") != {})
    server = box.reg_values(CLSID_KEY + "\\InprocServer32")
    assert server[""][1].lower() == (D + "\\Stable\\KivoVirtualCam.ax").lower()


@pytest.mark.parametrize("present", [False, True], ids=["absent", "present"])
def test_migration_program_is_waited_for_when_present(box, present):
    if present:
        box.put(SAMPLE_PROGRAMS / "kivowizard.exe", D)
    assert box.install(f'-silence "{D}"').code == 0
    msgs = box.log_messages()
    begin = msgs.index("MixerSetupCore::_do3XUpdate begin.")
    finish = msgs.index("MixerSetupCore::_do3XUpdate finish.")
    between = msgs[begin + 1:finish]
    assert between == (["MixerSetupCore::_do3XUpdate, wait finish."] if present else [])
    if present:
        assert box.host_path(D + "\\kivowizard.txt").exists()


def test_installer_killed_after_extraction_leaves_files_and_links_but_no_registry(box):
    box.put(SAMPLE_PROGRAMS / "kivowizard.exe", D)
    block = box.host_path(D + "\\kivowizard.block")
    block.write_bytes(b"")
    def install_until_killed():
        try:
            box.install(f'-silence "{D}"')
        except AssertionError:
            pass  # killed: it has no exit code to report

    runner = threading.Thread(target=install_until_killed, daemon=True)
    runner.start()
    log = box.log_path()
    assert winebox.wait_for(lambda: log.exists() and
                    "MixerSetupCore::_do3XUpdate begin." in box.log_messages())
    box.kill_all()
    runner.join(timeout=60)
    assert box.host_path(D + "\\3.1.0.5\\KivoMixer.exe").exists()
    assert box.read_link(start_menu(box) + "\\Kivo伴侣.lnk")["target"] == D + "\\3.1.0.5\\KivoMixer.exe"
    assert box.reg_values(KIVO_KEY) == {}
    assert box.reg_values(UNINSTALL_KEY) == {}


def test_two_real_installers_at_once(box):
    # The first installer is held inside its post-install steps by a
    # migration program that waits; meanwhile a second one starts.
    box.put(SAMPLE_PROGRAMS / "kivowizard.exe", D)
    block = box.host_path(D + "\\kivowizard.block")
    block.write_bytes(b"")
    first = {}
    runner = threading.Thread(target=lambda: first.update(result=box.install(f'-silence "{D}"')))
    runner.start()
    assert winebox.wait_for(lambda: box.log_path().exists() and
                    "MixerSetupCore::_do3XUpdate begin." in box.log_messages())
    assert box.install("-silence C:\\Second").code == -1
    assert "Check step, _isSetupExist return false [CR_SetupExist]." in box.log_messages()
    block.unlink()
    runner.join(timeout=120)
    assert first["result"].code == 0
    assert box.install("-silence C:\\Third").code == 0
