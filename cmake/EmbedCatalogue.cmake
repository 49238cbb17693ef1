# Turns the message catalogue files (data/catalogue/<language id>.txt, UTF-8) into one C++ source
# that holds each file as Windows-1252 bytes. Run as:
#   cmake -DCATALOGUE_DIR=<folder> -DOUTPUT=<file.cpp> -P EmbedCatalogue.cmake
# The texts are parsed by the program itself (core/l10n/catalogue.cpp); this step only converts the
# encoding, so a translator's file reaches the program byte for byte otherwise.

if(NOT CATALOGUE_DIR OR NOT OUTPUT)
  message(FATAL_ERROR "EmbedCatalogue: CATALOGUE_DIR and OUTPUT are required")
endif()

# Characters of Windows-1252 above 0x7F that are not Latin-1: UTF-8 bytes -> code.
set(CP1252_EXTRA
  "e2,82,ac,=80" "e2,80,9a,=82" "c6,92,=83" "e2,80,9e,=84" "e2,80,a6,=85" "e2,80,a0,=86"
  "e2,80,a1,=87" "cb,86,=88" "e2,80,b0,=89" "c5,a0,=8A" "e2,80,b9,=8B" "c5,92,=8C" "c5,bd,=8E"
  "e2,80,98,=91" "e2,80,99,=92" "e2,80,9c,=93" "e2,80,9d,=94" "e2,80,a2,=95" "e2,80,93,=96"
  "e2,80,94,=97" "cb,9c,=98" "e2,84,a2,=99" "c5,a1,=9A" "e2,80,ba,=9B" "c5,93,=9C" "c5,be,=9E"
  "c5,b8,=9F")

set(HEX_DIGITS 0 1 2 3 4 5 6 7 8 9 a b c d e f)
set(HEX_UPPER 0 1 2 3 4 5 6 7 8 9 A B C D E F)

# Converts the lowercase hex text "hh,hh,..." of UTF-8 bytes to Windows-1252. Converted bytes are
# written "XHH," (uppercase, marked) so that no later replacement can match them again; any
# unmarked byte of 0x80 or more left at the end is a character that Windows-1252 cannot hold.
function(utf8_hex_to_cp1252 hex_var file)
  set(hex "${${hex_var}}")
  if(hex MATCHES "^ef,bb,bf,")
    string(SUBSTRING "${hex}" 9 -1 hex)
  endif()
  foreach(pair IN LISTS CP1252_EXTRA)
    string(REPLACE "=" ";" parts "${pair}")
    list(GET parts 0 from)
    list(GET parts 1 to)
    string(REPLACE "${from}" "X${to}," hex "${hex}")
  endforeach()
  # U+00A0..U+00BF: c2 a0..bf -> a0..bf; U+00C0..U+00FF: c3 80..bf -> c0..ff.
  foreach(high 8 9 a b)
    list(FIND HEX_DIGITS ${high} high_index)
    foreach(low IN LISTS HEX_DIGITS)
      list(FIND HEX_DIGITS ${low} low_index)
      list(GET HEX_UPPER ${low_index} low_upper)
      if(high_index GREATER_EQUAL 10)
        list(GET HEX_UPPER ${high_index} high_upper)
        string(REPLACE "c2,${high}${low}," "X${high_upper}${low_upper}," hex "${hex}")
      endif()
      math(EXPR c3_index "${high_index} + 4")
      list(GET HEX_UPPER ${c3_index} c3_high)
      string(REPLACE "c3,${high}${low}," "X${c3_high}${low_upper}," hex "${hex}")
    endforeach()
  endforeach()
  if(hex MATCHES "(^|,)[89a-f][0-9a-f],")
    message(FATAL_ERROR "${file}: a character that Windows-1252 does not have, or bad UTF-8 "
                        "(bytes ${CMAKE_MATCH_0})")
  endif()
  set(${hex_var} "${hex}" PARENT_SCOPE)
endfunction()

file(GLOB catalogue_files "${CATALOGUE_DIR}/[0-9]*.txt")
list(SORT catalogue_files)
set(arrays "")
set(entries "")
foreach(path IN LISTS catalogue_files)
  get_filename_component(language "${path}" NAME_WE)
  if(NOT language MATCHES "^[0-9]+$")
    continue()
  endif()
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\1," hex "${hex}")
  utf8_hex_to_cp1252(hex "${path}")
  string(REPLACE "X" "" hex "${hex}")
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 3")
  string(REGEX REPLACE "([0-9A-Fa-f][0-9A-Fa-f])," "0x\\1," bytes "${hex}")
  # One source line per catalogue line keeps the generated file readable.
  string(REPLACE "0x0a," "0x0a,\n    " bytes "${bytes}")
  string(APPEND arrays "const unsigned char kLanguage${language}[] = {\n    ${bytes}0x00};\n")
  string(APPEND entries "    {${language}, reinterpret_cast<const char*>(kLanguage${language}), ${size}},\n")
endforeach()

set(source "// Generated from data/catalogue by cmake/EmbedCatalogue.cmake: do not edit.
#include \"core/l10n/catalogue_data.h\"

namespace ordalis::l10n {
namespace {
${arrays}}  // namespace

const CatalogueFile kCatalogueFiles[] = {
${entries}};
const std::size_t kCatalogueFileCount = sizeof(kCatalogueFiles) / sizeof(kCatalogueFiles[0]);

}  // namespace ordalis::l10n
")

file(WRITE "${OUTPUT}" "${source}")
