# cmake -D BUILD_DIR=... -D PREFIX=... -D SOURCE_DIR=... -D VERSION=... -P check_install.cmake
#
# Installs BUILD_DIR into PREFIX, checks the installed files and runs the installed programs.
# PREFIX is removed before and after; on a failure it stays for a look.
foreach(variable BUILD_DIR PREFIX SOURCE_DIR VERSION)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "check_install.cmake needs -D ${variable}=...")
  endif()
endforeach()

set(desktop_sources ${SOURCE_DIR}/src/assets/desktop)

function(fail text)
  message(FATAL_ERROR "${text}\n(the installed tree stays in ${PREFIX})")
endfunction()

function(expect_file relative source)
  set(installed ${PREFIX}/${relative})
  if(NOT EXISTS ${installed} OR IS_DIRECTORY ${installed})
    fail("missing after install: ${relative}")
  endif()
  if(source)
    file(SHA256 ${installed} got)
    file(SHA256 ${source} want)
    if(NOT got STREQUAL want)
      fail("${relative} differs from ${source}")
    endif()
  endif()
endfunction()

function(expect_executable relative)
  expect_file(${relative} "")
  execute_process(COMMAND test -x ${PREFIX}/${relative} RESULT_VARIABLE not_executable)
  if(not_executable)
    fail("installed but not executable: ${relative}")
  endif()
endfunction()

# Runs an installed program without a display; its standard output must hold `expected`.
function(expect_output relative argument expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                          ${PREFIX}/${relative} ${argument}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status EQUAL 0)
    fail("${relative} ${argument} ended with ${status}:\n${out}${err}")
  endif()
  string(FIND "${out}" "${expected}" at)
  if(at EQUAL -1)
    fail("${relative} ${argument} does not print \"${expected}\":\n${out}")
  endif()
endfunction()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("cmake --install failed (${status}):\n${out}${err}")
endif()

expect_executable(bin/qarn)
expect_executable(bin/qarn-tool)
expect_file(share/applications/qarn.desktop ${desktop_sources}/qarn.desktop)
expect_file(share/mime/packages/qarn-pathset.xml ${desktop_sources}/qarn-pathset.xml)
expect_file(share/icons/hicolor/scalable/apps/qarn.svg ${desktop_sources}/qarn.svg)

# The desktop entry starts the installed editor and names the type the MIME package defines.
file(STRINGS ${PREFIX}/share/applications/qarn.desktop exec_line REGEX "^Exec=")
if(NOT exec_line MATCHES "^Exec=qarn( |$)")
  fail("the desktop entry does not start qarn: ${exec_line}")
endif()
file(STRINGS ${PREFIX}/share/applications/qarn.desktop mime_line REGEX "^MimeType=")
string(REPLACE "\\;" ";" mime_line "${mime_line}")  # file(STRINGS) escapes the separators
file(READ ${PREFIX}/share/mime/packages/qarn-pathset.xml mime_package)
string(REGEX MATCH "mime-type type=\"([^\"]+)\"" found "${mime_package}")
set(mime_type "${CMAKE_MATCH_1}")
if(NOT found OR NOT mime_line MATCHES "[=;]${mime_type};")
  fail("the desktop entry's ${mime_line} lacks the MIME type of the package")
endif()

expect_output(bin/qarn-tool --help render)
expect_output(bin/qarn --version ${VERSION})

file(REMOVE_RECURSE ${PREFIX})
