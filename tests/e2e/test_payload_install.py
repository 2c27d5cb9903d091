"""The real payload end to end: the sample application laid down byte for
byte by a silent run, and every kind of bad payload refused with -5."""
import pytest

import payload
import winebox

TARGET = "C:\\Program Files (x86)\\Kivo 伴侣"


def last_run(box):
    msgs = box.log_messages()
    start = max(i for i, m in enumerate(msgs) if m.startswith("Setup start"))
    return msgs[start:]


def test_silent_install_lays_the_sample_application_down(box):
    result = box.install(f'-silence "{TARGET}"')
    assert result.code == 0
    installed = box.tree(TARGET)
    # Everything from the payload, plus what the post-install steps add: the
    # root copies of the program and its runtime, the Stable filter copies
    # and the statistics program's record (it runs without being waited for).
    expected = payload.expected_tree()
    assert set(expected) <= set(installed)
    runtime = sorted(p[len("3.1.0.5/"):] for p in expected if p.startswith("3.1.0.5/Microsoft.VC90.CRT"))
    stable = ["Stable"] + [f"Stable/{n}" for n in ("KivoVirtualCam.ax", "mpasplitter.ax",
                                                    "avcodec-53.dll", "swscale-2.dll", "avutil-51.dll")]
    added = set(installed) - set(expected)
    assert added - {"3.1.0.5/installstat.txt"} == set(["KivoMixer.exe"] + runtime + stable) - set(expected)
    root = box.host_path(TARGET)
    for source in payload.SAMPLE_APP.rglob("*"):
        if source.is_file():
            rel = source.relative_to(payload.SAMPLE_APP)
            assert (root / rel).read_bytes() == source.read_bytes(), rel
    assert (root / "Uninstall.exe").read_bytes() == winebox.UNINSTALLER.read_bytes()
    assert (root / "install").is_dir() and not any((root / "install").iterdir())
    assert (root / "Launcher.xml").read_bytes()[:3] == b"\xef\xbb\xbf"
    assert (root / "3.1.0.5" / "Launcher.xml").read_bytes()[:1] == b"<"

    msgs = last_run(box)
    writes = [m for m in msgs if m.startswith("CDiskOutputer::output, file is ")]
    assert writes == [f"CDiskOutputer::output, file is {e}" for e in payload.entries()]
    assert "MixerSetupDecompressor::_syncDecompress begin [silence model]." in msgs
    tail = ["MixerSetupControl::onDecompressFinish, DR_Success.",
            "MixerSetupCore::doAfterDecompress, decompress finished.",
            "Quit application, exit code is 0"]
    assert [m for m in msgs if m in tail] == tail


FAILED_TAIL = ["MixerSetupControl::onDecompressFinish, DR_DecompressInstallFailed.",
               "Quit application, exit code is -5"]


@pytest.mark.parametrize("variant,reason", [
    pytest.param("corrupt", "MixerSetupDecompressor::extractArchive, extraction failed, error is ",
                 id="flipped-byte"),
    pytest.param("truncated", "MixerSetupDecompressor::extractArchive, extraction failed, error is ",
                 id="truncated"),
    pytest.param("no-payload",
                 "MixerSetupDecompressor::_load7zDataFromResource, Find resource(kivo.7z) fail.",
                 id="missing-resource"),
    pytest.param("hostile", "MixerSetupDecompressor::extractArchive, entry install/.. would leave "
                 "the install directory, archive refused.", id="hostile-entry"),
])
def test_bad_payload_ends_with_minus_5_and_writes_nothing_outside(box, variant, reason):
    target = "C:\\Kivo\\App"
    before = {p for p in box.host_path("C:\\").rglob("*") if "kivo" not in p.as_posix().lower()}
    result = box.install(f"-silence {target}", installer=payload.variant(variant))
    assert result.code == -5
    msgs = last_run(box)
    assert any(m.startswith(reason) for m in msgs), msgs
    assert msgs[-2:] == FAILED_TAIL
    # Outside D only the log (and the installer's copy) may be new.
    after = {p for p in box.host_path("C:\\").rglob("*") if "kivo" not in p.as_posix().lower()}
    new = sorted(p.relative_to(box.prefix).as_posix() for p in after - before)
    assert all("/AppData/Roaming/tarlan" in p or "/Downloads/" in p for p in new), new
    parent = box.host_path("C:\\Kivo")
    assert not parent.exists() or [p.name for p in parent.iterdir()] in ([], ["App"])
    # Whatever was written inside D is intact (a damaged block is never written).
    root = box.host_path(target)
    for written in (root.rglob("*") if root.exists() else []):
        if written.is_file():
            rel = written.relative_to(root)
            assert written.read_bytes() == (payload.SAMPLE_APP / rel).read_bytes(), rel
    if variant == "hostile":
        assert box.tree(target) == []


def test_busy_file_that_may_be_renamed_is_moved_aside_and_replaced(box):
    target = "C:\\Kivo"
    filter_path = target + "\\3.1.0.5\\KivoVirtualCam.ax"
    box.host_path(target + "\\3.1.0.5").mkdir(parents=True)
    box.host_path(filter_path).write_bytes(b"previous filter")
    box.hold_file(filter_path, share_delete=True)
    assert box.install(f"-silence {target}").code == 0
    assert box.host_path(filter_path).read_bytes() == \
        (payload.SAMPLE_APP / "3.1.0.5" / "KivoVirtualCam.ax").read_bytes()
    assert box.host_path(filter_path + ".old").read_bytes() == b"previous filter"


def test_busy_file_that_may_not_be_renamed_fails_after_the_retries(box):
    target = "C:\\Kivo"
    launcher = target + "\\Launcher.xml"
    box.host_path(target).mkdir(parents=True)
    box.hold_file(launcher)
    assert box.install(f"-silence {target}").code == -5
    msgs = last_run(box)
    assert any(m.startswith(f"CDiskOutputer::writeEntryFile, cannot open {launcher} after 5 renames")
               for m in msgs), msgs
    assert msgs[-2:] == FAILED_TAIL
