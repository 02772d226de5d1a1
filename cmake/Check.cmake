# Link checking and duplicate finding: the portable core with the platform's
# HTTP client, its command-line verbs and tests.

set(ORD_CHECK_SOURCES
    check/CLinkChecker.cpp
    check/CLinkMarks.cpp
    check/LinkSelection.cpp
    check/UrlSyntax.cpp
)
if(WIN32)
    list(APPEND ORD_CHECK_SOURCES check/CWinHttpClient_win.cpp)
    set(ORD_CHECK_LIBS winhttp ws2_32)
else()
    find_package(CURL REQUIRED)
    list(APPEND ORD_CHECK_SOURCES check/CCurlHttpClient.cpp)
    set(ORD_CHECK_LIBS CURL::libcurl)
endif()

list(APPEND ORD_CLI_SOURCES cli/CheckLinksCommand.cpp)

list(APPEND ORD_PORTABLE_TEST_SOURCES
    tests/native/LinkCheckTest.cpp
    tests/native/LoopbackHttpServer.cpp
)

list(APPEND ORD_BENCH_SOURCES bench/LinkCheckBench.cpp tests/native/LoopbackHttpServer.cpp)
