/* Ordelink resource, command and control IDs.
 *
 * Plain preprocessor definitions only: this file is read by the C++ code and by the
 * resource compiler alike.  The lists at the end (toolbar buttons, status-bar panes,
 * menu icons) are comma-separated macros for initialising C++ arrays.
 */
#ifndef ORDELINK_RES_RESOURCE_H
#define ORDELINK_RES_RESOURCE_H

/* ---- Shared resource number: menu, accelerators, icon, toolbar, toolbar bitmap and
 *      the document template string all use 128. */
#define IDR_MAINFRAME               128

/* ---- Resource type of the toolbar description (16-bit words: version 1, image
 *      width, image height, entry count, then the entries' command IDs, 0 for a
 *      separator).  Written as user data because windres's own TOOLBAR statement
 *      emits 32-bit fields. */
#define RES_TYPE_TOOLBAR            241

/* ---- Dialog templates */
#define IDD_ABOUTBOX                100
#define IDD_FORMVW                  101
#define IDD_PPAGE1                  103     /* ブラウザ設定 */
#define IDD_PPAGE2                  104     /* Ordelink 設定 */
#define IDD_PPAGE3                  105     /* その他 */
#define IDD_PPAGE4                  106     /* built, never added to the sheet */
#define IDD_IMPORT_BROWSER          112     /* File > Import from Browser... */

/* ---- Menus */
#define IDR_TREE_POPUP              107     /* the tree view's right-button menu */

/* ---- Strings with small numbers */
#define IDS_PSHEET_CAPTION          102     /* "Property Sheet" */
#define IDS_MEMORY_MB               108     /* "%lu MB" */
#define IDS_DISK_FREE               109     /* "%lu MB Free on %c:" */
#define IDS_DISK_UNAVAILABLE        110     /* "Unavailable" */

/* ---- Tree view image list, loaded in this order: images 0 to 5 */
#define IDB_TREE_FOLDER             132
#define IDB_TREE_FOLDER_SEL         133
#define IDB_TREE_URL                134
#define IDB_TREE_URL_SEL            135
#define IDB_TREE_ROOT               136
#define IDB_TREE_ROOT_SEL           137

/* ---- Cursor of the About box's hyperlink (hotspot 1,11) */
#define IDC_LINK_HAND               140

/* ---- Menu icon bitmaps, 16 x 15, 16 colours */
#define IDB_MI_SETTING              142
#define IDB_MI_ADD_FOLDER           143
#define IDB_MI_ADD_URL              144
#define IDB_MI_FILE_TO_FAV          145
#define IDB_MI_FAV_TO_FILE          146
#define IDB_MI_DELETE               147
#define IDB_MI_COPY                 148
#define IDB_MI_CUT                  149
#define IDB_MI_PASTE                150
#define IDB_MI_EXECUTE              151
#define IDB_MI_NEW                  152
#define IDB_MI_OPEN                 153
#define IDB_MI_SAVE                 154
#define IDB_MI_GETURL               155
#define IDB_MI_HELP                 156
#define IDB_MI_CLIPBOARD_LINK       157
#define IDB_MI_ABOUT                158
#define IDB_MI_EXIT                 159
#define IDB_MI_SHORTCUT             160
#define IDB_MI_ADD                  161     /* the "Add" submenu entry */
#define IDB_MI_LINK_HTML            162

/* ---- Control IDs */
#define IDC_UPDATE                  1001    /* form: UPDATE */
#define IDC_BROWSE                  1002    /* page 1: &Browse (hidden) */
#define IDC_TITLE                   1003    /* form: TITLE edit */
#define IDC_URL                     1004    /* form: URL edit */
#define IDC_BROWSER_NAME            1005    /* page 1: browser path (hidden) */
#define IDC_CHECK                   1006    /* form: Check (hidden diagnostic) */
#define IDC_BROWSER_ANY             1007    /* page 1: 複数起動 */
#define IDC_BROWSER_SINGLE          1008    /* page 1: 複数起動不可 */
#define IDC_TITLE_LABEL             1009    /* form: "TITLE" */
#define IDC_URL_LABEL               1010    /* form: " URL" */
#define IDC_DISK_FREE               1011    /* About: free space of the current drive */
#define IDC_PHYS_TOTAL              1012    /* About: physical memory, total */
#define IDC_PHYS_FREE               1013    /* About: physical memory, free */
#define IDC_AUTHOR_LINK             1014    /* About: the hyperlink */
#define IDC_APP_ANY                 1016    /* page 2: 複数起動 */
#define IDC_APP_SINGLE              1017    /* page 2: 複数起動不可 */
#define IDC_TITLE_DEFAULT           1018    /* page 2: デフォルトを使用 */
#define IDC_TITLE_BLANK             1019    /* page 2: 空欄を使用 */
#define IDC_TOOLBAR_FLAT            1020    /* page 3: FLAT */
#define IDC_TOOLBAR_NORMAL          1021    /* page 3: NORMAL */
#define IDC_HTML_DIR_TEMP           1022    /* page 3: Temp 固定 */
#define IDC_HTML_DIR_ASK            1023    /* page 3: 選択ダイアログ使用 */
#define IDC_LINK_TARGET_SAME        1024    /* page 3: 固定 */
#define IDC_LINK_TARGET_NEW         1025    /* page 3: 別 */

