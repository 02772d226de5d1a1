#!/usr/bin/env python3
"""Contract texts of the resource script.

Parses res/Ordelink.rc and res/resource.h (no compiler needed) and compares the string
table, the menus, the toolbar order, the accelerators and the dialog templates with
the texts and numbers the program promises.  Run: python3 tests/res/check_strings.py
"""

import os
import re
import sys
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RC_PATH = os.path.join(ROOT, "res", "Ordelink.rc")
H_PATH = os.path.join(ROOT, "res", "resource.h")

# ------------------------------------------------------------------ expected texts

CRLF = "\r\n"

# Full texts of string-table entries, exactly.
STRINGS = {
    128: "Ordelink\n\nOrdelink\nOrdelink Files (*.pmk)\n.PMK\nOrdelink.Document\nOrdelink Document",
    102: "Property Sheet",
    108: "%lu MB",
    109: "%lu MB Free on %c:",
    110: "Unavailable",
    57344: "Ordelink",
    57345: "Ready",
    32850: '"お気に入り" を取り込みます。\n\n 開始しますか？',
    32851: '"お気に入り" へ転送します。\n\n開始しますか？',
    32852: '"ROOT" には、変更できません。',
    32853: "既に、同 Title が存在しているため、変更できません。",
    32854: 'Titleには次の文字は使えません。\n        \\ / : * ? " < > |',
    32855: "コンバート ( お気に入り -> File ) に失敗しました。",
    32856: "コンバート ( File -> お気に入り ) に失敗しました。",
    32858: "URL 下には、追加できません。",
    32859: "Title が空欄です。",
    32860: "現在表示されているURLを取得できませんでした。\n\n(ブラウザが起動されていない可能性があります。)",
    32861: "HTMLファイル作成中にエラーが発生しました。",
    32862: '"Bookmark" を取り込みます。\n\n【 はい 】を押すと bookmark.htm の選択ダイアログが'
           "表示されますので指定して下さい。\n\n【 例 (デフォルト) 】\n"
           "NN 3.x の時 ： C:\\Program Files\\Netscape\\Navigator\\bookmark.htm\n"
           "NN 4.x の時 ： C:\\Program Files\\Netscape\\users\\ユーザ名\\bookmark.htm",
    32863: "コンバート ( Bookmark -> File ) に失敗しました。",
    32864: "ヘルプ ファイルはインストールされていません。\n\n%1",
    32870: "Bookmark ファイルを書き出せませんでした。\n\n%1",
    32866: "%1 / %2",
    32867: '"%1" は見つかりません。',
    32890: "%1 件のリンクを書き出しました： %2",
    32891: "1 件の LINK をクリップボードへ作成しました： %1",
    32868: "Find",
    32900: "<!" + "-" * 56 + ">" + CRLF,
    32901: "<!-区切り" + "-" * 49 + "><BR>" + CRLF,
    32902: "<!" + "-" * 19 + " 【 END OF FILE 】" + "-" * 19 + ">" + CRLF,
    32904: "<HTML>" + CRLF + "<HEAD><TITLE>%1</TITLE></HEAD>" + CRLF
           + '<BODY BGCOLOR="#000000" TEXT="#FFFFFF" LINK="#FFFF00" VLINK="#A0A000" ALINK="#FF0000">'
           + CRLF,
    32905: "<FONT SIZE=2>" + CRLF + '<FONT COLOR="#FF0000" SIZE=5><B>LINK</B></FONT>' + CRLF
           + '<FONT COLOR="#00F0FF" SIZE=3><B>%1</B></FONT>' + CRLF,
    32906: "</FONT>" + CRLF + "</BODY>" + CRLF + "</HTML>" + CRLF,
    32907: '<FONT COLOR="#00F0FF">作成：%1</FONT><BR>' + CRLF,
    32908: "<FONT SIZE=3>%1</FONT><BR>" + CRLF,
    32909: '・<A HREF="%1">%2</A><BR>' + CRLF,
    32910: "--- END ---" + CRLF,
    32911: '・<A HREF="%1" TARGET="_BLANK">%2</A><BR>' + CRLF,
    57600: "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ",
    57601: "既存のﾌｧｲﾙを開く\n開く",
    59137: "CAP",
    59138: "NUM",
    59143: " 12/12 00:00:00 ",
}

