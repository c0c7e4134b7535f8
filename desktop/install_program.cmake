# Run by `cmake --install` for one program: links the program into the
# prefix's bin folder and, for a windowed program, writes its desktop entry
# with the program's installed path (known only now: --prefix may change it).
#
# Set by the caller: program (file name), program_folder (relative to the
# prefix), template (the desktop entry's, or empty for none).

set(prefix "${CMAKE_INSTALL_PREFIX}")
set(program_path "${prefix}/${program_folder}/${program}")

# A link in bin starts the program from a shell; the program still finds its
# data files, since it looks beside its own resolved path.
set(link "$ENV{DESTDIR}${prefix}/bin/${program}")
file(RELATIVE_PATH target "${prefix}/bin" "${program_path}")
message(STATUS "Installing: ${link} -> ${target}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${prefix}/bin")
file(REMOVE "${link}")
file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")

if(template)
  # Exec takes the path as one quoted argument. Inside quotes ", `, $ and \
  # take a backslash, and the file's own string rule doubles every backslash
  # again; "%" starts a field code and is written "%%".
  set(quoted "${program_path}")
  string(REPLACE "\\" "\\\\\\\\" quoted "${quoted}")
  string(REPLACE "\"" "\\\\\"" quoted "${quoted}")
  string(REPLACE "`" "\\\\`" quoted "${quoted}")
  string(REPLACE "$" "\\\\$" quoted "${quoted}")
  string(REPLACE "%" "%%" quoted "${quoted}")
  set(exec "\"${quoted}\"")

  set(entry "$ENV{DESTDIR}${prefix}/share/applications/tovek-${program}.desktop")
  message(STATUS "Installing: ${entry}")
  configure_file("${template}" "${entry}" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
endif()