/* ---- The program's commands */
#define ID_SETTING                  32771
#define ID_ADD_URL                  32772
#define ID_ADD_FOLDER               32773
#define ID_EXECUTE                  32774
#define ID_DELETE                   32775
#define ID_CONVERT_FAV_TO_FILE      32776   /* お気に入り -> File (import) */
#define ID_CONVERT_FILE_TO_FAV      32777   /* File -> お気に入り (export) */
#define ID_GETURL                   32779
#define ID_CLIPBOARD_LINK           32780
#define ID_CREATE_SHORTCUT          32781
#define ID_CREATE_LINK_HTML         32782
#define ID_READ_BOOKMARK            32783
#define ID_EXPORT_BOOKMARK_FILE     32790   /* the tree as a browser bookmark file */
#define ID_IMPORT_BROWSER           32791   /* the installed browsers' bookmarks in */
#define ID_FIND_NEXT                32784   /* F3: the next match of the find field */
#define ID_FIND_PREV                32785   /* Shift+F3: the previous match */
#define ID_CHECK_LINKS              32796   /* ask the web addresses below the selection */
#define ID_FIND_DUPLICATES          32797   /* records with the same address */

/* ---- Internal commands between the views, relayed by the main frame */
#define ID_INT_FOCUS_FORM           32800   /* activate the form view */
#define ID_INT_SHOW_PENDING         32801   /* form shows the pending title and URL */
#define ID_INT_TOOLBAR_FLAT         32802
#define ID_INT_TOOLBAR_NORMAL       32803
#define ID_INT_ITEM_CHANGED         32804   /* form changed the selected record */
#define ID_INT_SELECTION_CHANGED    32805   /* tree selection moved */

/* ---- Messages (string table) */
#define IDP_IMPORT_FAV_ASK          32850
#define IDP_EXPORT_FAV_ASK          32851
#define IDP_TITLE_IS_ROOT           32852
#define IDP_TITLE_EXISTS            32853
#define IDP_TITLE_BAD_CHAR          32854
#define IDP_IMPORT_FAV_FAILED       32855
#define IDP_EXPORT_FAV_FAILED       32856
#define IDP_NO_ADD_UNDER_URL        32858
#define IDP_TITLE_EMPTY             32859
#define IDP_GETURL_FAILED           32860
#define IDP_LINK_HTML_FAILED        32861
#define IDP_IMPORT_BOOKMARK_ASK     32862
#define IDP_IMPORT_BOOKMARK_FAILED  32863
#define IDP_NO_HELP_FILE            32864   /* %1 = the help file looked for */
#define IDP_EXPORT_BOOKMARK_FAILED  32870   /* %1 = the file written */
#define IDP_OPEN_ASK                32880   /* %1 = a URL that is no web or mail address */
#define IDP_OPEN_REFUSED            32881   /* %1 = a URL that is never opened */
#define IDP_LINK_REFUSED            32882   /* %1 = dropped or pasted data that is no address */

/* ---- Import from Browser: messages (%1 = the file), the dialog's texts */
#define IDP_BROWSER_FILE_UNREADABLE 32960
#define IDP_BROWSER_FILE_DAMAGED    32961
#define IDP_BROWSER_FILE_FOREIGN    32962
#define IDS_BROWSER_NONE_FOUND      32963
#define IDS_BROWSER_FIREFOX_HINT    32964
#define IDS_BROWSER_COLUMNS         32965   /* the list's column titles, one a line */
#define IDS_BROWSER_UNREADABLE      32966   /* the count of a file that cannot be read */
#define IDS_BROWSER_EXPORT_FIRST    32967   /* the count of a Firefox profile */
#define IDC_BROWSER_PROFILES        1040    /* the list of profiles */
#define IDC_BROWSER_NOTE            1041    /* the text above it */
#define IDC_BROWSER_HINT            1042    /* the text below it */
#define IDC_OPEN_BOOKMARK_FILE      1043    /* opens a bookmark file instead */

/* ---- Find (status bar and the find bar) */
#define IDS_FIND_POSITION           32866   /* %1 = the match's number, %2 = the count */
#define IDS_FIND_NOT_FOUND          32867   /* %1 = the text looked for */
#define IDS_FIND_LABEL              32868   /* the find bar's label */
#define IDC_FIND_EDIT               1030    /* the find bar's field */
#define IDC_FIND_CLOSE              1031    /* the find bar's close button */