# Status-bar prompts: the part of the entry before the line feed.
PROMPTS = {
    32771: "環境設定を行う",
    32772: "新規追加 ( URL )",
    32773: "新規追加 ( ﾌｫﾙﾀﾞ )",
    32774: "選択URLを実行する",
    32775: "選択ｱｲﾃﾑ( 子ｱｲﾃﾑ 含む )を削除する",
    32776: "Convert( お気に入り -> File )",
    32777: "Convert( File -> お気に入り )",
    32779: "ブラウザから現在表示されているURLを取込む",
    32780: "クリップボードへHTML用のLINKを作成",
    32781: "デスクトップへShortcutを作成",
    32782: "LINK用のHTML Fileを作成",
    32783: "Read Bookmark For IE User",
    32790: "ブラウザで取り込める Bookmark ファイルへ書き出す",
    32791: "この PC のブラウザからブックマークを取り込む",
    32784: "次の一致項目を選択する",
    32785: "前の一致項目を選択する",
    32796: "選択ﾌｫﾙﾀﾞ以下のURLにﾘﾝｸ切れや移転がないか調べる",
    32797: "同じｱﾄﾞﾚｽのURLを探す",
    57636: "ﾀｲﾄﾙ, URL, ﾒﾓから検索する",
    57647: "元に戻した操作をやり直す",
}

# Framework messages kept in the string table, by their names in resource.h.
NAMED_STRINGS = {
    "AFX_IDS_UNTITLED": "無題",
}

TOOLBAR = [57600, 57601, 57603, 0, 32774, 0, 32773, 32772, 32779, 0, 32775, 0,
           32776, 32777, 0, 32782, 32780, 0, 32771, 0, 57635, 57637, 57634, 0, 57664]

SEP = ("-",)
MENU_128 = [
    ("File(&F)", [(57600, "New(&N)\tCtrl+N"), (57601, "Open(&O)...\tCtrl+O"),
                  (57603, "Save(&S)\tCtrl+S"), (57604, "Save As(&A)..."),
                  (32790, "Export Bookmark File(&E)..."),
                  (32791, "Import from Browser(&B)..."), SEP,
                  (57616, "MRU File", "GRAYED"), SEP, (57665, "Exit(&X)")]),
    ("Edit(&E)", [(57643, "Undo(&U)\tCtrl+Z"), (57647, "Redo(&R)\tCtrl+Y"), SEP,
                  (57635, "Cut(&T)\tCtrl+X"),
                  (57634, "Copy(&C)\tCtrl+C"), (57637, "Paste(&P)\tCtrl+V"), SEP,
                  (57636, "Find(&F)...\tCtrl+F"), (32784, "Find Next(&N)\tF3"),
                  (32785, "Find Previous(&V)\tShift+F3"), SEP,
                  ("Add", [(32773, "Add ( ﾌｫﾙﾀﾞ )"), (32772, "Add ( URL )")]),
                  (32779, "GetURL"), (32775, "Delete"), (32774, "Excute"),
                  ("Convert", [(32776, "お気に入り -> File"), (32777, "File -> お気に入り")])]),
    ("Option(&O)", [(32782, "Create Link Html File"), (32780, "Set Cripboard Html Link"), SEP,
                    (32796, "Check Links..."), (32797, "Find Duplicates...")]),
    ("Setting(&S)", [(32771, "Setting(&S)...")]),
    ("View(&V)", [(59392, "Tool Bar (&T)"), (59393, "Status Bar (&S)")]),
    ("Help(&H)", [(57670, "Help(&H)\tF1"), (57664, "Version Information (&A)..."), SEP,
                  ("Support Tool", [(32781, "Create Shortcut on Desktop"),
                                    (32783, "Read Bookmark For IE User")])]),
]
MENU_107 = [
    ("_ﾎﾟｯﾌﾟｱｯﾌﾟ_", [("Add", [(32772, "URL"), (32773, "ﾌｫﾙﾀﾞ ")]),
                      (32775, "Delete"), (32774, "Excute")]),
]

