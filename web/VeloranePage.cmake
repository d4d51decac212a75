# velorane_web_page(target [CONTENT folder [LANGUAGE code]]): make the
# program `target`, linked against the browser layer, one self-contained page,
# dist/<target>.html in the build tree: the shell and scripts of this folder
# around it, its WebAssembly inside, nothing fetched when it opens. Included
# by web/CMakeLists.txt and, installed beside the page's files, by the
# toolkit's package (find_package(Velorane) under Emscripten), so Velorane's
# page and another project's are made the same way.
#
# CONTENT names a folder of what the page says, one JSON file per language
# named by its code (fr.json, en.json, pt-BR.json, ...), each with the same
# keys (web/words.js reads them):
# - "name" (the language's own name, for the language menu) and "dir"
#   ("ltr" or "rtl");
# - the program's: its "title", a sentence "about" it, key buttons "keys"
#   ([{"key", "text", "label"}], under the heading "keysTitle"), the rows of
#   its help ("help": [[keys, what they do]]), the sentences and words that
#   describe its windows to screen readers ("describe", see web/page.h);
# - the page's own, which the layer has in neutral English otherwise:
#   "controls" (the buttons, the language menu, the help on touch) and
#   "messages" (no WebGL, lost context, ended, error, noScript) and "link"
#   (the share panel and the lines of a program whose set-up lives in the
#   address, web/page_setup.h, web/share.js).
# LANGUAGE is the program's own language (that of the texts its windows
# draw), the page's when the browser prefers none of the content's; French
# when not given. Without CONTENT the page has the layer's neutral words, the
# controls every program gets, and the first window's title as its title.
function(velorane_web_page target)
  cmake_parse_arguments(PARSE_ARGV 1 page "" "CONTENT;LANGUAGE" "")
  if(NOT page_LANGUAGE)
    set(page_LANGUAGE fr)
  endif()
  set(shell_lang en)
  set(shell_title "")
  set(shell_noscript "This page needs JavaScript.")
  if(page_CONTENT)
    file(GLOB files CONFIGURE_DEPENDS "${page_CONTENT}/*.json")
    list(SORT files)
    if(NOT EXISTS "${page_CONTENT}/${page_LANGUAGE}.json")
      message(FATAL_ERROR "${page_CONTENT} has no ${page_LANGUAGE}.json, the program's language")
    endif()
    # The program's language first, then the others as their files sort.
    list(REMOVE_ITEM files "${page_CONTENT}/${page_LANGUAGE}.json")
    list(PREPEND files "${page_CONTENT}/${page_LANGUAGE}.json")
    set(languages "")
    set(words "")
    foreach(file IN LISTS files)
      get_filename_component(code "${file}" NAME_WE)
      if(NOT code MATCHES "^[a-z][a-z][a-z]?(-[A-Za-z0-9]+)*$")
        message(FATAL_ERROR "${file}: not named by a language code (fr.json, pt-BR.json)")
      endif()
      file(READ "${file}" json)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
      # Read here, so a file that is no JSON or lacks these fails the build.
      string(JSON name GET "${json}" name)
      string(JSON dir GET "${json}" dir)
      string(REPLACE "\\" "\\\\" name "${name}")
      string(REPLACE "\"" "\\\"" name "${name}")
      if(NOT dir MATCHES "^(ltr|rtl)$")
        message(FATAL_ERROR "${file}: \"dir\" is \"${dir}\", not \"ltr\" or \"rtl\"")
      endif()
      if(code STREQUAL page_LANGUAGE)
        set(shell_lang ${code})
        string(JSON title ERROR_VARIABLE none GET "${json}" title)
        if(NOT none)
          set(shell_title "${title}")
        endif()
        string(JSON noscript ERROR_VARIABLE none GET "${json}" messages noScript)
        if(NOT none)
          set(shell_noscript "${noscript}")
        endif()
      endif()
      # Each file on one line, without the blanks between lines (JSON's
      # strings hold no line break), in the order of the languages.
      string(REGEX REPLACE "[\r\n]+[ \t]*" "" json "${json}")
      string(APPEND languages "[\"${code}\", \"${name}\", \"${dir}\"], ")
      string(APPEND words "${json}\n")
    endforeach()
    # The lines packed with deflate (raw, level 9) and written in base64: a
    # third of their size, as the languages say much the same. The page
    # unpacks them as it opens and parses only the language it speaks.
    set(lines "${CMAKE_CURRENT_BINARY_DIR}/${target}-page-words.txt")
    file(CONFIGURE OUTPUT "${lines}" CONTENT "@words@" @ONLY)
    # Node.js, which Emscripten runs on (its toolchain names it).
    set(node "${NODE_JS_EXECUTABLE}")
    if(NOT node)
      find_program(VELORANE_NODE NAMES node nodejs REQUIRED)
      set(node "${VELORANE_NODE}")
    endif()
    execute_process(COMMAND "${node}" -e
        "const b = require('fs').readFileSync(process.argv[1]); process.stdout.write(\
b.length + ' ' + require('zlib').deflateRawSync(b, { level: 9 }).toString('base64'))"
        "${lines}"
      OUTPUT_VARIABLE packed RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT packed MATCHES "^([0-9]+) ([A-Za-z0-9+/=]+)$")
      message(FATAL_ERROR "the page's words could not be packed with ${node}")
    endif()
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}-page-content.js")
    set(text "var VeloranePageContent = {\n  language: \"${page_LANGUAGE}\",\n")
    string(APPEND text "  languages: [${languages}],\n  size: ${CMAKE_MATCH_1},\n")
    string(APPEND text "  packed: '${CMAKE_MATCH_2}'\n};\n")
    # Written only when it changes (no relink otherwise); the words are not
    # scanned for @ again.
    file(CONFIGURE OUTPUT "${script}" CONTENT "@text@" @ONLY)
    target_link_options(${target} PRIVATE "SHELL:--pre-js ${script}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${script}")
  endif()
  # The shell of this file's folder (in the source tree and installed), with
  # the language, title and no-script line of the program's language.
  foreach(v shell_title shell_noscript)
    string(REPLACE "&" "&amp;" ${v} "${${v}}")
    string(REPLACE "<" "&lt;" ${v} "${${v}}")
    string(REPLACE ">" "&gt;" ${v} "${${v}}")
  endforeach()
  set(shell "${CMAKE_CURRENT_BINARY_DIR}/${target}-shell.html")
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/shell.html "${shell}" @ONLY)
  set_target_properties(${target} PROPERTIES SUFFIX ".html"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${shell})
  target_link_options(${target} PRIVATE
    "SHELL:--shell-file ${shell}"
    -sSINGLE_FILE=1 -sMINIFY_HTML=0 -sENVIRONMENT=web
    -sALLOW_MEMORY_GROWTH=0 -sINITIAL_MEMORY=16777216
    -sEXPORTED_RUNTIME_METHODS=[] -sSTRICT_JS=1)
endfunction()
