# Builds the MSI package of zemra with wixl (Debian package wixl, from msitools):
#   cmake -DVERSION=1.0.0.1 -DFILES=FOLDER -DOUTPUT=zemra-1.0.0.1-win64.msi -P build-msi.cmake
# FILES holds zemra.exe, zemra-convert.exe, README.txt and THIRD-PARTY-NOTICES.txt.
cmake_minimum_required(VERSION 3.25)

foreach(variable VERSION FILES OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "build-msi.cmake needs -D${variable}=...")
  endif()
endforeach()
find_program(WIXL wixl)
if(NOT WIXL)
  message(FATAL_ERROR "wixl not found: install the Debian package wixl")
endif()

# The upgrade code names zemra for good: a package with it replaces an installed one. The product
# code names one version: the same for every build of it, another for every other version.
set(upgradeCode E99260AE-D8F3-431A-89FA-064833A890C7)
string(UUID productCode NAMESPACE ${upgradeCode} NAME "zemra ${VERSION}" TYPE SHA1 UPPER)

# Windows Installer reads major.minor.build (at most 255.255.65535) and ignores a fourth field.
# The first release after this one in its eyes is the next build number.
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)(\\.[0-9]+)?$")
  message(FATAL_ERROR "${VERSION} is no version of the form 1.2.3 or 1.2.3.4")
endif()
math(EXPR nextBuild "${CMAKE_MATCH_3} + 1")
if(CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255 OR nextBuild GREATER 65535)
  message(FATAL_ERROR "${VERSION} is beyond what Windows Installer compares (255.255.65534)")
endif()
set(nextRelease ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${nextBuild})

# wixl finds files by paths relative to the folder it runs in, never by absolute ones.
get_filename_component(icon ${CMAKE_CURRENT_LIST_DIR}/../../app/res/zemra.ico ABSOLUTE)
file(RELATIVE_PATH icon ${FILES} ${icon})
get_filename_component(OUTPUT ${OUTPUT} ABSOLUTE)
execute_process(
  COMMAND ${WIXL} --arch x64 -D Version=${VERSION} -D ProductCode=${productCode}
          -D UpgradeCode=${upgradeCode} -D NextRelease=${nextRelease} -D Files=. -D Icon=${icon}
          -o ${OUTPUT} ${CMAKE_CURRENT_LIST_DIR}/zemra.wxs
  WORKING_DIRECTORY ${FILES} RESULT_VARIABLE result ERROR_VARIABLE messages)
# wixl says "unimplemented" of every shortcut that is not advertised, though it builds it.
string(REGEX REPLACE "[^\n]*: unimplemented\n" "" messages "${messages}")
if(messages)
  message("${messages}")
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "wixl could not build ${OUTPUT}")
endif()
