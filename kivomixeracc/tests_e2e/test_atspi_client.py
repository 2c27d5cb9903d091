"""An out-of-process AT-SPI client finds the demo host, walks its tree,
reads value texts and drives the host with the bridge's commands."""
import time

import pytest


def find_app(pyatspi, name, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    raise AssertionError(f"no application {name!r} on the accessibility bus")


def walk(acc, depth=0, limit=12):
    """Every accessible below acc, depth first."""
    yield acc
    if depth >= limit:
        return
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1, limit)


@pytest.fixture(scope="module")
def host(desktop):
    pyatspi, output = desktop
    app = find_app(pyatspi, "KivoMixer")
    by_name = {}
    for acc in walk(app):
        by_name.setdefault(acc.name, acc)
    return pyatspi, output, by_name


def value(acc):
    return acc.queryText().getText(0, -1)


def command(acc, text):
    acc.queryEditableText().setTextContents(text)


def test_tree_names_roles_and_states(host):
    pyatspi, _, by_name = host
    for name in ("kivoMainWindow", "loginWidget", "loginButton", "userNameComboBox", "passwordLineEdit",
                 "channelUsers", "channelTreeContainer", "messageList", "mainTab", "chatEdit",
                 "searchInputLineEdit", "volumeBar", "mainMenu", "muteAction"):
        assert name in by_name, f"{name} not in the tree"
    assert by_name["loginButton"].getRole() == pyatspi.ROLE_PUSH_BUTTON
    assert by_name["mainTab"].getRole() == pyatspi.ROLE_PAGE_TAB_LIST
    assert by_name["channelUsers"].getRole() == pyatspi.ROLE_TREE
    assert by_name["loginButton"].parent.name == "loginWidget"
    # Rows of the HP tree are sub-elements named after the tree.
    assert by_name["channelUsers_1"].parent.name == "channelUsers"
    extents = by_name["loginButton"].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    assert (extents.width, extents.height) == (80, 30)


def test_value_texts(host):
    _, _, by_name = host
    assert value(by_name["loginButton"]) == "$Unchecked|登录"
    assert value(by_name["volumeSlider"]) == "7.50"
    assert value(by_name["scoreTable"]) == "ann\t12\t\nbob\t7\t\n"
    assert value(by_name["muteAction"]) == "$Checked|静音"
    assert value(by_name["channelUsers_2"]) == "bob$VIPRole:VIP"
    assert value(by_name["messageList_0"]) == "$Checked|静音"
    assert value(by_name["mainTab"]) == "首页"


def test_left_click_and_press_action(host):
    _, output, by_name = host
    button = by_name["loginButton"]
    command(button, "$Left-Click")
    output.wait_for("EVENT loginButton clicked")
    output.seen.clear()
    button.queryAction().doAction(0)
    output.wait_for("EVENT loginButton clicked")


def test_select_in_combo_box(host):
    _, output, by_name = host
    combo = by_name["userNameComboBox"]
    command(combo, "Select:2")
    output.wait_for("EVENT userNameComboBox onDropDownListClicked(2)")
    assert value(combo) == "cid ann bob"


def test_password_is_entered_and_masked(host):
    _, output, by_name = host
    edit = by_name["passwordLineEdit"]
    command(edit, "s3cret")
    output.wait_for("EVENT loginWidget on_passwordLineEdit_textEdited(s3cret)")
    assert value(edit) == "*****"


def test_key_input_types_into_the_focused_edit(host):
    _, output, by_name = host
    edit = by_name["searchInputLineEdit"]
    command(edit, "$Key-Inputkivo")
    output.wait_for("EVENT searchInputLineEdit typed kivo")
    assert value(edit) == "kivo"


def test_expand_all(host):
    _, output, by_name = host
    command(by_name["channelUsers"], "$CollapseAll")
    output.wait_for("EVENT channelUsers collapseAllFolders")
    command(by_name["channelUsers"], "$ExpandAll")
    output.wait_for("EVENT channelUsers expandAllFolders")
    command(by_name["channelTreeContainer"], "$ExpandAll")
    output.wait_for("EVENT channelTreeContainer on_treeItem_clicked(20,156)")


def test_set_scroll_pos(host):
    _, output, by_name = host
    bar = by_name["volumeBar"]
    command(bar, "$SetScrollPos:51")
    assert value(bar) == "100.00"
    command(by_name["channelTreeContainer"], "$SetScrollPos:20")
    # 30 items, 720 - 100 = 620 taller than the tree widget: 620 * 15 * 30 / 625
    output.wait_for("EVENT channelTreeWidget setScrollPos(446)")


def test_tab_selection(host):
    _, output, by_name = host
    tab = by_name["mainTab"]
    command(tab, "7")
    command(tab, "3")
    output.wait_for("EVENT mainTab current 3")
    assert "EVENT mainTab current 7" not in output.drain()
    assert value(tab) == "音乐"
