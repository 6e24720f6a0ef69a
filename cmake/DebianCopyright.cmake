# Writes the package's copyright file in Debian's machine-readable format: the game's own
# licence from LICENSE, and the font's copyright and licence taken from the copyright file of
# the Debian package the font comes from, so that neither text is copied into the repository.

# Turns free text into the continuation lines of a copyright field: each line indented by one
# space, an empty line as " .".
function(galeskerry_copyright_field_text text out_var)
  string(REGEX REPLACE "\n+$" "" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(result "")
  foreach(line IN LISTS lines)
    if(line STREQUAL "")
      string(APPEND result " .\n")
    else()
      string(APPEND result " ${line}\n")
    endif()
  endforeach()
  set(${out_var} "${result}" PARENT_SCOPE)
endfunction()

function(galeskerry_write_copyright output)
  set(license_file ${CMAKE_SOURCE_DIR}/LICENSE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${license_file} ${GALESKERRY_FONT_LICENSE})
  file(READ ${license_file} game_license)
  galeskerry_copyright_field_text("${game_license}" game_license_text)
  string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" game_copyright_line "${game_license}")
  set(game_copyright "${CMAKE_MATCH_1}")

  # The font package's first "Files: *" paragraph holds the upstream font's copyright and its
  # licence with the full text, already in this format.
  file(READ ${GALESKERRY_FONT_LICENSE} font_copyright_file)
  string(REGEX MATCH "\nFiles: \\*\n(Copyright: [^\n]*\nLicense: [^\n]*\n( [^\n]*\n)*)"
         font_paragraph "${font_copyright_file}")
  if(NOT font_paragraph)
    message(FATAL_ERROR "${GALESKERRY_FONT_LICENSE} has no 'Files: *' paragraph to take the "
                        "font's licence from")
  endif()
  set(font_paragraph "${CMAKE_MATCH_1}")

  file(WRITE ${output}
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Galeskerry
Upstream-Contact: ${GALESKERRY_MAINTAINER}
Source: ${GALESKERRY_HOMEPAGE}

Files: *
Copyright: ${game_copyright}
License: MIT

Files: usr/lib/galeskerry/resources/fonts/FeFCit2.ttf
Comment: EB Garamond 12 Italic, from Debian's fonts-ebgaramond-extra
${font_paragraph}
License: MIT
${game_license_text}")
endfunction()