/* ---- Status-bar reports of finished exports */
#define IDS_DONE_LINKS_WRITTEN      32890   /* %1 = the number of links, %2 = the file or folder */
#define IDS_DONE_CLIPBOARD_LINK     32891   /* %1 = the item's title */

/* ---- Link check: the progress and results windows */
#define IDS_CHECK_TITLE             32940   /* the progress window's caption */
#define IDS_CHECK_COUNT             32941   /* %1 = links done, %2 = all links */
#define IDS_CHECK_RESULTS_TITLE     32942   /* %1 = links checked */
#define IDS_DUPLICATES_TITLE        32943   /* %1 = groups */
#define IDS_CHECK_COLUMNS           32944   /* column headings, tab-separated */
#define IDS_DUPLICATE_COLUMNS       32945   /* column headings, tab-separated */
#define IDS_UPDATE_ADDRESSES        32946   /* button */
#define IDS_CHECK_CANCEL            32947   /* button */
#define IDS_CHECK_CLOSE             32948   /* button */
#define IDP_CHECK_ALL_GOOD          32949   /* %1 = links checked */
#define IDP_NO_DUPLICATES           32950
#define IDP_NOTHING_TO_CHECK        32951
#define IDC_CHECK_BAR               1060    /* progress: the bar */
#define IDC_CHECK_COUNT             1061    /* progress: "n / m" */
#define IDC_CHECK_ADDRESS           1062    /* progress: the address being asked */
#define IDC_CHECK_CANCEL            1063    /* progress: Cancel */
#define IDC_RESULTS_LIST            1064    /* results: the list */
#define IDC_RESULTS_UPDATE          1065    /* results: Update addresses */
#define IDC_RESULTS_CLOSE           1066    /* results: Close */

/* ---- Link page template (string table); every line ends with CR LF */
#define IDS_HTML_RULE               32900   /* comment rule */
#define IDS_HTML_SEPARATOR          32901   /* 区切り rule with <BR> */
#define IDS_HTML_END_OF_FILE        32902
#define IDS_HTML_VERSION            32903   /* %1 = build */
#define IDS_HTML_HEAD               32904   /* %1 = document title */
#define IDS_HTML_BANNER             32905   /* %1 = document title */
#define IDS_HTML_TAIL               32906
#define IDS_HTML_CREATED            32907   /* %1 = date and time */
#define IDS_HTML_HEADING            32908   /* %1 = folder heading */
#define IDS_HTML_LINK               32909   /* %1 = URL, %2 = title */
#define IDS_HTML_END                32910
#define IDS_HTML_LINK_BLANK         32911   /* %1 = URL, %2 = title, TARGET="_BLANK" */

/* ---- Framework command IDs */
#define ID_SEPARATOR                0
#define ID_FILE_NEW                 0xE100  /* 57600 */
#define ID_FILE_OPEN                0xE101  /* 57601 */
#define ID_FILE_CLOSE               0xE102
#define ID_FILE_SAVE                0xE103  /* 57603 */
#define ID_FILE_SAVE_AS             0xE104  /* 57604 */
#define ID_FILE_MRU_FILE1           0xE110  /* 57616 */
#define ID_FILE_MRU_FILE2           0xE111
#define ID_FILE_MRU_FILE3           0xE112
#define ID_FILE_MRU_FILE4           0xE113
#define ID_FILE_MRU_FILE5           0xE114
#define ID_FILE_MRU_FILE6           0xE115
#define ID_FILE_MRU_FILE7           0xE116
#define ID_FILE_MRU_FILE8           0xE117
#define ID_FILE_MRU_FILE9           0xE118
#define ID_FILE_MRU_FILE10          0xE119
#define ID_FILE_MRU_FILE11          0xE11A
#define ID_FILE_MRU_FILE12          0xE11B
#define ID_FILE_MRU_FILE13          0xE11C
#define ID_FILE_MRU_FILE14          0xE11D
#define ID_FILE_MRU_FILE15          0xE11E
#define ID_FILE_MRU_FILE16          0xE11F
#define ID_EDIT_CLEAR               0xE120
#define ID_EDIT_COPY                0xE122  /* 57634 */
#define ID_EDIT_CUT                 0xE123  /* 57635 */
#define ID_EDIT_FIND                0xE124  /* 57636 */
#define ID_EDIT_PASTE               0xE125  /* 57637 */
#define ID_EDIT_SELECT_ALL          0xE12A
#define ID_EDIT_UNDO                0xE12B  /* 57643 */
#define ID_EDIT_REDO                0xE12F  /* 57647 */
#define ID_APP_ABOUT                0xE140  /* 57664 */
#define ID_APP_EXIT                 0xE141  /* 57665 */
#define ID_HELP_INDEX               0xE142  /* 57666 */
#define ID_HELP                     0xE146  /* 57670 */
#define ID_NEXT_PANE                0xE150  /* 57680 */
#define ID_PREV_PANE                0xE151  /* 57681 */
#define ID_INDICATOR_CAPS           0xE701  /* 59137 */
#define ID_INDICATOR_NUM            0xE702  /* 59138 */
#define ID_INDICATOR_CLOCK          0xE707  /* 59143 */
#define ID_VIEW_TOOLBAR             0xE800  /* 59392 */
#define ID_VIEW_STATUS_BAR          0xE801  /* 59393 */

