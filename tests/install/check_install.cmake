# cmake -D BUILD_DIR=... -D PREFIX=... -D SOURCE_DIR=... -D VERSION=... -D APP_ID=...
#       -D ICON_SIZES=16;24;... -P check_install.cmake
#
# Installs BUILD_DIR into PREFIX, checks every installed file, runs the installed programs (their
# --help and --version without a display), validates the desktop files where the validators are
# installed, makes a thumbnail as a file manager does and checks the manual pages against the
# programs' help. PREFIX is removed before and after; on a failure it stays for a look.
foreach(variable BUILD_DIR PREFIX SOURCE_DIR VERSION APP_ID ICON_SIZES)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "check_install.cmake needs -D ${variable}=...")
  endif()
endforeach()

set(share ${PREFIX}/share)
set(desktop_file ${share}/applications/${APP_ID}.desktop)
set(metainfo ${share}/metainfo/${APP_ID}.metainfo.xml)
set(thumbnailer ${share}/thumbnailers/${APP_ID}.thumbnailer)
set(completion ${share}/bash-completion/completions/qarn-tool)
set(mime_icon application-x-qarn-pathset)

function(fail text)
  message(FATAL_ERROR "${text}\n(the installed tree stays in ${PREFIX})")
endfunction()

function(expect_file path)
  if(NOT EXISTS ${path} OR IS_DIRECTORY ${path})
    fail("missing after install: ${path}")
  endif()
endfunction()

function(expect_executable relative)
  expect_file(${PREFIX}/${relative})
  execute_process(COMMAND test -x ${PREFIX}/${relative} RESULT_VARIABLE not_executable)
  if(not_executable)
    fail("installed but not executable: ${relative}")
  endif()
endfunction()

function(expect_contains text wanted what)
  string(FIND "${text}" "${wanted}" at)
  if(at EQUAL -1)
    fail("${what} lacks \"${wanted}\"")
  endif()
endfunction()

