"""The data files an installation leaves for the client: the effect list in
the user's profile, the filter copies, setup.ini, the statistics request."""
import xml.etree.ElementTree as ElementTree

import stats_server as stats

D = "C:\\Kivo 伴侣"
SHIPPED_LIST = D + "\\3.1.0.5\\res\\aurae\\auraelist.xml"


def user_aurae(box):
    return box.appdata + "\\tarlan\\kivomixer\\aurae"


def entries(xml_bytes, section):
    root = ElementTree.fromstring(xml_bytes)
    node = root.find(section)
    return [] if node is None else [dict(f.attrib) for f in node.findall("file")]


def test_fresh_profile_gets_the_shipped_list_and_folders(box):
    assert box.install(f'-silence "{D}"').code == 0
    aurae = user_aurae(box)
    assert box.host_path(aurae + "\\auraelist.xml").read_bytes() == box.host_path(SHIPPED_LIST).read_bytes()
    for folder in ("music", "animation", "animationbroadcast"):
        assert box.tree(aurae + "\\" + folder) == box.tree(D + "\\3.1.0.5\\res\\aurae\\" + folder)


def test_user_list_keeps_its_music_and_gets_the_shipped_effects(box):
    user_list = box.host_path(user_aurae(box) + "\\auraelist.xml")
    user_list.parent.mkdir(parents=True, exist_ok=True)
    mine = {"file_path": "/aurae/music/我的歌.mp3", "file_md5": "0" * 32, "duration": "61",
            "type": "1", "user": "1", "name": "我的歌"}
    user_list.write_text(
        '<?xml version="1.0" encoding="utf-8"?>\n<aurae>\n  <music>\n    <file '
        + " ".join(f'{k}="{v}"' for k, v in mine.items())
        + ' />\n  </music>\n  <animation>\n    <file file_path="/aurae/animation/old.swf" '
        'file_md5="" ico_path="" ico_md5="" tip_path="" type="2" user="0" name="old"/>\n'
        '  </animation>\n  <broadcast/>\n</aurae>\n', encoding="utf-8")
    assert box.install(f'-silence "{D}"').code == 0
    merged = user_list.read_bytes()
    shipped = box.host_path(SHIPPED_LIST).read_bytes()
    assert entries(merged, "music") == [mine]
    assert entries(merged, "animation") == entries(shipped, "animation")
    assert entries(merged, "broadcast") == entries(shipped, "broadcast")


def test_filter_held_by_another_program_is_copied_to_the_next_free_name(box):
    stable = box.host_path(D + "\\Stable")
    stable.mkdir(parents=True, exist_ok=True)
    box.hold_file(D + "\\Stable\\KivoVirtualCam.ax")
    assert box.install(f'-silence "{D}"').code == 0
    msgs = box.log_messages()
    source = D + "\\3.1.0.5\\KivoVirtualCam.ax"
    assert (f"MixerSetupCore::_modifyDirStructure, copy [{source}] to [{D}\\Stable\\KivoVirtualCam.ax] ,"
            " result is 0, bFileInUsed=1") in msgs
    assert (f"MixerSetupCore::_modifyDirStructure, copy [{source}] to [{D}\\Stable\\KivoVirtualCam.ax1] ,"
            " result is 1, bFileInUsed=0") in msgs
    values = box.reg_values(r"HKEY_CURRENT_USER\Software\tarlan\kivomixer")
    assert values["AxFile"] == ("REG_SZ", D + "\\Stable\\KivoVirtualCam.ax1")
    assert (f'MixerSetupCore::RegsvrAxCom, run regsvr32 -s "{D}\\Stable\\KivoVirtualCam.ax1", result is 33.'
            in msgs)


def test_setup_ini_flags_are_written_once_and_updated_in_place(box):
    ini = box.host_path(box.appdata + "\\tarlan\\kivomixer\\setup.ini")
    ini.parent.mkdir(parents=True, exist_ok=True)
    ini.write_bytes(b"macId=0012345678ABCD1765000000\r\nIfInstalled=1\r\nReRudiPluginInstalled=1\r\n")
    assert box.install(f'-silence "{D}"').code == 0
    expected = (b"macId=0012345678ABCD1765000000\r\nIfInstalled=0\r\nReRudiPluginInstalled=1\r\n"
                b"NeedCleanOldVersion=1\r\nEnableShowGuideWindow=0\r\n")
    assert ini.read_bytes() == expected
    assert box.install(f'-silence "{D}"').code == 0
    assert ini.read_bytes() == expected


def test_refused_statistics_answer_changes_nothing_else(box):
    server = stats.StatsServer(status=404)
    try:
        assert box.install(f'-silence "{D}"').code == 0
    finally:
        server.close()
    assert len(server.paths) == 1
    msgs = box.log_messages()
    assert "CWinInetHttpBase::RecvResponse, nStatus 404." in msgs
    assert msgs[-2] == "Quit application, exit code is 0"
