# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The journeys: one short function each, run one at a time by run.py."""
import os
import signal
import socket
import subprocess
import time

from journey import JourneyError, names, read, wait_for, write

JOURNEYS = {}


def journey(func):
    JOURNEYS[func.__name__] = func
    return func


def expected_failure(reason):
    def mark(func):
        func.expected_failure = reason
        return func
    return mark


def data_rows(j):
    return j.rows(j.widget("DataListBox"))


def wait_rows(j, count, timeout=20):
    wait_for(lambda: len(data_rows(j)) == count, timeout, f"{count} rows in the data list")


def load_list(j, list_name, count):
    """Clicks a list file in the left file list; its paths fill the data list."""
    entry = j.find(role="list item", name=list_name, root=j.widget("FileNameListBox"))
    j.click(entry)
    wait_rows(j, count)


@journey
def copy_list_file(j):
    src = os.path.join(j.files, "src")
    sources = [write(os.path.join(src, n), n.encode() * 100) for n in ("a.jpg", "b.bin", "c.txt")]
    write(os.path.join(j.files, "lists", "three.txt"), "".join(p + "\r\n" for p in sources))
    dest = os.path.join(j.files, "dest")
    os.makedirs(dest)
    j.write_settings(left=os.path.join(j.files, "lists"), right=dest)
    j.start()
    load_list(j, "three.txt", 3)
    j.click(j.widget("CopyButton"))
    wait_for(lambda: names(dest) == ["a.jpg", "b.bin", "c.txt"], 20, "the copies")
    for p in sources:
        wait_for(lambda: read(os.path.join(dest, os.path.basename(p))) == read(p), 10, "whole copies")
    j.screenshot(os.path.abspath("journey-copy_list_file.png"))


def answer_boxes(j, answers, think, caption="ファイル操作のエラー", after=None):
    """Answers the operation's boxes one after the other, each after think[k]
    seconds (a person reads it first); after(k) runs while box k is open."""
    for k, button in enumerate(answers):
        box = j.box(caption, timeout=20)
        time.sleep(think[min(k, len(think) - 1)])
        if after:
            after(k)
        if os.environ.get("JOURNEY_DEBUG"):
            j.screenshot(os.path.abspath(f"debug-box{k}.png"))
        j.answer(button, box)
        wait_for(lambda: j.gone(box), 5, f"box {k + 1} to take the click on {button}")


@journey
def errors_one_after_another(j):
    """Copy into the files' own folder: each item fails, each box is answered;
    the first one stays open past the progress dialog's delay."""
    folder = os.path.join(j.files, "own")
    os.makedirs(folder)
    fifo = os.path.join(folder, "pipe")
    os.mkfifo(fifo)
    sock = socket.socket(socket.AF_UNIX)
    sock.bind(os.path.join(folder, "sock"))
    files = [write(os.path.join(folder, n), n * 50) for n in ("one.txt", "two.txt")]
    before = {n: os.lstat(os.path.join(folder, n)).st_mtime_ns for n in names(folder)}
    j.write_settings(options=2, right=folder)
    j.start(args=[fifo, os.path.join(folder, "sock"), *files])
    wait_rows(j, 4)
    j.click(j.widget("CopyButton"))
    answer_boxes(j, ["スキップ"] * 4, think=[4.5, 0.3])
    ok(j, j.box("4個のファイルは処理できませんでした", timeout=20))
    wait_for(lambda: not j.boxes(), 10, "the operation to end")
    if names(folder) != ["one.txt", "pipe", "sock", "two.txt"]:
        raise JourneyError(f"the folder changed: {names(folder)}")
    for p in files:
        if read(p) != os.path.basename(p).encode() * 50:
            raise JourneyError(f"{p} changed")
    j.click(j.widget("DataListBox"))  # the window answers again
    sock.close()


def search(j, expect_end=True):
    """Starts the whole-tree search from the left tree's popup menu."""
    j.menu(j.widget("DirectoryListBox1"), "a")  # 全検索(&A)
    if expect_end:
        return j.box("個のファイルを抽出しました", timeout=60)
    return None


def ok(j, box):
    j.answer("OK", box)
    wait_for(lambda: j.gone(box), 5, "the box to close")