# Runs an installed program with no display at all (no DISPLAY, WAYLAND_DISPLAY or Qt platform);
# it must end with 0 and print `expected`. The output goes to `out_var`.
function(run_without_display out_var expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY
                          --unset=WAYLAND_DISPLAY ${PREFIX}/bin/${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status EQUAL 0)
    fail("${ARGN} ended with ${status} without a display:\n${out}${err}")
  endif()
  expect_contains("${out}" "${expected}" "the output of ${ARGN}")
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

# The width and height in a PNG file's header.
function(png_size file width_var height_var)
  file(READ ${file} signature LIMIT 8 HEX)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    fail("not a PNG file: ${file}")
  endif()
  file(READ ${file} header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING ${header} 0 8 width)
  string(SUBSTRING ${header} 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  set(${width_var} ${width} PARENT_SCOPE)
  set(${height_var} ${height} PARENT_SCOPE)
endfunction()

function(expect_png file size)
  expect_file(${file})
  png_size(${file} width height)
  if(NOT width EQUAL size OR NOT height EQUAL size)
    fail("${file} is ${width} x ${height}, not ${size} x ${size}")
  endif()
endfunction()

# Runs a validator on a file when it is installed; it must succeed and print nothing but what
# `quiet` matches (if given).
function(validate tool file quiet)
  find_program(validator_${tool} ${tool})
  set(validator ${validator_${tool}})
  if(NOT validator)
    message(STATUS "skipped ${tool}: not installed")
    return()
  endif()
  execute_process(COMMAND ${validator} ${ARGN} ${file}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(said "${out}${err}")
  if(quiet)
    string(REGEX REPLACE "${quiet}" "" said "${said}")
  endif()
  string(STRIP "${said}" said)
  if(NOT status EQUAL 0 OR NOT said STREQUAL "")
    fail("${tool} ${ARGN} ${file} (${status}):\n${out}${err}")
  endif()
endfunction()

function(expect_entry file key value)
  file(STRINGS ${file} line REGEX "^${key}=")
  string(REPLACE "\\;" ";" line "${line}")  # file(STRINGS) escapes the separators
  if(NOT line MATCHES "^${key}=${value}")
    fail("${file}: ${key} is not ${value}: ${line}")
  endif()
endfunction()

# Every option (--name) the help texts name is in the manual page and in the completion.
function(expect_documented page_source help)
  string(REGEX MATCHALL "--[a-z][a-z-]+" options "${help}")
  list(REMOVE_DUPLICATES options)
  file(READ ${completion} completion_text)
  foreach(option ${options})
    string(REPLACE "-" "\\-" escaped "${option}")
    expect_contains("${page_source}" "${escaped}" "the manual page (for the help's ${option})")
    if(ARGN)
      expect_contains("${completion_text}" "${option}" "the bash completion")
    endif()
  endforeach()
endfunction()

function(read_gzipped file out_var)
  expect_file(${file})
  execute_process(COMMAND gzip -dc ${file} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    fail("${file} is not gzip data")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

function(check_manual_page page)
  set(file ${share}/man/man1/${page}.1.gz)
  read_gzipped(${file} source)
  find_program(man_program man)
  if(NOT man_program)
    message(STATUS "skipped man --warnings: man is not installed")
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 ${man_program} --warnings -l
                            ${file}
                    OUTPUT_VARIABLE shown ERROR_VARIABLE warnings RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
      fail("man --warnings -l ${file} (${status}):\n${warnings}")
    endif()
  endif()
  set(page_source "${source}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("cmake --install failed (${status}):\n${out}${err}")
endif()

# The programs, the files a desktop reads, the documents.
expect_executable(bin/qarn)
expect_executable(bin/qarn-tool)
foreach(file ${desktop_file} ${metainfo} ${thumbnailer} ${completion}
             ${share}/mime/packages/${APP_ID}.xml ${share}/doc/qarn/copyright
             ${share}/icons/hicolor/scalable/apps/${APP_ID}.svg
             ${share}/icons/hicolor/scalable/mimetypes/${mime_icon}.svg)
  expect_file(${file})
endforeach()
foreach(size ${ICON_SIZES})
  expect_png(${share}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png ${size})
  expect_png(${share}/icons/hicolor/${size}x${size}/mimetypes/${mime_icon}.png ${size})
endforeach()

# The desktop entry starts the installed editor with its icon and names the MIME package's type,
# whose icon is the one installed.
file(READ ${share}/mime/packages/${APP_ID}.xml mime_package)
string(REGEX MATCH "mime-type type=\"([^\"]+)\"" found "${mime_package}")
set(mime_type "${CMAKE_MATCH_1}")
expect_contains("${mime_package}" "<icon name=\"${mime_icon}\"/>" "the MIME package")
expect_entry(${desktop_file} Exec "qarn %f$")
expect_entry(${desktop_file} TryExec "qarn$")
expect_entry(${desktop_file} Icon "${APP_ID}$")
expect_entry(${desktop_file} MimeType "(.*;)?${mime_type};")
validate(desktop-file-validate ${desktop_file} "")
file(READ ${metainfo} metainfo_text)
foreach(wanted "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop<"
               "<mediatype>${mime_type}</mediatype>" "<release version=\"${VERSION}\""
               "<project_license>GPL-3.0-or-later</project_license>")
  expect_contains("${metainfo_text}" "${wanted}" "the metainfo")
endforeach()
validate(appstreamcli ${metainfo} "[^\n]*Validation was successful[^\n]*" validate --pedantic
         --no-net)

# The version and licence, and the help naming the program, with no display.
run_without_display(out "qarn ${VERSION}\n" qarn --version)
expect_contains("${out}" "GPL-3.0-or-later" "qarn --version")
run_without_display(qarn_help "Usage: qarn [options]" qarn --help)
run_without_display(out "qarn-tool ${VERSION}\n" qarn-tool --version)
expect_contains("${out}" "GPL-3.0-or-later" "qarn-tool --version")
run_without_display(tool_help "Usage: qarn-tool " qarn-tool --help)

# A thumbnail as a file manager makes one: the Exec line with %i, %o and %s filled in, run with
# the installed programs on the PATH.
expect_entry(${thumbnailer} MimeType "${mime_type};$")
file(STRINGS ${thumbnailer} exec_line REGEX "^Exec=")
string(REGEX REPLACE "^Exec=" "" command "${exec_line}")
set(thumbnail ${PREFIX}/thumbnail.png)
string(REPLACE "%i" "${SOURCE_DIR}/examples/demo.pathset" command "${command}")
string(REPLACE "%o" "${thumbnail}" command "${command}")
string(REPLACE "%s" "128" command "${command}")
separate_arguments(command UNIX_COMMAND "${command}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY
                        "PATH=${PREFIX}/bin:$ENV{PATH}" ${command}
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("the thumbnailer's ${command} ended with ${status}: ${err}")
endif()
png_size(${thumbnail} width height)
if(width GREATER 128 OR height GREATER 128 OR (NOT width EQUAL 128 AND NOT height EQUAL 128))
  fail("the thumbnail asked for at 128 pixels is ${width} x ${height}")
endif()

# Manual pages without warnings, naming every option of the help; the completion knows them too.
check_manual_page(qarn)
expect_documented("${page_source}" "${qarn_help}")
check_manual_page(qarn-tool)
expect_documented("${page_source}" "${tool_help}" completion)
string(REGEX MATCHALL "\n  [a-z]+  " commands "${tool_help}")
file(READ ${completion} completion_text)
foreach(command ${commands})
  string(STRIP "${command}" command)
  # A paragraph of its own that begins with the command in bold.
  if(NOT page_source MATCHES "\n(\\.BI |\\\\fB)${command}( |\\\\fR)")
    fail("the manual page of qarn-tool lacks the command ${command}")
  endif()
  if(NOT completion_text MATCHES "[\" ]${command}[\" ]")
    fail("the bash completion lacks the command ${command}")
  endif()
  run_without_display(command_help "Usage: qarn-tool ${command}" qarn-tool ${command} --help)
  expect_documented("${page_source}" "${command_help}" completion)
endforeach()

# The Debian changelog's latest entry is this version.
read_gzipped(${share}/doc/qarn/changelog.gz changelog)
if(NOT changelog MATCHES "^qarn \\(${VERSION}\\) ")
  fail("the changelog does not begin with version ${VERSION}")
endif()

file(REMOVE_RECURSE ${PREFIX})
