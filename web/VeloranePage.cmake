# velorane_web_page(target): make the program `target`, linked against the
# browser layer, one self-contained page, dist/<target>.html in the build
# tree: the shell and scripts of this folder around it, its WebAssembly
# inside, nothing fetched when it opens. Included by web/CMakeLists.txt and,
# installed beside the page's files, by the toolkit's package
# (find_package(Velorane) under Emscripten), so Velorane's page and another
# project's are made the same way.
#
# CONTENT names a JSON file of what the page says about the program, per
# language ("fr", "en"): its "title", a sentence "about" it, key buttons
# "keys" ([{"key", "text", "label"}], under the heading "keysTitle") and the
# rows of its help ("help": [[keys, what they do]]), and the words of its
# share controls and lines ("link", the keys of web/share.js's words), for a
# program with its set-up in the address (web/page_setup.h). The page's own controls
# (modifier toggles, enlarging, saving, full screen, help) come without it.
function(velorane_web_page target)
  cmake_parse_arguments(PARSE_ARGV 1 page "" "CONTENT" "")
  if(page_CONTENT)
    file(READ "${page_CONTENT}" content)
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}-page-content.js")
    file(CONFIGURE OUTPUT "${script}" CONTENT "var VeloranePageContent = @content@;\n" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${page_CONTENT}")
    target_link_options(${target} PRIVATE "SHELL:--pre-js ${script}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${script}")
  endif()
  # This file's folder holds shell.html, in the source tree and installed.
  set(shell ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/shell.html)
  set_target_properties(${target} PROPERTIES SUFFIX ".html"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${shell})
  target_link_options(${target} PRIVATE
    "SHELL:--shell-file ${shell}"
    -sSINGLE_FILE=1 -sMINIFY_HTML=0 -sENVIRONMENT=web
    -sALLOW_MEMORY_GROWTH=0 -sINITIAL_MEMORY=16777216
    -sEXPORTED_RUNTIME_METHODS=[] -sSTRICT_JS=1)
endfunction()