# key, modifiers, command
ACCELERATORS = [
    ('"N"', {"CONTROL"}, 57600), ('"O"', {"CONTROL"}, 57601), ('"S"', {"CONTROL"}, 57603),
    ('"Z"', {"CONTROL"}, 57643), ("VK_BACK", {"ALT"}, 57643),
    ('"X"', {"CONTROL"}, 57635), ("VK_DELETE", {"SHIFT"}, 57635),
    ('"C"', {"CONTROL"}, 57634), ("VK_INSERT", {"CONTROL"}, 57634),
    ('"V"', {"CONTROL"}, 57637), ("VK_INSERT", {"SHIFT"}, 57637),
    ("VK_F6", set(), 57680), ("VK_F6", {"SHIFT"}, 57681),
    ('"Y"', {"CONTROL"}, 57647), ('"F"', {"CONTROL"}, 57636),
    ("VK_F3", set(), 32784), ("VK_F3", {"SHIFT"}, 32785),
    ("VK_F1", set(), 57670),
]

FONT = (9, "ＭＳ Ｐゴシック")

# Dialogs: number -> (size or None, caption or None, controls).  A control is
# (id, text, rectangle or None); -1 controls are matched by their text.
DIALOGS = {
    100: (None, "Version Information ( Ordelink )", [
        (-1, "Ordelink  Version 1.30", (7, 35, 119, 8)),
        (1, "OK", (51, 130, 32, 14)),
        (1011, "Free Disk Space", (13, 112, 107, 8)),
        (-1, " System Memory Information ", (7, 61, 119, 36)),
        (1012, "physical total", (61, 73, 59, 8)),
        (-1, "Physical Total", (11, 73, 48, 8)),
        (-1, "Physical Free", (11, 84, 48, 8)),
        (1013, "physical free", (61, 84, 59, 8)),
        (-1, " Current Disk Information ", (7, 99, 119, 25)),
        (1014, "Varnoth", (44, 49, 30, 8)),
        (-1, "1998.04.16", (76, 49, 44, 8)),
    ]),
    101: ((90, 77), None, [
        (1009, "TITLE", (4, 16, 18, 8)), (1003, "", (25, 13, 50, 14)),
        (1010, " URL", (4, 36, 18, 8)), (1004, "", (25, 35, 50, 14)),
        (1001, "UPDATE", (25, 56, 50, 14)), (1006, "Check", (4, 56, 20, 14)),
    ]),
    103: ((265, 95), "ブラウザ設定", [
        (1002, "&Browse", None), (1005, "", None), (-1, "ブラウザ", None),
        (1007, "複数起動", None), (1008, "複数起動不可", None), (-1, " 複数起動選択 ", None),
    ]),
    104: ((267, 95), "Ordelink 設定", [
        (1016, "複数起動", None), (1017, "複数起動不可", None), (-1, " 複数起動選択 ", None),
        (-1, ' Add URL 時の "TITLE", "URL" の設定 ', None),
        (1018, "デフォルトを使用", None), (1019, "空欄を使用", None),
    ]),
    105: ((269, 95), "その他", [
        (1020, "FLAT", None), (1021, "NORMAL", None), (-1, " ツールバー表示タイプ ", None),
        (1022, "Temp 固定", None), (1023, "選択ダイアログ使用", None),
        (-1, " Create Link HTML File 設定 ", None), (-1, " ファイル保存場所 ", None),
        (1024, "固定", None), (1025, "別", None), (-1, " URL Link Target ", None),
    ]),
    106: (None, "ﾌﾟﾛﾊﾟﾃｨ ﾍﾟｰｼﾞ", [(-1, "現在、使用していません。", None)]),
}

# Controls that start hidden or disabled.
HIDDEN = {(101, 1006), (103, 1002), (103, 1005), (103, "ブラウザ")}
DISABLED = {(101, 1009), (101, 1010), (101, 1001)}

