# Writes the host layer's resource tables from the resource script, so that the host build reads
# the same strings, shortcut keys and icons as the Windows builds.
# Usage: cmake -DRC=<script> -DHEADER=<ids header> -DOUT=<cpp> -P rc_to_host.cmake
cmake_policy(SET CMP0054 NEW)

file(STRINGS "${HEADER}" header_lines)
foreach(line IN LISTS header_lines)
    if(line MATCHES "^#define[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]+([0-9]+)")
        set("id_${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
    endif()
endforeach()

function(resolve name out)
    if(name MATCHES "^[0-9]+$")
        set(${out} "${name}" PARENT_SCOPE)
    elseif(DEFINED "id_${name}")
        set(${out} "${id_${name}}" PARENT_SCOPE)
    else()
        message(FATAL_ERROR "rc_to_host: unknown resource id ${name}")
    endif()
endfunction()

get_filename_component(rc_dir "${RC}" DIRECTORY)
file(STRINGS "${RC}" rc_lines)
set(block "")
set(strings "")
set(accels "")
set(icons "")
set(string_count 0)
set(accel_count 0)
set(icon_count 0)
foreach(line IN LISTS rc_lines)
    string(REGEX REPLACE "^[ \t]+|[ \t]+$" "" line "${line}")
    if(line STREQUAL "" OR line MATCHES "^//" OR line MATCHES "^#" OR line MATCHES "^LANGUAGE ")
        continue()
    endif()
    if(line STREQUAL "STRINGTABLE")
        set(block "strings")
    elseif(line MATCHES "^([A-Za-z0-9_]+)[ \t]+ACCELERATORS$")
        resolve("${CMAKE_MATCH_1}" table)
        set(block "accels")
    elseif(line MATCHES "^([A-Za-z0-9_]+)[ \t]+ICON[ \t]+\"([^\"]+)\"$")
        resolve("${CMAKE_MATCH_1}" id)
        string(APPEND icons "    {${id}, \"${rc_dir}/${CMAKE_MATCH_2}\"},\n")
        math(EXPR icon_count "${icon_count} + 1")
    elseif(line MATCHES "RT_MANIFEST")
        # Only the Windows loader reads the manifest.
    elseif(line STREQUAL "BEGIN")
    elseif(line STREQUAL "END")
        set(block "")
    elseif(block STREQUAL "strings")
        if(NOT line MATCHES "^([A-Za-z0-9_]+),?[ \t]+\"(.*)\"$")
            message(FATAL_ERROR "rc_to_host: cannot read string entry: ${line}")
        endif()
        resolve("${CMAKE_MATCH_1}" id)
        # The script doubles a quote to escape it; C++ wants a backslash.
        string(REPLACE "\"\"" "\\\"" text "${CMAKE_MATCH_2}")
        string(APPEND strings "    {${id}, u\"${text}\"},\n")
        math(EXPR string_count "${string_count} + 1")
    elseif(block STREQUAL "accels")
        if(NOT line MATCHES "^\"(.)\"[ \t]*,[ \t]*([A-Za-z0-9_]+)[ \t]*(,.*)?$")
            message(FATAL_ERROR "rc_to_host: cannot read accelerator entry: ${line}")
        endif()
        set(key "${CMAKE_MATCH_1}")
        resolve("${CMAKE_MATCH_2}" cmd)
        set(flags "${CMAKE_MATCH_3}")
        set(fvirt 0)
        foreach(flag VIRTKEY:1 NOINVERT:2 SHIFT:4 CONTROL:8 ALT:16)
            string(REPLACE ":" ";" pair "${flag}")
            list(GET pair 0 flag_name)
            list(GET pair 1 flag_value)
            if(flags MATCHES "[ ,]${flag_name}([ ,]|$)")
                math(EXPR fvirt "${fvirt} | ${flag_value}")
            endif()
        endforeach()
        string(HEX "${key}" key_hex)
        string(APPEND accels "    {${table}, ${fvirt}, 0x${key_hex}, ${cmd}},\n")
        math(EXPR accel_count "${accel_count} + 1")
    endif()
endforeach()

file(WRITE "${OUT}.tmp" "// Generated from ${RC}; do not edit.
#include \"platform/resources.h\"

namespace host
{

const ResourceString g_resourceStrings[] = {
${strings}    {0, nullptr}};
const size_t g_resourceStringCount = ${string_count};

const ResourceAccel g_resourceAccels[] = {
${accels}    {0, 0, 0, 0}};
const size_t g_resourceAccelCount = ${accel_count};

const ResourceIcon g_resourceIcons[] = {
${icons}    {0, nullptr}};
const size_t g_resourceIconCount = ${icon_count};

} // namespace host
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
