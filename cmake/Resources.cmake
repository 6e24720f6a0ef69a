# Stages everything the game reads into build/resources: the hand-written files of resources/,
# the font from Debian's EB Garamond package with its licence, and the generated assets.
set(GALESKERRY_FONT_SOURCE /usr/share/fonts/truetype/ebgaramond/EBGaramond12-Italic.ttf)
set(GALESKERRY_FONT_LICENSE /usr/share/doc/fonts-ebgaramond-extra/copyright)
if(NOT EXISTS ${GALESKERRY_FONT_SOURCE})
  message(FATAL_ERROR "${GALESKERRY_FONT_SOURCE} is missing; run scripts/setup.sh")
endif()

file(GLOB_RECURSE GALESKERRY_HANDWRITTEN_RESOURCES CONFIGURE_DEPENDS
     RELATIVE ${CMAKE_SOURCE_DIR}/resources ${CMAKE_SOURCE_DIR}/resources/*)
set(staged_files)
foreach(rel ${GALESKERRY_HANDWRITTEN_RESOURCES})
  set(out ${GALESKERRY_RESOURCE_DIR}/${rel})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/${rel} ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/${rel} VERBATIM)
  list(APPEND staged_files ${out})
endforeach()

set(font_out ${GALESKERRY_RESOURCE_DIR}/fonts/FeFCit2.ttf)
set(font_license_out ${GALESKERRY_RESOURCE_DIR}/fonts/FeFCit2-LICENSE.txt)
add_custom_command(OUTPUT ${font_out} ${font_license_out}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${GALESKERRY_FONT_SOURCE} ${font_out}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${GALESKERRY_FONT_LICENSE} ${font_license_out}
  DEPENDS ${GALESKERRY_FONT_SOURCE} VERBATIM)
list(APPEND staged_files ${font_out} ${font_license_out})

add_custom_target(galeskerry_resources ALL DEPENDS ${staged_files})
if(TARGET galeskerry_assets)
  add_dependencies(galeskerry_resources galeskerry_assets)
endif()
add_dependencies(galeskerry galeskerry_resources)