# Resource numbers the code relies on, by the names resource.h gives them.
NUMBERS = {
    "IDR_MAINFRAME": 128, "IDR_TREE_POPUP": 107, "IDD_ABOUTBOX": 100, "IDD_FORMVW": 101,
    "IDS_PSHEET_CAPTION": 102, "IDD_PPAGE1": 103, "IDD_PPAGE2": 104, "IDD_PPAGE3": 105,
    "IDD_PPAGE4": 106, "IDC_LINK_HAND": 140, "RES_TYPE_TOOLBAR": 241,
    "IDB_TREE_FOLDER": 132, "IDB_TREE_FOLDER_SEL": 133, "IDB_TREE_URL": 134,
    "IDB_TREE_URL_SEL": 135, "IDB_TREE_ROOT": 136, "IDB_TREE_ROOT_SEL": 137,
    "IDB_MI_SETTING": 142, "IDB_MI_ADD_FOLDER": 143, "IDB_MI_ADD_URL": 144,
    "IDB_MI_FILE_TO_FAV": 145, "IDB_MI_FAV_TO_FILE": 146, "IDB_MI_DELETE": 147,
    "IDB_MI_COPY": 148, "IDB_MI_CUT": 149, "IDB_MI_PASTE": 150, "IDB_MI_EXECUTE": 151,
    "IDB_MI_NEW": 152, "IDB_MI_OPEN": 153, "IDB_MI_SAVE": 154, "IDB_MI_GETURL": 155,
    "IDB_MI_HELP": 156, "IDB_MI_CLIPBOARD_LINK": 157, "IDB_MI_ABOUT": 158,
    "IDB_MI_EXIT": 159, "IDB_MI_SHORTCUT": 160, "IDB_MI_ADD": 161, "IDB_MI_LINK_HTML": 162,
    "ID_INT_FOCUS_FORM": 32800, "ID_INT_SHOW_PENDING": 32801, "ID_INT_TOOLBAR_FLAT": 32802,
    "ID_INT_TOOLBAR_NORMAL": 32803, "ID_INT_ITEM_CHANGED": 32804,
    "ID_INT_SELECTION_CHANGED": 32805, "ID_HELP_INDEX": 57666, "ID_INDICATOR_CLOCK": 59143,
    "AFX_IDW_TOOLBAR": 59392, "AFX_IDW_STATUS_BAR": 59393, "AFX_IDW_PANE_FIRST": 59648,
}

# Pictures the script must load, by resource type and number.
PICTURES = ([("ICON", 128), ("BITMAP", 128), ("CURSOR", 140)]
            + [("BITMAP", n) for n in range(132, 138)] + [("BITMAP", n) for n in range(142, 163)])

# ------------------------------------------------------------------ parsing

def read_defines():
    names = {}
    with open(H_PATH, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"\s*#define\s+(\w+)\s+\(?(-?(?:0x[0-9A-Fa-f]+|\d+))\)?\s*(?:/\*.*)?$", line)
            if m:
                names[m.group(1)] = int(m.group(2), 0)
    names.setdefault("IDC_STATIC", -1)
    names.update(IDOK=1, IDCANCEL=2)
    return names


def rc_lines():
    """The script's lines without comments and preprocessor lines."""
    out = []
    with open(RC_PATH, encoding="utf-8") as f:
        for line in f:
            s = line.strip()
            if not s or s.startswith("//") or s.startswith("#"):
                continue
            out.append(s)
    return out


def unescape(literal):
    """The text of a resource-script string literal (quotes included)."""
    assert literal[0] == '"' and literal[-1] == '"', literal
    body, out, i = literal[1:-1], [], 0
    escapes = {"n": "\n", "r": "\r", "t": "\t", "\\": "\\", '"': '"'}
    while i < len(body):
        c = body[i]
        if c == "\\":
            if body[i + 1] not in escapes:
                raise ValueError("unknown escape in " + literal)
            out.append(escapes[body[i + 1]])
            i += 2
        elif c == '"':
            if body[i + 1:i + 2] != '"':
                raise ValueError("stray quote in " + literal)
            out.append('"')
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def args(text):
    """Split a statement's comma-separated arguments, keeping quoted texts whole."""
    parts, cur, inq = [], "", False
    i = 0
    while i < len(text):
        c = text[i]
        if c == '"':
            if inq and text[i + 1:i + 2] == '"':
                cur += '""'
                i += 2
                continue
            inq = not inq
        if c == "," and not inq:
            parts.append(cur.strip())
            cur = ""
        else:
            cur += c
        i += 1
    parts.append(cur.strip())
    return parts


