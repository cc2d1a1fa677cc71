# MeCab, the morphological analyser behind the ruby proposals, built as a
# static library from the source of Debian's source package that
# tools/fetch_debian_source.sh unpacks into build/third_party/mecab (every
# tree lies beside that folder, so it is found without being named). The
# same source serves both trees, so the host tests run the code the Windows
# programs run. Its src folder is copied into the build tree and patched
# there (the sources include mecab.h from their own folder, so every one
# must see the patched header); the fetched source stays as it came.
set(QUCAP_MECAB_SOURCE "${CMAKE_BINARY_DIR}/../third_party/mecab" CACHE PATH "MeCab source folder")
if(NOT EXISTS ${QUCAP_MECAB_SOURCE}/src/tagger.cpp)
  message(FATAL_ERROR "MeCab source not found (QUCAP_MECAB_SOURCE=${QUCAP_MECAB_SOURCE}); "
                      "run tools/fetch_debian_source.sh mecab")
endif()

set(QUCAP_MECAB_PATCH ${CMAKE_CURRENT_LIST_DIR}/mecab/static_build.patch)
set(QUCAP_MECAB_PATCHED_FILES src/mecab.h src/libmecab.cpp src/tagger.cpp)   # the files the patch changes
set(QUCAP_MECAB_PATCHED ${CMAKE_BINARY_DIR}/mecab_patched)
set(QUCAP_MECAB_WORK ${CMAKE_BINARY_DIR}/mecab_patch_work)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUCAP_MECAB_PATCH})
# The patch is applied in a folder of its own, and every file reaches the
# compiled copy through configure_file, which leaves a file alone when its
# text is the same: configuring again compiles nothing again.
file(REMOVE_RECURSE ${QUCAP_MECAB_WORK})
foreach(file ${QUCAP_MECAB_PATCHED_FILES})
  configure_file(${QUCAP_MECAB_SOURCE}/${file} ${QUCAP_MECAB_WORK}/${file} COPYONLY)
endforeach()
find_program(QUCAP_PATCH patch REQUIRED)
execute_process(COMMAND ${QUCAP_PATCH} -s -p0 -i ${QUCAP_MECAB_PATCH}
                WORKING_DIRECTORY ${QUCAP_MECAB_WORK} RESULT_VARIABLE QUCAP_MECAB_PATCH_RESULT)
if(NOT QUCAP_MECAB_PATCH_RESULT EQUAL 0)
  message(FATAL_ERROR "cmake/mecab/static_build.patch does not apply to ${QUCAP_MECAB_SOURCE}")
endif()
file(GLOB QUCAP_MECAB_ORIGINALS RELATIVE ${QUCAP_MECAB_SOURCE} ${QUCAP_MECAB_SOURCE}/src/*.h ${QUCAP_MECAB_SOURCE}/src/*.cpp)
foreach(file ${QUCAP_MECAB_ORIGINALS})
  if(file IN_LIST QUCAP_MECAB_PATCHED_FILES)
    configure_file(${QUCAP_MECAB_WORK}/${file} ${QUCAP_MECAB_PATCHED}/${file} COPYONLY)
  else()
    configure_file(${QUCAP_MECAB_SOURCE}/${file} ${QUCAP_MECAB_PATCHED}/${file} COPYONLY)
  endif()
endforeach()

# The library's sources as its own makefile lists them.
set(QUCAP_MECAB_FILES viterbi tagger utils eval iconv_utils dictionary_rewriter dictionary_generator
    dictionary_compiler context_id connector nbest_generator writer string_buffer param tokenizer
    char_property dictionary feature_index lbfgs learner_tagger learner libmecab)
list(TRANSFORM QUCAP_MECAB_FILES PREPEND ${QUCAP_MECAB_PATCHED}/src/)
list(TRANSFORM QUCAP_MECAB_FILES APPEND .cpp)
add_library(qucap_mecab STATIC ${QUCAP_MECAB_FILES})
# config.h is this repository's.
target_include_directories(qucap_mecab PRIVATE ${QUCAP_MECAB_PATCHED}/src ${CMAKE_CURRENT_LIST_DIR}/mecab)
target_include_directories(qucap_mecab SYSTEM INTERFACE ${QUCAP_MECAB_PATCHED}/src)
target_compile_definitions(qucap_mecab PRIVATE HAVE_CONFIG_H DIC_VERSION=102 MECAB_USE_UTF8_ONLY
                           MECAB_DEFAULT_RC="mecabrc" PUBLIC MECAB_STATIC)
# Third-party code: its warnings are not ours, and the C++ it is written in
# predates C++17 (it still declares variables `register`).
target_compile_options(qucap_mecab PRIVATE -w)
set_target_properties(qucap_mecab PROPERTIES CXX_STANDARD 11 CXX_EXTENSIONS OFF)
if(WIN32)
  # Its thread helper spells the calling convention as MSVC does.
  target_compile_definitions(qucap_mecab PRIVATE _stdcall=__stdcall)
else()
  find_package(Threads REQUIRED)
  target_link_libraries(qucap_mecab PUBLIC Threads::Threads)
endif()
