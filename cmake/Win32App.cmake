# The Windows program: resources, the Win32 framework layer, views and the
# application, plus the in-process GUI tests. Included by the top-level
# CMakeLists.txt in the win32 tree only.

set(ORD_WIN_SOURCES
    fw/win/AfxWin.cpp
    fw/win/CCmdTarget.cpp
    fw/win/CCmdUI.cpp
    fw/win/CCommandLineInfo.cpp
    fw/win/CControlBar.cpp
    fw/win/CDataExchange.cpp
    fw/win/CDialog.cpp
    fw/win/CEditView.cpp
    fw/win/CFileDialog.cpp
    fw/win/CFormView.cpp
    fw/win/CFrameWnd.cpp
    fw/win/CPropertyPage.cpp
    fw/win/CPropertySheet.cpp
    fw/win/CMenu.cpp
    fw/win/CMiniDockFrameWnd.cpp
    fw/win/CRecentFileList.cpp
    fw/win/CSingleDocTemplate.cpp
    fw/win/CSplitterWnd.cpp
    fw/win/CStatusBar.cpp
    fw/win/CStatusProgress.cpp
    fw/win/CToolBar.cpp
    fw/win/CToolTipCtrl.cpp
    fw/win/CTreeView.cpp
    fw/win/CView.cpp
    fw/win/CWinApp.cpp
    fw/win/CWnd.cpp
)
set(ORD_APP_SOURCES
    app/BrowserDetect.cpp
    browser/BrowserDde_win.cpp
    app/CPPage1.cpp
    app/CPPage2.cpp
    app/CPPage3.cpp
    app/CPPage4.cpp
    app/CPSheet.cpp
    app/CShellLinkFile.cpp
    chrome/CAboutDlg.cpp
    chrome/CLinkStatic.cpp
    chrome/CIconMenu.cpp
    chrome/GdiDraw.cpp
    chrome/CToolBarEx.cpp
    app/CMainFrame.cpp
    app/COrdelinkApp.cpp
    views/CEditVw.cpp
    views/CFormVw.cpp
    views/CTreeVw.cpp
    views/CTreeBuilder.cpp
    views/LabelOrder.cpp
    views/ViewBeep.cpp
    views/CTreeExportTree.cpp
    views/ImportCommands.cpp
    views/BrowserImportCommands.cpp
    views/CBrowserImportDlg.cpp
    views/CTreeDropTarget.cpp
    views/LinkCommands.cpp
    views/LinkDataObject.cpp
    views/FindCommands.cpp
    views/UndoCommands.cpp
    views/TreeScroll.cpp
    views/DoneMessage.cpp
    views/CFindBar.cpp
    views/CCheckProgressWnd.cpp
    views/CLinkResultsWnd.cpp
    views/CLinkCheckCommands.cpp
    app/CTreePaneSplitter.cpp
)
set(ORD_WIN32_GUI_TEST_SOURCES
    tests/win32/GuiTestSupport.cpp
    tests/win32/AppStartTest.cpp
    tests/win32/MainFrameTest.cpp
    tests/win32/ResourceStringTest.cpp
    tests/win32/AppProcess.cpp
    tests/win32/SingleInstanceTest.cpp
    tests/win32/ViewTestSupport.cpp
    tests/win32/TreeViewTest.cpp
    tests/win32/TreeBuildTest.cpp
    tests/win32/FindUndoTest.cpp
    tests/win32/FormViewTest.cpp
    tests/win32/CommandTest.cpp
    tests/win32/FileDialogTest.cpp
    tests/win32/StandInPrograms.cpp
    tests/win32/BrowserCommandsTest.cpp
    tests/win32/DialogTestSupport.cpp
    tests/win32/SettingsSheetTest.cpp
    tests/win32/ShortcutTest.cpp
    tests/win32/AboutBoxTest.cpp
    tests/win32/ImportCommandsTest.cpp
    tests/win32/BrowserImportTest.cpp
    tests/win32/LinkRoundTripTest.cpp
    tests/win32/ChromeTestSupport.cpp
    tests/win32/ToolBarExTest.cpp
    tests/win32/IconMenuTest.cpp
    tests/win32/DockingTest.cpp
    tests/win32/UserInput.cpp
    tests/win32/MouseAndKeysTest.cpp
    tests/win32/LinkCheckWindowTest.cpp
    tests/native/LoopbackHttpServer.cpp
    tests/win32/UnicodeViewsTest.cpp
)