class Script:
    def __init__(self):
        self.names = read_defines()
        self.lines = rc_lines()

    def num(self, token):
        token = token.strip()
        if token in self.names:
            return self.names[token]
        return int(token, 0)

    def block(self, header_re):
        """Lines between BEGIN and the matching END after the header line."""
        for i, line in enumerate(self.lines):
            if re.match(header_re, line):
                j = i + 1
                while self.lines[j] != "BEGIN":
                    j += 1
                depth, body = 0, []
                for line2 in self.lines[j:]:
                    if line2 == "BEGIN":
                        depth += 1
                        if depth == 1:
                            continue
                    elif line2 == "END":
                        depth -= 1
                        if depth == 0:
                            return self.lines[i:j], body
                    body.append(line2)
        raise AssertionError("no block " + header_re)

    def strings(self):
        table = {}
        for i, line in enumerate(self.lines):
            if line != "STRINGTABLE":
                continue
            j = self.lines.index("BEGIN", i) + 1
            while self.lines[j] != "END":
                m = re.match(r'(\S+)\s+("(?:[^"]|"")*")$', self.lines[j])
                assert m, "bad string line: " + self.lines[j]
                n = self.num(m.group(1))
                assert n not in table, "string %d defined twice" % n
                table[n] = unescape(m.group(2))
                j += 1
        return table

    def menu(self, name):
        _, body = self.block(r"%s\s+MENU$" % name)
        pos = [0]

        def level():
            items = []
            while pos[0] < len(body):
                line = body[pos[0]]
                pos[0] += 1
                if line == "BEGIN":
                    continue
                if line == "END":
                    return items
                if line == "MENUITEM SEPARATOR":
                    items.append(SEP)
                elif line.startswith("POPUP "):
                    text = unescape(line[6:].strip())
                    items.append((text, level()))
                elif line.startswith("MENUITEM "):
                    a = args(line[9:])
                    item = (self.num(a[1]), unescape(a[0])) + tuple(a[2:])
                    items.append(item)
                else:
                    raise AssertionError("bad menu line: " + line)
            return items
        return level()

    def toolbar(self):
        _, body = self.block(r"IDR_MAINFRAME\s+RES_TYPE_TOOLBAR$")
        words = [self.num(t) for t in args(" ".join(body)) if t]
        return words

    def accelerators(self):
        _, body = self.block(r"IDR_MAINFRAME\s+ACCELERATORS$")
        out = []
        for line in body:
            a = args(line)
            flags = set(a[2:]) - {"VIRTKEY", "NOINVERT"}
            assert "VIRTKEY" in a[2:], line
            out.append((a[0], flags, self.num(a[1])))
        return out

    def dialog(self, number):
        for name, value in self.names.items():
            if value == number and name.startswith("IDD_"):
                break
        head, body = self.block(r"%s\s+DIALOGEX\s" % name)
        info = {"size": tuple(int(v) for v in args(head[0].split(None, 2)[2])[2:4])}
        for line in head[1:]:
            if line.startswith("CAPTION "):
                info["caption"] = unescape(line[8:].strip())
            if line.startswith("FONT "):
                a = args(line[5:])
                info["font"] = (int(a[0]), unescape(a[1]))
        controls = []
        for line in body:
            kind, rest = line.split(None, 1)
            a = args(rest)
            if kind == "EDITTEXT":
                text, cid, rect, style = "", a[0], a[1:5], a[5:]
            elif kind == "CONTROL":
                text, cid, rect, style = a[0], a[1], a[4:8], a[3:4] + a[8:]
            else:
                text, cid, rect, style = a[0], a[1], a[2:6], a[6:]
            if text.startswith('"'):
                text = unescape(text)
            controls.append({"kind": kind, "text": text, "id": self.num(cid),
                             "rect": tuple(int(v) for v in rect), "style": " | ".join(style)})
        info["controls"] = controls
        return info


# ------------------------------------------------------------------ tests