/* ---- Framework window IDs */
#define AFX_IDW_TOOLBAR             0xE800  /* 59392 */
#define AFX_IDW_STATUS_BAR          0xE801  /* 59393 */
#define AFX_IDW_PANE_FIRST          0xE900  /* 59648 */

/* ---- Framework strings */
#define AFX_IDS_APP_TITLE           0xE000  /* 57344 "Ordelink" */
#define AFX_IDS_IDLEMESSAGE         0xE001  /* 57345 "Ready" */
/* Document and file messages of the framework layer (numbers of our own choosing). */
#define AFX_IDS_UNTITLED            0xF100  /* 無題 */
#define AFX_IDS_ALLFILTER           0xF101
/* The document file messages live in fw/base/AfxMessages.cpp only. */
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF107 /* a frame or view could not be made */

/* ---- Toolbar 128, left to right, as in the toolbar resource; ID_SEPARATOR marks a
 *      gap.  Bitmap 128 holds one 16 x 15 image per button (not per separator) in
 *      the same order. */
#define ORDELINK_TOOLBAR_BUTTONS \
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR, \
    ID_EXECUTE, ID_SEPARATOR, \
    ID_ADD_FOLDER, ID_ADD_URL, ID_GETURL, ID_SEPARATOR, \
    ID_DELETE, ID_SEPARATOR, \
    ID_CONVERT_FAV_TO_FILE, ID_CONVERT_FILE_TO_FAV, ID_SEPARATOR, \
    ID_CREATE_LINK_HTML, ID_CLIPBOARD_LINK, ID_SEPARATOR, \
    ID_SETTING, ID_SEPARATOR, \
    ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_COPY, ID_SEPARATOR, \
    ID_APP_ABOUT
#define ORDELINK_TOOLBAR_IMAGE_WIDTH    16
#define ORDELINK_TOOLBAR_IMAGE_HEIGHT   15

/* ---- Status bar panes, in order (the first is the message pane) */
#define ORDELINK_STATUS_INDICATORS \
    ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_CLOCK

/* ---- Icons given to the main menu's commands, in the order they are assigned:
 *      pairs of (command ID, bitmap ID).  The "Add" submenu entry, found by its text,
 *      gets IDB_MI_ADD afterwards. */
#define ORDELINK_MAIN_MENU_ICONS \
    ID_FILE_NEW, IDB_MI_NEW, \
    ID_FILE_OPEN, IDB_MI_OPEN, \
    ID_FILE_SAVE, IDB_MI_SAVE, \
    ID_APP_EXIT, IDB_MI_EXIT, \
    ID_EDIT_CUT, IDB_MI_CUT, \
    ID_EDIT_COPY, IDB_MI_COPY, \
    ID_EDIT_PASTE, IDB_MI_PASTE, \
    ID_ADD_FOLDER, IDB_MI_ADD_FOLDER, \
    ID_ADD_URL, IDB_MI_ADD_URL, \
    ID_GETURL, IDB_MI_GETURL, \
    ID_DELETE, IDB_MI_DELETE, \
    ID_EXECUTE, IDB_MI_EXECUTE, \
    ID_CONVERT_FAV_TO_FILE, IDB_MI_FAV_TO_FILE, \
    ID_CONVERT_FILE_TO_FAV, IDB_MI_FILE_TO_FAV, \
    ID_CREATE_LINK_HTML, IDB_MI_LINK_HTML, \
    ID_CLIPBOARD_LINK, IDB_MI_CLIPBOARD_LINK, \
    ID_CREATE_SHORTCUT, IDB_MI_SHORTCUT, \
    ID_SETTING, IDB_MI_SETTING, \
    ID_HELP, IDB_MI_HELP, \
    ID_APP_ABOUT, IDB_MI_ABOUT

/* ---- Icons of the right-button menu's commands (after "Add" gets IDB_MI_ADD) */
#define ORDELINK_POPUP_MENU_ICONS \
    ID_ADD_FOLDER, IDB_MI_ADD_FOLDER, \
    ID_ADD_URL, IDB_MI_ADD_URL, \
    ID_DELETE, IDB_MI_DELETE, \
    ID_EXECUTE, IDB_MI_EXECUTE

#endif /* ORDELINK_RES_RESOURCE_H */
