# velorane_web_page(target): make the program `target`, linked against the
# browser layer, one self-contained page, dist/<target>.html in the build
# tree: the shell and scripts of this folder around it, its WebAssembly
# inside, nothing fetched when it opens. Included by web/CMakeLists.txt and,
# installed beside the page's files, by the toolkit's package
# (find_package(Velorane) under Emscripten), so Velorane's page and another
# project's are made the same way.
function(velorane_web_page target)
  # This file's folder holds shell.html, in the source tree and installed.
  set(shell ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/shell.html)
  set_target_properties(${target} PROPERTIES SUFFIX ".html"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/dist
    LINK_DEPENDS ${shell})
  target_link_options(${target} PRIVATE
    "SHELL:--shell-file ${shell}"
    -sSINGLE_FILE=1 -sMINIFY_HTML=0 -sENVIRONMENT=web
    -sALLOW_MEMORY_GROWTH=0 -sINITIAL_MEMORY=16777216
    -sEXPORTED_RUNTIME_METHODS=[] -sSTRICT_JS=1)
endfunction()
