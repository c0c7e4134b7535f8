# Installs the build into PREFIX and checks what lands there. Run with
# -D BUILD_DIR=... -D PREFIX=... -D PROGRAM_FOLDER=... -D SOURCE_DIR=...
# -D CTY_DAT=... -D QTBASE_JA=... (the toolkit translation, when found)

cmake_minimum_required(VERSION 3.25)

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

function(expect_equal what actual expected)
  if(NOT actual STREQUAL expected)
    fail("${what}:\n  got      ${actual}\n  expected ${expected}")
  endif()
endfunction()

# Every file and link under `folder`, relative to it, sorted.
function(list_tree folder out)
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${folder}" "${folder}/*")
  list(SORT found)
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  fail("cmake --install failed (${status}):\n${output}")
endif()

set(programs kavrel tessdal morrick)
set(data_files CabHeader.dat CateBand.lst CateMode.lst CateOp.lst CatePwr.lst CateStn.lst
  Contest.lst Cty.dat Tovek.are)
set(icon_sizes 16 22 24 32 48 64 128 256)

# The program folder: programs, data files and icons, and nothing else (no
# settings file of a build that was run, no test program).
set(program_dir "${PREFIX}/${PROGRAM_FOLDER}")
list_tree("${program_dir}" actual)
set(expected ${programs} tovek ${data_files})
foreach(program IN LISTS programs)
  list(APPEND expected icons/${program}.png icons/${program}.svg)
endforeach()
if(QTBASE_JA)
  list(APPEND expected translations/qtbase_ja.qm)
endif()
list(SORT expected)
expect_equal("program folder ${program_dir}" "${actual}" "${expected}")

# The data files are those the programs read in the build's program folder.
foreach(name IN LISTS data_files)
  if(name STREQUAL "Cty.dat")
    set(source "${CTY_DAT}")
  else()
    set(source "${SOURCE_DIR}/data/${name}")
  endif()
  file(SHA256 "${source}" want)
  file(SHA256 "${program_dir}/${name}" got)
  expect_equal("${name}" "${got}" "${want}")
endforeach()

# Links in bin, pointing into the program folder.
foreach(program IN LISTS programs ITEMS tovek)
  set(link "${PREFIX}/bin/${program}")
  if(NOT IS_SYMLINK "${link}")
    fail("no link ${link}")
  endif()
  file(REAL_PATH "${link}" resolved)
  file(REAL_PATH "${program_dir}/${program}" want)
  expect_equal("${link}" "${resolved}" "${want}")
endforeach()

# The installed tovek, started through its link, finds Cty.dat in its folder.
execute_process(COMMAND "${PREFIX}/bin/tovek" resolve JA1ABC K1ABC/4
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
expect_equal("tovek resolve status (${errors})" "${status}" "0")
expect_equal("tovek resolve output" "${output}" "JA1ABC\tJA\tAS\tJA1\nK1ABC/4\tK\tNA\tK4\n")

# Desktop entries and icons for the menu.
list_tree("${PREFIX}/share" actual)
set(expected)
foreach(program IN LISTS programs)
  list(APPEND expected applications/tovek-${program}.desktop
    icons/hicolor/scalable/apps/tovek-${program}.svg)
  foreach(size IN LISTS icon_sizes)
    list(APPEND expected icons/hicolor/${size}x${size}/apps/tovek-${program}.png)
  endforeach()
endforeach()
list(SORT expected)
expect_equal("share" "${actual}" "${expected}")

set(names_kavrel "Kavrel / Kavrel ログエディタ")
set(names_tessdal "Tessdal / Tessdal 集計")
set(names_morrick "Morrick / Morrick ADIF 変換")
foreach(program IN LISTS programs)
  set(entry "${PREFIX}/share/applications/tovek-${program}.desktop")
  file(STRINGS "${entry}" lines ENCODING UTF-8)
  set(keys)
  foreach(line IN LISTS lines)
    # A key's Japanese form, "Name[ja]", is held as Name_ja.
    if(line MATCHES "^([A-Za-z]+)(\\[ja\\])?=(.*)$")
      set(key "${CMAKE_MATCH_1}")
      if(CMAKE_MATCH_2)
        string(APPEND key "_ja")
      endif()
      list(APPEND keys "${key}")
      set(value_${key} "${CMAKE_MATCH_3}")
    endif()
  endforeach()
  list(GET lines 0 group)
  expect_equal("${entry} group" "${group}" "[Desktop Entry]")
  foreach(key Type Name Name_ja GenericName GenericName_ja Comment Comment_ja Exec Icon
          Categories)
    if(NOT key IN_LIST keys OR value_${key} STREQUAL "")
      fail("${entry}: no ${key}")
    endif()
  endforeach()
  expect_equal("${entry} Type" "${value_Type}" "Application")
  expect_equal("${entry} Icon" "${value_Icon}" "tovek-${program}")
  # Exec is the program's absolute path as one quoted argument.
  expect_equal("${entry} Exec" "${value_Exec}" "\"${program_dir}/${program}\"")
  expect_equal("${entry} names" "${value_Name} / ${value_Name_ja}" "${names_${program}}")
endforeach()