class ResourceContract(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rc = Script()
        cls.table = cls.rc.strings()

    def test_strings_are_exact(self):
        for number, text in sorted(STRINGS.items()):
            with self.subTest(number=number):
                self.assertEqual(self.table.get(number), text)

    def test_framework_messages_are_exact(self):
        for name, text in NAMED_STRINGS.items():
            with self.subTest(name=name):
                self.assertEqual(self.table.get(self.rc.names[name]), text)

    def test_prompts_and_tooltips(self):
        for number, prompt in sorted(PROMPTS.items()):
            with self.subTest(number=number):
                prompt_part, sep, tip = self.table.get(number, "").partition("\n")
                self.assertEqual(prompt_part, prompt)
                self.assertTrue(sep and tip, "no tooltip after the prompt")

    def test_every_toolbar_button_has_prompt_and_tooltip(self):
        for number in TOOLBAR:
            if number:
                with self.subTest(number=number):
                    prompt, _, tip = self.table.get(number, "").partition("\n")
                    self.assertTrue(prompt and tip)

    def test_messages_32850_to_32863_have_no_gaps_but_32857(self):
        present = {n for n in self.table if 32850 <= n <= 32863}
        self.assertEqual(present, set(range(32850, 32864)) - {32857})

    def test_link_page_lines_end_with_crlf(self):
        for number in range(32900, 32912):
            with self.subTest(number=number):
                text = self.table[number]
                self.assertTrue(text.endswith(CRLF))
                self.assertEqual(text.count("\n"), text.count(CRLF), "bare line feed")

    def test_version_comment_shape(self):
        text = self.table[32903]
        self.assertTrue(text.startswith("<!------ Ordelink Version %1"), text)
        self.assertTrue(text.endswith(" ------>" + CRLF), text)
        self.assertEqual(text.count("\n"), 1)

    def test_main_menu(self):
        self.assertEqual(self.rc.menu("IDR_MAINFRAME"), MENU_128)

    def test_tree_popup_menu(self):
        self.assertEqual(self.rc.menu("IDR_TREE_POPUP"), MENU_107)

    def test_toolbar_resource(self):
        words = self.rc.toolbar()
        self.assertEqual(words[:4], [1, 16, 15, len(TOOLBAR)])
        self.assertEqual(words[4:], TOOLBAR)
        self.assertEqual(sum(1 for w in TOOLBAR if w), 17)

    def test_toolbar_macro_matches_resource(self):
        with open(H_PATH, encoding="utf-8") as f:
            text = f.read()
        m = re.search(r"#define ORDELINK_TOOLBAR_BUTTONS((?:.*\\\n)*.*)", text)
        names = [t.strip() for t in m.group(1).replace("\\\n", " ").split(",")]
        self.assertEqual([self.rc.num(n) for n in names], TOOLBAR)

    def test_accelerators(self):
        self.assertEqual(self.rc.accelerators(), ACCELERATORS)

    def test_dialogs(self):
        for number, (size, caption, expected) in sorted(DIALOGS.items()):
            d = self.rc.dialog(number)
            with self.subTest(dialog=number):
                self.assertEqual(d["font"], FONT)
                if size:
                    self.assertEqual(d["size"], size)
                self.assertEqual(d.get("caption"), caption)
                got = [(c["id"], c["text"]) for c in d["controls"]
                       if (c["id"], c["text"]) in {(e[0], e[1]) for e in expected}]
                self.assertEqual(got, [(e[0], e[1]) for e in expected])
            for cid, text, rect in expected:
                if rect:
                    with self.subTest(dialog=number, control=text or cid):
                        c = next(c for c in d["controls"] if (c["id"], c["text"]) == (cid, text))
                        self.assertEqual(c["rect"], rect)

    def test_dialog_start_states(self):
        for number in (101, 103):
            for c in self.rc.dialog(number)["controls"]:
                key = c["id"] if c["id"] != -1 else c["text"]
                with self.subTest(dialog=number, control=key):
                    self.assertEqual("NOT WS_VISIBLE" in c["style"], (number, key) in HIDDEN)
                    self.assertEqual("WS_DISABLED" in c["style"], (number, key) in DISABLED)

    def test_radio_groups_start_where_expected(self):
        starts = {1007, 1016, 1018, 1020, 1022, 1024}
        for number in (103, 104, 105):
            for c in self.rc.dialog(number)["controls"]:
                if "BS_AUTORADIOBUTTON" in c["style"]:
                    with self.subTest(control=c["id"]):
                        self.assertEqual("WS_GROUP" in c["style"], c["id"] in starts)

    def test_resource_numbers(self):
        for name, number in NUMBERS.items():
            with self.subTest(name=name):
                self.assertEqual(self.rc.names.get(name), number)

    def test_pictures_are_referenced(self):
        found = set()
        for line in self.rc.lines:
            m = re.match(r'(\w+)\s+(ICON|BITMAP|CURSOR)\s+"generated/[\w.]+"$', line)
            if m:
                found.add((m.group(2), self.rc.num(m.group(1))))
        self.assertEqual(found, set(PICTURES))


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=1).result
    sys.exit(0 if result.wasSuccessful() else 1)
