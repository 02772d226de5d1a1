# Every source list of the build, in one place.

set(ORD_BASE_SOURCES
    fw/base/AfxHooks.cpp
    fw/base/AfxMessages.cpp
    fw/base/CArchive.cpp
    fw/base/CDocument.cpp
    fw/base/CFile.cpp
    fw/base/CFileException.cpp
    fw/base/CodePage.cpp
    fw/base/CString.cpp
    fw/base/CTime.cpp
    fw/base/FilePath.cpp
    fw/base/LegacyText.cpp
    fw/base/CProfileFile.cpp
    fw/base/SearchFold.cpp
)
set(ORD_BASE_POSIX_SOURCES fw/base/Platform_posix.cpp)
set(ORD_BASE_WIN32_SOURCES fw/win/BasePlatform_win.cpp)

set(ORD_STORE_SOURCES
    store/CChangeHistory.cpp
    store/CIdMap.cpp
    store/CItemTable.cpp
    store/COrdelinkDoc.cpp
    store/CUrlItem.cpp
    store/DocumentCheck.cpp
    store/ItemEdits.cpp
)

# Find as you type over the table.
set(ORD_FIND_SOURCES
    find/CFindIndex.cpp
    find/CPlacedTitles.cpp
    find/TreeOrder.cpp
)

# Portable rules of the views and the browser launch.
set(ORD_PORTABLE_VIEW_SOURCES
    browser/BrowserCommandLine.cpp
    browser/OpenTarget.cpp
    views/CommandRules.cpp
    views/CTreeLayout.cpp
)

set(ORD_CLI_SOURCES
    cli/CheckCommand.cpp
    cli/Cli.cpp
    cli/CliSupport.cpp
    cli/Commands.cpp
    cli/DumpCommand.cpp
)

# Tests of the portable code: built natively and for Windows.
set(ORD_PORTABLE_TEST_SOURCES
    tests/native/CArchiveTest.cpp
    tests/native/ChangeHistoryTest.cpp
    tests/native/CliTest.cpp
    tests/native/CodePageTest.cpp
    tests/native/CStringTest.cpp
    tests/native/DocumentFileTest.cpp
    tests/native/DocumentLoadTest.cpp
    tests/native/EditingRulesTest.cpp
    tests/native/FindTest.cpp
    tests/native/ItemTableTest.cpp
    tests/native/OpenTargetTest.cpp
    tests/native/TestSupport.cpp
    tests/native/TreeLayoutTest.cpp
    tests/native/UnicodeTextTest.cpp
)
# Tests that need the native system (sanitizers, resource limits).
set(ORD_NATIVE_ONLY_TEST_SOURCES
    tests/native/SaveFailureTest.cpp
)
set(ORD_WIN32_TEST_SOURCES
    tests/win32/CodePage932Test.cpp
    tests/win32/CommandLineTest.cpp
    tests/win32/SearchFoldWinTest.cpp
)

set(ORD_BENCH_SOURCES
    bench/FindBench.cpp
    bench/StoreBench.cpp
)
