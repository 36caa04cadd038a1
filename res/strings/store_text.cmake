# Makes the stored form of one resource text at build time:
#
#   cmake -DMODE=<mode> -DSOURCE=<file> -DOUTPUT=<file> [...] -P store_text.cmake
#
# MODE encipher  (GDICT=<gdict executable>): the source's text, one trailing newline dropped,
#                converted to code page 936 and enciphered under the program's key by
#                `gdict encipher`; written as uppercase hexadecimal.
# MODE convert   (CHARSET=<iconv name>): the source's text, one trailing newline dropped,
#                converted to CHARSET by `iconv`; written as those bytes.
# MODE fill      (VALUES=<folder>, NAMES=<name>,<name>...): SOURCE is a configure template whose
#                @name@ placeholders are replaced by the contents of VALUES/<name>.txt.
#
# Texts pass through variables and execute_process arguments, never a shell, so quotes, dollars,
# semicolons and angle brackets reach the tools unchanged. OUTPUT is rewritten only when its
# content changes, so what is built from it is not rebuilt needlessly. A failing tool stops the
# build with its message.

function(store_text_require)
    foreach(name IN LISTS ARGN)
        if(NOT DEFINED ${name})
            message(FATAL_ERROR "store_text.cmake: ${name} is not set (MODE ${MODE})")
        endif()
    endforeach()
endfunction()

# Puts the source's text, less one trailing newline, into the variable named by out.
function(store_text_read_source out)
    file(READ "${SOURCE}" text)
    string(REGEX REPLACE "\n$" "" text "${text}")
    if(text STREQUAL "")
        message(FATAL_ERROR "store_text.cmake: ${SOURCE} holds no text")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

store_text_require(MODE SOURCE OUTPUT)
set(staged "${OUTPUT}.new")

if(MODE STREQUAL "encipher")
    store_text_require(GDICT)
    store_text_read_source(text)
    execute_process(
        COMMAND "${GDICT}" encipher -- "${text}"
        OUTPUT_VARIABLE stored
        ERROR_VARIABLE error
        RESULT_VARIABLE result
        OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT result EQUAL 0 OR NOT stored MATCHES "^([0-9A-F][0-9A-F])+$")
        message(FATAL_ERROR "store_text.cmake: gdict encipher failed for ${SOURCE}: ${error}")
    endif()
    file(WRITE "${staged}" "${stored}")
elseif(MODE STREQUAL "convert")
    store_text_require(CHARSET)
    store_text_read_source(text)
    file(WRITE "${OUTPUT}.utf8" "${text}")
    execute_process(
        COMMAND iconv -f UTF-8 -t "${CHARSET}" "${OUTPUT}.utf8"
        OUTPUT_FILE "${staged}"
        ERROR_VARIABLE error
        RESULT_VARIABLE result)
    file(REMOVE "${OUTPUT}.utf8")
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "store_text.cmake: iconv to ${CHARSET} failed for ${SOURCE}: ${error}")
    endif()
elseif(MODE STREQUAL "fill")
    store_text_require(VALUES NAMES)
    string(REPLACE "," ";" names "${NAMES}")
    foreach(name IN LISTS names)
        file(READ "${VALUES}/${name}.txt" ${name})
    endforeach()
    configure_file("${SOURCE}" "${staged}" @ONLY)
else()
    message(FATAL_ERROR "store_text.cmake: unknown MODE '${MODE}'")
endif()

file(COPY_FILE "${staged}" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${staged}")
