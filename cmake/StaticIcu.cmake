# ICU linked into a program, with its data cut down to what the program asks of it: the
# code page 932 converter and the table of converter names (155 KB instead of 31 MB).
#
# tinsora-cli is started once per page by scripts and editors. With ICU and the C++ library
# linked into it, nothing is looked up across shared libraries when it starts, which halves
# its start-up. The window keeps the shared ICU: Qt loads it anyway.
#
# Defines the target tinsora_icu_static; a target that sets the property TINSORA_OWN_ICU
# links it in place of the shared library (see the core's link in the top CMakeLists.txt).

find_file(TINSORA_ICU_UC_ARCHIVE libicuuc.a PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE})
find_file(TINSORA_ICU_DATA_ARCHIVE libicudata.a PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE})
find_program(TINSORA_ICUPKG icupkg PATHS /usr/sbin)
find_program(TINSORA_GENCCODE genccode PATHS /usr/sbin)
foreach(need TINSORA_ICU_UC_ARCHIVE TINSORA_ICU_DATA_ARCHIVE TINSORA_ICUPKG TINSORA_GENCCODE)
  if(NOT ${need})
    message(FATAL_ERROR "${need} not found: install libicu-dev and icu-devtools "
                        "(scripts/install-deps), or configure with -DTINSORA_STATIC_CLI=OFF")
  endif()
endforeach()

enable_language(ASM)
string(REGEX MATCH "^[0-9]+" icu_major "${ICU_VERSION}")
set(icu_name "icudt${icu_major}l") # the data package of a little-endian machine
set(icu_dir "${CMAKE_CURRENT_BINARY_DIR}/icu-data")
set(icu_items cnvalias.icu ibm-943_P15A-2003.cnv) # "windows-31j" is ibm-943_P15A-2003
string(REPLACE ";" "\n" icu_list "${icu_items}")
file(CONFIGURE OUTPUT "${icu_dir}/items.txt" CONTENT "${icu_list}\n") # written when it changes

# The archive holds the whole package as one symbol's bytes: taken out, its two items are put
# in a package of their own, written back as the same symbol.
add_custom_command(
  OUTPUT "${icu_dir}/${icu_name}_dat.S"
  COMMAND "${CMAKE_COMMAND}" -E rm -rf full items "${icu_name}.dat"
  COMMAND "${CMAKE_COMMAND}" -E make_directory full items
  COMMAND "${CMAKE_COMMAND}" -E chdir full "${CMAKE_AR}" x "${TINSORA_ICU_DATA_ARCHIVE}"
  COMMAND "${CMAKE_OBJCOPY}" -O binary -j .rodata "full/${icu_name}_dat.o" "full/${icu_name}.dat"
  COMMAND "${TINSORA_ICUPKG}" -x items.txt -d items "full/${icu_name}.dat"
  COMMAND "${TINSORA_ICUPKG}" -tl new "${icu_name}.dat"
  COMMAND "${TINSORA_ICUPKG}" -a items.txt -s items "${icu_name}.dat"
  COMMAND "${TINSORA_GENCCODE}" -q -e "icudt${icu_major}" -a gcc --skip-dll-export -d .
          "${icu_name}.dat"
  COMMAND "${CMAKE_COMMAND}" -E rm -rf full
  WORKING_DIRECTORY "${icu_dir}"
  DEPENDS "${TINSORA_ICU_DATA_ARCHIVE}" "${icu_dir}/items.txt"
  COMMENT "Cutting ICU's data down to the code page 932 converter"
  VERBATIM)

# The data goes in as an object of the program (an archive member would not be taken: nothing
# asks for its symbol before ICU's archive does).
add_library(tinsora_icu_static INTERFACE)
target_sources(tinsora_icu_static INTERFACE "${icu_dir}/${icu_name}_dat.S")
target_link_libraries(tinsora_icu_static INTERFACE "${TINSORA_ICU_UC_ARCHIVE}")
target_link_options(tinsora_icu_static INTERFACE -static-libstdc++ -static-libgcc)
