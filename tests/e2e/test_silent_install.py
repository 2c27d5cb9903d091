"""Silent installation end to end: command line, install directory, exit
codes and the log, on a Chinese 64-bit Wine machine."""
import pytest

import payload


def assert_in_order(messages, expected):
    """Every expected line appears, in this order (other lines may come
    between them)."""
    at = 0
    for line in expected:
        assert line in messages[at:], f"missing or out of order: {line!r}\nlog: {messages!r}"
        at = messages.index(line, at) + 1


def messages_of_last_run(box):
    msgs = box.log_messages()
    starts = [i for i, m in enumerate(msgs) if m.startswith("Setup start, command line is ")]
    assert starts, msgs
    return msgs[starts[-1]:]


@pytest.mark.parametrize("arguments,directory", [
    pytest.param("-silence", None, id="default-directory"),
    pytest.param('-silence "C:\\Program Files (x86)\\我的 应用\\Kivo"',
                 "C:\\Program Files (x86)\\我的 应用\\Kivo", id="after-a-blank"),
    pytest.param('-silence="C:\\My Apps\\伴侣 Mixer"', "C:\\My Apps\\伴侣 Mixer", id="joined-by-equals"),
    pytest.param("-silence C:\\Kivo", "C:\\Kivo", id="unquoted"),
])
def test_silent_run_succeeds_and_logs_its_steps(box, arguments, directory):
    result = box.install(arguments)
    assert result.code == 0
    expected_dir = directory or box.default_install_dir
    msgs = messages_of_last_run(box)
    assert msgs[0] == f"Setup start, command line is {arguments}"
    assert_in_order(msgs, [
        f"Setup start, command line is {arguments}",
        *([f"Initialized setup path is {expected_dir}"] if directory is None else []),
        f"MixerSetupControl::_analyzeInstallModel, silence mode, setup path is {expected_dir}",
        "MixerSetupControl::startSetup, install model is 1.",
        "Check step finish, return [CR_Success].",
        "Check result is CR_Success, and then prepare to decompress.",
        "MixerSetupDecompressor::_syncDecompress begin [silence model].",
        *[f"CDiskOutputer::output, file is {e}" for e in payload.entries()],
        "MixerSetupControl::onDecompressFinish, DR_Success.",
        "MixerSetupCore::doAfterDecompress, decompress finished.",
        "MixerSetupCore::_do3XUpdate begin.",
        "MixerSetupCore::_do3XUpdate finish.",
        f"MixerSetupCore::runInstallstat, run {expected_dir}\\3.1.0.5\\installstat.exe"
        ' parameter is "|3.1.0.5|1|i|0|1|".',
        "MixerSetupCore::sendInstallStastics, url http://127.0.0.1:18931"
        "/KivoMixerInstall.php?mac=&version=3.1.0.5&installed=1.",
        "Quit application, exit code is 0",
        "MixerSetupCore::RegsvrAxCom, run regsvr32 -s "
        f'"{expected_dir}\\Stable\\KivoVirtualCam.ax", result is 33.',
    ])


def test_option_in_capitals_is_not_the_silent_mode(box):
    result = box.install("-SILENCE C:\\Kivo")
    # Until the wizard has windows, its run ends with 0 once the check answers.
    assert result.code == 0
    msgs = messages_of_last_run(box)
    assert "MixerSetupControl::startSetup, install model is 0." in msgs
    assert f"Initialized setup path is {box.default_install_dir}" in msgs
    assert "Async check environment." in msgs
    assert not any("silence mode" in m for m in msgs)
    # The wizard's check writes the filter into D\Check first, and nothing else.
    assert box.tree(box.default_install_dir) == ["Check", "Check/KivoVirtualCam.ax"]
    assert msgs.index("Check result is CR_Success, and then prepare to decompress.") > \
        msgs.index("MixerSetupControl::startSetup, install model is 0.")


@pytest.mark.parametrize("directory", [
    pytest.param("Kivo\\Mixer", id="no-drive"),
    pytest.param("C:\\Kivo*Mixer", id="forbidden-character"),
    pytest.param('"C:\\Kivo\\ \\Mixer"', id="blank-component"),
    pytest.param("Q:\\Kivo", id="missing-drive"),
    pytest.param("C:\\", id="drive-root"),
])
def test_unusable_directory_exits_with_minus_3_before_anything_happens(box, directory):
    result = box.install(f"-silence {directory}")
    assert result.code == -3
    msgs = messages_of_last_run(box)
    assert msgs[-1] == "Quit application, exit code is -3"
    assert not any("onDecompressFinish" in m for m in msgs)
    assert box.tree(box.default_install_dir) == []


def test_second_run_appends_to_the_log(box):
    assert box.install("-silence C:\\One").code == 0
    first = box.read_log()
    assert box.install("-silence C:\\Two").code == 0
    second = box.read_log()
    assert second[:len(first)] == first
    assert sum(1 for m in box.log_messages() if m.startswith("Setup start")) == 2


def test_oversized_log_is_restarted(box):
    log = box.log_path()
    log.parent.mkdir(parents=True, exist_ok=True)
    log.write_bytes(b"\xff\xfe" + "旧".encode("utf-16-le") * (1048576 // 2))  # 1 MiB + 2 bytes
    assert box.install("-silence C:\\Kivo").code == 0
    msgs = box.log_messages()
    assert msgs[0] == "Setup start, command line is -silence C:\\Kivo"
    assert log.stat().st_size < 65536


def test_log_at_the_limit_is_appended_to(box):
    log = box.log_path()
    log.parent.mkdir(parents=True, exist_ok=True)
    old = b"\xff\xfe" + "旧".encode("utf-16-le") * (1048574 // 2)  # exactly 1 MiB
    log.write_bytes(old)
    assert box.install("-silence C:\\Kivo").code == 0
    data = log.read_bytes()
    assert data[:len(old)] == old
    assert "Setup start, command line is -silence C:\\Kivo" in data[len(old):].decode("utf-16-le")