# Pictures: text art to BMP/CUR/ICO, then the resource script to an object.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
file(GLOB ORD_ART_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/art/*.txt)
set(ORD_RES_DIR ${CMAKE_BINARY_DIR}/res)
set(ORD_RES_STAMP ${ORD_RES_DIR}/generated/.stamp)
add_custom_command(OUTPUT ${ORD_RES_STAMP}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/res/art2bin.py ${ORD_RES_DIR}/generated
    COMMAND ${CMAKE_COMMAND} -E touch ${ORD_RES_STAMP}
    DEPENDS ${ORD_ART_FILES} ${CMAKE_SOURCE_DIR}/res/art2bin.py
    COMMENT "Drawing the pictures from res/art")
set(ORD_RES_OBJECT ${ORD_RES_DIR}/Ordelink.res.o)
add_custom_command(OUTPUT ${ORD_RES_OBJECT}
    COMMAND ${CMAKE_RC_COMPILER} -I ${CMAKE_SOURCE_DIR}/res -I ${ORD_RES_DIR}
        -i ${CMAKE_SOURCE_DIR}/res/Ordelink.rc -o ${ORD_RES_OBJECT} -O coff
    DEPENDS ${CMAKE_SOURCE_DIR}/res/Ordelink.rc ${CMAKE_SOURCE_DIR}/res/resource.h ${ORD_RES_STAMP}
        ${CMAKE_SOURCE_DIR}/res/Ordelink.manifest
    COMMENT "Compiling the resource script")
# The manifest alone, for test programs without the other resources.
set(ORD_MANIFEST_OBJECT ${ORD_RES_DIR}/Manifest.res.o)
add_custom_command(OUTPUT ${ORD_MANIFEST_OBJECT}
    COMMAND ${CMAKE_RC_COMPILER} -I ${CMAKE_SOURCE_DIR}/res
        -i ${CMAKE_SOURCE_DIR}/res/Manifest.rc -o ${ORD_MANIFEST_OBJECT} -O coff
    DEPENDS ${CMAKE_SOURCE_DIR}/res/Manifest.rc ${CMAKE_SOURCE_DIR}/res/Ordelink.manifest
    COMMENT "Compiling the manifest")
set_source_files_properties(${ORD_MANIFEST_OBJECT} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
if(TARGET win32_tests)
    target_sources(win32_tests PRIVATE ${ORD_MANIFEST_OBJECT})
endif()
add_custom_target(ordelink_resources DEPENDS ${ORD_RES_OBJECT})
set_source_files_properties(${ORD_RES_OBJECT} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)

set(ORD_WIN_LIBS comctl32 comdlg32 shell32 ole32 uuid gdi32 user32 kernel32)

add_library(ordelink_win STATIC ${ORD_WIN_SOURCES} ${ORD_APP_SOURCES})
target_link_libraries(ordelink_win PUBLIC ordelink_core ${ORD_WIN_LIBS})
target_compile_options(ordelink_win PRIVATE ${ORD_WARNINGS})
target_compile_definitions(ordelink_win PUBLIC WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0501)

# The resources go into each program directly: a static library would let the
# linker drop them.
add_executable(Ordelink WIN32 app/Main.cpp ${ORD_RES_OBJECT})
add_dependencies(Ordelink ordelink_resources)
target_link_libraries(Ordelink PRIVATE ordelink_win)
target_compile_options(Ordelink PRIVATE ${ORD_WARNINGS})
# A main-thread stack of 64 MB: the system's tree control frees and walks
# nested nodes recursively, and a damaged bookmark file can nest folders tens
# of thousands deep.
set(ORD_MAIN_STACK -Wl,--stack,0x4000000)
target_link_options(Ordelink PRIVATE -mwindows -static ${ORD_MAIN_STACK})

if(BUILD_TESTING)
    # The contract texts of the resource script, for the Windows-side check.
    set(ORD_EXPECTED_STRINGS ${CMAKE_BINARY_DIR}/tests/expected_strings.inc)
    add_custom_command(OUTPUT ${ORD_EXPECTED_STRINGS}
        COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tests/win32/expected_strings.py
            ${ORD_EXPECTED_STRINGS}
        DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/expected_strings.py
            ${CMAKE_SOURCE_DIR}/tests/res/check_strings.py
        COMMENT "Listing the resource script's contract texts")
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_executable(win32_gui_tests ${ORD_WIN32_GUI_TEST_SOURCES} tests/native/TestSupport.cpp
        ${ORD_RES_OBJECT} ${ORD_EXPECTED_STRINGS})
    target_include_directories(win32_gui_tests PRIVATE ${CMAKE_BINARY_DIR}/tests)
    # Stands in for the browser in the tests of opening URLs.
    add_executable(browser_standin tests/win32/BrowserStandIn.cpp)
    target_compile_options(browser_standin PRIVATE ${ORD_WARNINGS})
    target_link_options(browser_standin PRIVATE -static)
    # Stands in for a browser's DDE service in the tests of GetURL.
    add_executable(dde_server_standin tests/win32/DdeServerStandIn.cpp)
    target_compile_options(dde_server_standin PRIVATE ${ORD_WARNINGS})
    target_link_options(dde_server_standin PRIVATE -static)
    add_dependencies(win32_gui_tests ordelink_resources Ordelink browser_standin
        dde_server_standin)
    target_link_libraries(win32_gui_tests PRIVATE ordelink_win GTest::gtest GTest::gtest_main)
    target_link_options(win32_gui_tests PRIVATE ${ORD_MAIN_STACK})
    target_compile_options(win32_gui_tests PRIVATE ${ORD_WARNINGS})
    # The bookmark import into the window, timed under Wine (not a test).
    add_executable(window_import_bench bench/WindowImportBench.cpp tests/win32/GuiTestSupport.cpp
        tests/win32/ViewTestSupport.cpp tests/native/TestSupport.cpp ${ORD_RES_OBJECT})
    add_dependencies(window_import_bench ordelink_resources)
    target_link_libraries(window_import_bench PRIVATE ordelink_win GTest::gtest)
    target_compile_options(window_import_bench PRIVATE ${ORD_WARNINGS})
    add_executable(window_find_bench bench/WindowFindBench.cpp tests/win32/GuiTestSupport.cpp
        tests/win32/ViewTestSupport.cpp tests/native/TestSupport.cpp ${ORD_RES_OBJECT})
    add_dependencies(window_find_bench ordelink_resources)
    target_link_libraries(window_find_bench PRIVATE ordelink_win GTest::gtest)
    target_compile_options(window_find_bench PRIVATE ${ORD_WARNINGS})
    set_source_files_properties(tests/native/TestSupport.cpp PROPERTIES
        COMPILE_DEFINITIONS ORD_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
    set_source_files_properties(tests/win32/AppProcess.cpp PROPERTIES
        COMPILE_DEFINITIONS ORD_APP_EXE="${CMAKE_BINARY_DIR}/Ordelink.exe")
    set_source_files_properties(tests/win32/SingleInstanceTest.cpp PROPERTIES
        COMPILE_DEFINITIONS ORD_SCREENSHOT_DIR="${CMAKE_SOURCE_DIR}/build/screenshots")
    # Opening, importing into and rebuilding a big tree, timed under Wine.
    add_executable(window_tree_bench bench/WindowTreeBench.cpp tests/win32/GuiTestSupport.cpp
        tests/win32/ViewTestSupport.cpp tests/native/TestSupport.cpp ${ORD_RES_OBJECT})
    add_dependencies(window_tree_bench ordelink_resources Ordelink)
    target_link_libraries(window_tree_bench PRIVATE ordelink_win GTest::gtest)
    target_link_options(window_tree_bench PRIVATE ${ORD_MAIN_STACK})
    target_compile_options(window_tree_bench PRIVATE ${ORD_WARNINGS})
    target_compile_definitions(window_tree_bench PRIVATE
        ORD_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        ORD_APP_EXE="${CMAKE_BINARY_DIR}/Ordelink.exe"
        ORD_SCREENSHOT_DIR="${CMAKE_SOURCE_DIR}/build/screenshots")
    set_source_files_properties(tests/win32/ImportCommandsTest.cpp PROPERTIES
        COMPILE_DEFINITIONS ORD_CORPUS_DIR="${ORD_CORPUS_DIR}")
    add_test(NAME win32_gui_tests COMMAND win32_gui_tests --gtest_brief=1)
    # Real-input window tests wait for states, not times: on a loaded machine
    # the program may take long, so the limit only catches a hang.
    set_tests_properties(win32_gui_tests PROPERTIES TIMEOUT 1200)
endif()
