# pugixml for the Windows tree, built from the source of Debian's source
# package that tools/fetch_debian_source.sh unpacks (QUCAP_PUGIXML_SOURCE);
# the host tree takes Debian's libpugixml-dev instead. The same target name
# serves both trees.
if(NOT QUCAP_PUGIXML_SOURCE OR NOT EXISTS ${QUCAP_PUGIXML_SOURCE}/src/pugixml.cpp)
  message(FATAL_ERROR "pugixml source not found (QUCAP_PUGIXML_SOURCE=${QUCAP_PUGIXML_SOURCE}); "
                      "run tools/fetch_debian_source.sh pugixml and pass its folder")
endif()
add_library(qucap_pugixml STATIC ${QUCAP_PUGIXML_SOURCE}/src/pugixml.cpp)
target_include_directories(qucap_pugixml SYSTEM PUBLIC ${QUCAP_PUGIXML_SOURCE}/src)
add_library(pugixml::pugixml ALIAS qucap_pugixml)
