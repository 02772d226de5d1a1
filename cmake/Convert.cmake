# Imports, exports and the browser reply parsing: portable code over the store,
# its command-line verbs, tests, fuzz targets and benchmark.

# The message and link-page texts come from the resource script at build time,
# so the Windows resources and the portable code share one copy of them.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(ORD_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated/convert)
set(ORD_PROGRAM_STRINGS_INC ${ORD_GENERATED_DIR}/ProgramStrings.inc)
add_custom_command(
    OUTPUT ${ORD_PROGRAM_STRINGS_INC}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORD_GENERATED_DIR}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/rc_strings.py
        ${CMAKE_SOURCE_DIR}/res/Ordelink.rc ${CMAKE_SOURCE_DIR}/res/resource.h
        ${ORD_PROGRAM_STRINGS_INC} 32850-32863 32900-32911
    DEPENDS ${CMAKE_SOURCE_DIR}/scripts/rc_strings.py ${CMAKE_SOURCE_DIR}/res/Ordelink.rc
        ${CMAKE_SOURCE_DIR}/res/resource.h
    COMMENT "Taking the program's strings from res/Ordelink.rc")
set_source_files_properties(convert/ProgramStrings.cpp PROPERTIES
    INCLUDE_DIRECTORIES ${ORD_GENERATED_DIR})

set(ORD_CONVERT_SOURCES
    browser/WindowInfoReply.cpp
    convert/BookmarkCharset.cpp
    convert/BookmarkExport.cpp
    convert/BookmarkImport.cpp
    convert/ClipboardLink.cpp
    convert/FavoritesExport.cpp
    convert/FavoritesImport.cpp
    convert/FavoritesPath.cpp
    convert/HtmlScanner.cpp
    convert/ImportFolder.cpp
    convert/IncomingAddress.cpp
    convert/LinkData.cpp
    convert/LinkPage.cpp
    convert/ProgramStrings.cpp
    convert/UrlFile.cpp
    ${ORD_PROGRAM_STRINGS_INC}
)
if(WIN32)
    list(APPEND ORD_CONVERT_SOURCES convert/DiskDir_win.cpp)
else()
    list(APPEND ORD_CONVERT_SOURCES convert/DiskDir_posix.cpp)
endif()

list(APPEND ORD_CLI_SOURCES cli/ConvertCommands.cpp)

list(APPEND ORD_PORTABLE_TEST_SOURCES
    tests/native/BookmarkExportTest.cpp
    tests/native/BookmarkImportTest.cpp
    tests/native/ConvertCliTest.cpp
    tests/native/CorpusTest.cpp
    tests/native/FavoritesTest.cpp
    tests/native/LinkDataTest.cpp
    tests/native/LinkPageTest.cpp
    tests/native/UrlFileTest.cpp
    tests/native/WindowInfoReplyTest.cpp
)
list(APPEND ORD_NATIVE_ONLY_TEST_SOURCES
    tests/native/ConvertDiskTest.cpp
)
# The real-world files beside the repository, when they are there.
get_filename_component(ORD_CORPUS_DIR ${CMAKE_SOURCE_DIR}/../shared/corpus ABSOLUTE)
set_source_files_properties(tests/native/CorpusTest.cpp PROPERTIES
    COMPILE_DEFINITIONS ORD_CORPUS_DIR="${ORD_CORPUS_DIR}")

list(APPEND ORD_BENCH_SOURCES bench/BookmarkImportBench.cpp)

# libFuzzer targets, built by scripts/fuzz in a tree of their own with clang
# (CMAKE_CXX_FLAGS there carry -fsanitize=fuzzer-no-link,address).
option(ORD_FUZZ "Build the libFuzzer targets" OFF)
if(ORD_FUZZ)
    foreach(target pmk_load bookmark_file url_file window_info_reply link_data)
        add_executable(fuzz_${target} tests/fuzz/${target}_fuzz.cpp)
        target_link_libraries(fuzz_${target} PRIVATE ordelink_core)
        target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer,address)
    endforeach()
endif()