def settings_written(j):
    """The program writes every key at close; the file written here lacks AnyFilter."""
    return j.settings().has_option("FileFolder", "AnyFilter")


def tree_of(root, folders, per_folder, ext=".txt"):
    for d in range(folders):
        for f in range(per_folder):
            write(os.path.join(root, f"d{d:03d}", f"f{f:04d}{ext}"), b"t")
    return root


@journey
def search_stop_search_transfer(j):
    tree = tree_of(os.path.join(j.files, "tree"), 40, 150)
    write(os.path.join(tree, "d000", "other.dat"))
    j.write_settings(left=tree, right=j.files)
    j.start()
    j.menu(j.widget("DirectoryListBox1"), "a")  # 全検索(&A)
    for stop in j.find_all(desc="SearchingButton"):  # gone once the search has ended
        try:
            j.click(stop)
        except JourneyError:
            if not j.boxes():
                raise  # else the search ended first and its count is in front
    ok(j, j.box(timeout=60))  # stopped, or done before the click
    box = search(j)
    found = int(j.text_of(box).split("個のファイルを抽出しました")[0].split()[-1])
    ok(j, box)
    if found != 40 * 150:
        raise JourneyError(f"the second search found {found} files")
    j.click(j.widget("GetFileListTranslateButton"))
    data = j.widget("DataListBox")
    wait_for(lambda: data.childCount == found, 30, f"{found} transferred rows")
    for k in (0, found // 2, found - 1):
        row = data.getChildAtIndex(k).name
        if not (row.startswith(tree + "/") and row.endswith(".txt") and os.path.isfile(row)):
            raise JourneyError(f"row {k} is no found file: {row}")
    j.click(data)  # the window answers


@journey
def hierarchy_copy_three_folders(j):
    base = os.path.join(j.files, "photos")
    sources = [write(os.path.join(base, rel), rel) for rel in ("a/1.txt", "b/2.txt", "c/deep/3.txt")]
    dest = os.path.join(j.files, "dest")
    os.makedirs(dest)
    j.write_settings(right=dest)
    j.start(args=sources)
    wait_rows(j, 3)
    j.click(j.widget("ClassKeepingFileCopyButton"))
    dialog = j.find(role="dialog", name=" 階層操作", depth=2, timeout=15)
    levels = j.find(desc="RefClassFolderListBox", root=dialog)
    entry = wait_for(lambda: [r for r in j.find_all(role="list item", root=levels)
                              if r.name.rstrip("/").endswith("photos")], 10, "the level of photos")
    j.click(entry[0])
    j.answer("OK(O)", dialog)
    for rel in ("a/1.txt", "b/2.txt", "c/deep/3.txt"):
        wait_for(lambda: os.path.isfile(os.path.join(dest, rel)), 20, f"the copy of {rel}")
        if read(os.path.join(dest, rel)) != rel.encode():
            raise JourneyError(f"{rel} copied wrongly")
    if any(read(p) != os.path.relpath(p, base).encode() for p in sources):
        raise JourneyError("a source changed")


@journey
def serial_rename_and_extension(j):
    folder = os.path.join(j.files, "camera")
    photos = [write(os.path.join(folder, f"DSC_{k:04d}.jpg"), f"photo {k}") for k in range(20)]
    j.write_settings(right=folder)
    j.start(args=photos)
    wait_rows(j, 20)
    j.menu(j.widget("DataListBox"), "f", "r")  # ファイル（&F）, ファイル名の一括変更(&R)
    j.box("ベースファイル名")
    j.type_text("A001")
    j.key("Return")
    ok(j, j.box("終了しました"))
    expected = [f"A{k:03d}.jpg" for k in range(1, 21)]
    wait_for(lambda: names(folder) == expected, 10, "20 renamed photos")
    # The data list keeps the old names: take the new ones from the right pane.
    j.menu(j.widget("FileListBox2"), "c")  # ファイルリストのコピー(&C)
    j.menu(j.widget("DataListBox"), "e", "e")  # 編集(&E), クリア(&E)
    wait_rows(j, 0)
    j.menu(j.widget("DataListBox"), "e", "p")  # 貼り付け(&P)
    wait_rows(j, 20)
    j.menu(j.widget("DataListBox"), "f", "e")  # 拡張子の一括変更(&E)
    j.box("新しい拡張子")
    j.type_text("png")
    j.key("Return")
    ok(j, j.box("終了しました"))
    wait_for(lambda: names(folder) == [n[:-3] + "png" for n in expected], 10, "new extensions")
    contents = sorted(read(os.path.join(folder, n)) for n in names(folder))
    if contents != sorted(f"photo {k}".encode() for k in range(20)):
        raise JourneyError("a photo's bytes were lost")


@journey
def single_rename_onto_existing_name(j):
    folder = os.path.join(j.files, "r")
    a = write(os.path.join(folder, "a.txt"), "A")
    b = write(os.path.join(folder, "b.txt"), "B")
    j.write_settings(right=folder)
    j.start()
    item = j.find(role="list item", name="a.txt", root=j.widget("FileListBox2"))
    j.click(item)
    j.menu(item, "r")  # ファイル名の変更(&R)
    j.box()
    j.key("ctrl+a")
    j.type_text("b.txt")
    j.key("Return")
    refusal = wait_for(lambda: [b for b in j.boxes() if "b.txt" in j.text_of(b)], 10, "a refusal")[0]
    j.key("Return")
    wait_for(lambda: j.gone(refusal), 5, "the refusal to close")
    if read(a) != b"A" or read(b) != b"B" or names(folder) != ["a.txt", "b.txt"]:
        raise JourneyError(f"the files changed: {names(folder)}")


@journey
def remove_folders_without_files(j):
    root = os.path.join(j.files, "clean")
    for d in ("e1", "e2/e3", "keep/empty"):
        os.makedirs(os.path.join(root, d))
    kept = write(os.path.join(root, "keep", "f.txt"), "kept")
    j.write_settings(right=root)
    j.start()
    j.menu(j.widget("DirectoryListBox2"), "d")  # ファイルのないフォルダの削除(&D)
    box = j.box(timeout=20)
    if j.find_all(role="push button", name="はい", root=box):
        j.answer("はい", box)
        box = j.box("削除しました", timeout=20)
    ok(j, box)
    wait_for(lambda: names(root) == ["keep"], 10, "only the folder with a file left")
    if names(os.path.join(root, "keep")) != ["f.txt"] or read(kept) != b"kept":
        raise JourneyError("a file or its folder went")


@journey
def settings_dialog_ok_and_cancel(j):
    j.write_settings(options=202)
    for button, expect_changed in (("Cancel", False), ("OK", True)):
        j.start()
        j.menu(j.widget("DataListBox"), "s", "s")  # 設定(&S), 基本設定(&S)
        dialog = j.find(role="dialog", depth=2, timeout=15)
        boxes = j.find_all(role="check box", root=dialog)
        j.click(boxes[0])
        j.answer(button, dialog)
        wait_for(lambda: j.gone(dialog), 5, "the settings dialog to close")
        j.close_window()
        j.wait_exit(15)
        value = j.settings().get("BaseSettings", "FileOperationOptions")
        if (value != "202") != expect_changed:
            raise JourneyError(f"after {button} the options are {value}")


@journey
def filter_found_after_restart(j):
    j.write_settings()
    j.start()
    filters = j.widget("FilterCheckListBox")
    j.menu(filters, "a")  # 追加(&A)
    j.box()
    j.key("ctrl+a")
    j.type_text("*.jpg")
    j.answer("OK(O)")
    wait_for(lambda: "*.jpg" in j.rows(j.widget("FilterCheckListBox")), 10, "the new filter")
    j.close_window()
    j.wait_exit(15)
    j.start()
    wait_for(lambda: "*.jpg" in j.rows(j.widget("FilterCheckListBox")), 10, "the filter after a restart")


@journey
def paste_100000_lines_and_save(j):
    text = "".join(f"/data/photos/{k // 1000:03d}/IMG_{k:06d}.JPG\r\n" for k in range(100000))
    j.write_settings(right=j.files)
    j.start()
    clip = j.spawn(["xclip", "-quiet", "-selection", "clipboard", "-i"], stdin=subprocess.PIPE,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    clip.stdin.write(text.encode())
    clip.stdin.close()
    time.sleep(0.5)
    j.menu(j.widget("DataListBox"), "e", "p")  # 編集(&E), 貼り付け(&P)
    wait_for(lambda: j.widget("DataListBox").childCount == 100000, 60, "100,000 pasted rows")
    target = os.path.join(j.files, "saved.txt")
    j.menu(j.widget("DataListBox"), "f", "s")  # ファイルリストの保存(&S)
    j.find(role="dialog", depth=2, timeout=15)
    time.sleep(0.5)
    j.key("ctrl+a")
    j.type_text(target)
    j.key("Return")
    wait_for(lambda: os.path.isfile(target) and read(target) == text.encode(), 30,
             "the saved list with every line")


@journey
def trash_and_restore(j):
    folder = os.path.join(j.files, "docs")
    files = [write(os.path.join(folder, n), n * 300) for n in ("report.odt", "notes.txt")]
    j.write_settings(right=folder)
    j.start(args=files)
    wait_rows(j, 2)
    j.click(j.widget("DelButton"))
    j.answer("はい", j.box("ごみ箱に移動しますか"))
    wait_for(lambda: names(folder) == [], 20, "the files to leave their folder")
    trash = os.path.join(j.env["XDG_DATA_HOME"], "Trash", "files")
    if names(trash) != ["notes.txt", "report.odt"]:
        raise JourneyError(f"the trash holds {names(trash)}")
    for p in files:
        subprocess.run(["gio", "trash", "--restore", "trash:///" + os.path.basename(p)],
                       env=j.env, check=True, timeout=30)
        if read(p) != os.path.basename(p).encode() * 300:
            raise JourneyError(f"{p} came back changed")


def full_disk_row(j, answers, think):
    """Moves three files onto a 1 MiB file system where only the first fits."""
    src = os.path.join(j.files, "src")
    small = os.path.join(j.files, "small")
    for n in names(small):
        os.remove(os.path.join(small, n))
    sizes = {"a_fits.bin": 300_000, "b_big.bin": 800_000, "c_big.bin": 900_000}  # in list order
    sources = [write(os.path.join(src, n), bytes([k + 1]) * size)
               for k, (n, size) in enumerate(sizes.items())]
    write(os.path.join(j.files, "lists", "move.txt"), "".join(p + "\r\n" for p in sources))
    data = j.widget("DataListBox")
    j.menu(data, "e", "e")  # 編集(&E), クリア(&E)
    wait_rows(j, 0)
    load_list(j, "move.txt", 3)
    j.click(j.widget("MoveButton"))

    def progress_shown(k):
        if k > 0 and not j.find_all(role="dialog", name="移動", depth=2):
            raise JourneyError(f"box {k + 1} came before the progress dialog")
    answer_boxes(j, answers, think, after=progress_shown)
    wait_for(lambda: not j.find_all(role="dialog", name="移動", depth=2), 20, "the move to end")
    time.sleep(0.5)
    for summary in j.boxes():  # the count of files not moved, when shown
        ok(j, summary)
    moved = names(small)
    left = names(src)
    if moved != ["a_fits.bin"] or left != ["b_big.bin", "c_big.bin"]:
        raise JourneyError(f"after {answers}: moved {moved}, left {left}")
    for k, (n, size) in enumerate(sizes.items()):
        where = small if n in moved else src
        if read(os.path.join(where, n)) != bytes([k + 1]) * size:
            raise JourneyError(f"{n} is not whole")


@journey
def move_to_full_disk(j):
    """Each answer of the error box, before and after the progress dialog."""
    j.mount_tmpfs(os.path.join(j.files, "small"), "1m")
    os.makedirs(os.path.join(j.files, "lists"))
    j.write_settings(options=2, left=os.path.join(j.files, "lists"), right=os.path.join(j.files, "small"))
    j.start()
    for answers in (["キャンセル"], ["スキップ", "スキップ"], ["スキップ", "キャンセル"]):
        full_disk_row(j, answers, think=[1.0, 0.3])


def ended_cleanly(j, sources, dest):
    def ended():
        if not j.alive():
            return True
        for box in j.boxes():  # a search that ended first shows its count
            for button in j.find_all(role="push button", name="OK", root=box, depth=4):
                try:
                    j.click(button)  # (the progress dialog has none: no waiting on it)
                except JourneyError:
                    pass  # the ending program closed it first
        return False
    wait_for(ended, 10, "the program to end promptly")
    code = j.app.returncode
    for n in names(dest):
        if n not in sources or read(os.path.join(dest, n)) != read(sources[n]):
            raise JourneyError(f"{n} was left partial or strange (exit {code})")
    if not settings_written(j):
        raise JourneyError("the settings were not written")


def end_during(j, how, work):
    """Ends the program (SIGTERM or a window close) while work runs."""
    dest = os.path.join(j.files, "dest")
    os.makedirs(dest)
    tree = os.path.join(j.files, "tree")
    j.write_settings(left=tree, right=dest)
    if work == "copy":
        sources = {f"f{k:03d}.bin": write(os.path.join(tree, f"f{k:03d}.bin"), os.urandom(1 << 20))
                   for k in range(300)}
        j.start(args=list(sources.values()))
        wait_rows(j, len(sources))
        j.click(j.widget("CopyButton"))
        wait_for(lambda: names(dest), 20, "the copy to begin")
    else:
        sources = {}
        tree_of(tree, 100, 50)
        j.start()
        j.menu(j.widget("DirectoryListBox1"), "a")  # 全検索(&A)
    if how == "signal":
        j.signal()
    else:
        j.close_window()
    ended_cleanly(j, sources, dest)


for _how in ("signal", "close"):
    for _work in ("copy", "search"):
        def _end(j, how=_how, work=_work):
            end_during(j, how, work)
        _end.__name__ = f"{_how}_during_{_work}"
        journey(_end)


@journey
def close_while_search_result_shows(j):
    tree = tree_of(os.path.join(j.files, "tree"), 3, 5)
    j.write_settings(left=tree, right=tree)
    j.start()
    box = search(j)
    j.close_window()
    time.sleep(1)
    if not j.alive() or j.gone(box):
        raise JourneyError("the result box went unanswered")
    ok(j, box)
    j.wait_exit(10, "the kept close to be carried out")
    if not settings_written(j):
        raise JourneyError("the settings were not written")


@journey
def move_same_named_files_from_a_search(j):
    cams = os.path.join(j.files, "cams")
    photos = {os.path.join(cams, d, "IMG_0001.txt"): d.encode() * 10 for d in ("c1", "c2", "c3")}
    for p, data in photos.items():
        write(p, data)
    dest = os.path.join(j.files, "dest")
    os.makedirs(dest)
    j.write_settings(options=3, left=cams, right=dest)  # すべてはい, no renaming
    j.start()
    ok(j, search(j))
    j.click(j.widget("GetFileListTranslateButton"))
    wait_rows(j, 3)
    j.click(j.widget("MoveButton"))
    while True:  # a refused item may be reported; skip it
        try:
            box = j.box(timeout=5)
        except JourneyError:
            break
        button = "スキップ" if j.find_all(role="push button", name="スキップ", root=box) else "OK"
        j.answer(button, box)
        wait_for(lambda: j.gone(box), 5, "the box to close")
    kept = sorted(read(p) for p in photos if os.path.exists(p))
    kept += [read(os.path.join(dest, n)) for n in names(dest)]
    if sorted(kept) != sorted(photos.values()):
        raise JourneyError(f"a photo was lost: the disk holds {sorted(kept)}")


def undo_last(j, done="元に戻しました"):
    """Ctrl+Z, Yes to the question that names the command, OK to the end."""
    j.key("ctrl+z")
    j.answer("はい(Y)", j.box("次の操作を元に戻します", timeout=20))
    ok(j, j.box(done, timeout=120))


def list_of(j, name, paths):
    write(os.path.join(j.files, "lists", name), "".join(p + "\r\n" for p in paths))


@journey
def undo_move_of_3000_files(j):
    src = os.path.join(j.files, "src")
    dest = os.path.join(j.files, "dest")
    os.makedirs(dest)
    files = {write(os.path.join(src, f"f{k:04d}.dat"), f"file {k} ".encode() * (k % 50 + 1)): k
             for k in range(3000)}
    list_of(j, "many.txt", list(files))
    j.write_settings(left=os.path.join(j.files, "lists"), right=dest)
    j.start()
    load_list(j, "many.txt", 3000)
    j.click(j.widget("MoveButton"))
    wait_for(lambda: len(names(dest)) == 3000 and not names(src), 60, "the move")
    undo_last(j)
    if names(dest) or len(names(src)) != 3000:
        raise JourneyError(f"{len(names(src))} files back, {len(names(dest))} left")
    for p, k in files.items():
        if read(p) != f"file {k} ".encode() * (k % 50 + 1):
            raise JourneyError(f"{p} came back changed")


@journey
def undo_serial_rename(j):
    folder = os.path.join(j.files, "camera")
    photos = [write(os.path.join(folder, f"DSC_{k:04d}.jpg"), f"photo {k}") for k in range(20)]
    j.write_settings(right=folder)
    j.start(args=photos)
    wait_rows(j, 20)
    j.menu(j.widget("DataListBox"), "f", "r")  # ファイル（&F）, ファイル名の一括変更(&R)
    j.box("ベースファイル名")
    j.type_text("A001")
    j.key("Return")
    ok(j, j.box("終了しました"))
    wait_for(lambda: names(folder)[0] == "A001.jpg", 10, "the renamed photos")
    j.menu(j.widget("DataListBox"), "u")  # 元に戻す(&U)
    j.answer("はい(Y)", j.box("ファイル名の一括変更", timeout=20))
    ok(j, j.box("元に戻しました"))
    if names(folder) != [os.path.basename(p) for p in photos]:
        raise JourneyError(f"the names are {names(folder)}")
    for k, p in enumerate(photos):
        if read(p) != f"photo {k}".encode():
            raise JourneyError(f"{p} holds another photo")


@journey
def undo_trash_of_5_files(j):
    folder = os.path.join(j.files, "docs")
    files = [write(os.path.join(folder, f"doc{k}.txt"), f"doc {k}" * 100) for k in range(5)]
    j.write_settings(right=folder)
    j.start(args=files)
    wait_rows(j, 5)
    j.click(j.widget("DelButton"))
    j.answer("はい", j.box("ごみ箱に移動しますか"))
    wait_for(lambda: names(folder) == [], 20, "the files to go to the trash")
    undo_last(j)
    if names(folder) != [os.path.basename(p) for p in files]:
        raise JourneyError(f"the folder holds {names(folder)}")
    for k, p in enumerate(files):
        if read(p) != f"doc {k}".encode() * 100:
            raise JourneyError(f"{p} came back changed")
    listed = subprocess.run(["gio", "list", "trash://"], env=j.env, capture_output=True, text=True,
                            timeout=30).stdout.split()
    if listed:
        raise JourneyError(f"the trash still lists {listed}")


@journey
def undo_after_kill_during_move(j):
    """kill -9 while 2,000 files move to another file system; after a
    restart, Ctrl+Z brings back every file that left."""
    src = os.path.join(j.files, "src")
    j.mount_tmpfs(src, "400m")
    dest = os.path.join(j.files, "dest")
    os.makedirs(dest)
    files = {write(os.path.join(src, f"f{k:04d}.bin"), os.urandom(64 << 10)): None for k in range(2000)}
    for p in files:
        files[p] = read(p)
    list_of(j, "many.txt", list(files))
    j.write_settings(left=os.path.join(j.files, "lists"), right=dest)
    j.start()
    load_list(j, "many.txt", 2000)
    j.click(j.widget("MoveButton"))
    wait_for(lambda: len(names(dest)) >= 300, 60, "the move to be under way")
    j.signal(signal.SIGKILL)
    j.wait_exit(10)
    moved = len(names(dest))
    if len(names(src)) == 0:
        raise JourneyError("the move ended before the kill")
    j.start()
    undo_last(j)
    for p, data in files.items():
        if not os.path.exists(p) or read(p) != data:
            raise JourneyError(f"{p} was lost ({moved} had moved)")
    # The kill may fall after the copy in flight got its name and before it
    # was journalled: that one copy may stay beside its source, whole.
    left = [n for n in names(dest) if n.endswith(".bin")]
    if len(left) > 1 or any(read(os.path.join(dest, n)) != files[os.path.join(src, n)] for n in left):
        raise JourneyError(f"{len(left)} copies stayed in the destination: {left[:5]}")
