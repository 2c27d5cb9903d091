import os
import shutil
import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parent))
import winebox  # noqa: E402


@pytest.fixture(scope="session")
def template_prefix():
    prefix = Path(os.environ.get("KIVO_WINE_TEMPLATE", winebox.ROOT / "build" / "wine" / "template"))
    return winebox.boot_template(prefix)


@pytest.fixture
def box(template_prefix, tmp_path):
    """A fresh Wine machine for this test; removed afterwards."""
    b = winebox.WineBox(template_prefix, tmp_path)
    yield b
    b.close()
    shutil.rmtree(tmp_path, ignore_errors=True)


@pytest.fixture
def stats_server():
    """Records the statistics requests of the test build's installer."""
    import stats_server as module
    server = module.StatsServer()
    yield server
    server.close()
