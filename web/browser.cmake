# What the browser build (emscripten, through `emcmake cmake --preset web`)
# needs before the libraries: the header-only libraries, and the flags every
# object and every program of it shares.
#
# Emscripten's sysroot hides /usr/include, whose C library headers would clash
# with its own; a folder of links to the three libraries' folders gives it
# those and nothing else. The targets are named as Debian's CMake packages name
# them, so the libraries link them the same way in both builds.
set(GONGSHANG_STAGED_INCLUDE ${PROJECT_BINARY_DIR}/staged-include)
foreach(folder fast_float fmt nlohmann)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run sh scripts/install-deps.sh")
  endif()
  file(MAKE_DIRECTORY ${GONGSHANG_STAGED_INCLUDE})
  file(CREATE_LINK /usr/include/${folder} ${GONGSHANG_STAGED_INCLUDE}/${folder} SYMBOLIC)
endforeach()

add_library(FastFloat::fast_float INTERFACE IMPORTED)
add_library(fmt::fmt-header-only INTERFACE IMPORTED)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
foreach(target FastFloat::fast_float fmt::fmt-header-only nlohmann_json::nlohmann_json)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${GONGSHANG_STAGED_INCLUDE})
endforeach()
set_target_properties(fmt::fmt-header-only PROPERTIES INTERFACE_COMPILE_DEFINITIONS FMT_HEADER_ONLY=1)

# The rules loaders throw and catch; emscripten compiles catching out unless
# told, and a bad rules or case file would then abort the module.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# Link options of every program made for node: one file with the module
# inside (and no fetch of a .wasm beside it, which node 20's fetch cannot do
# for a path), memory that grows with the input, and the shipped rules file
# inside it, where the shipped-rules lookup of a program at /gongshang-web/bin
# finds it (../share/gongshang/regions.json). The page takes the same but the
# one file: it holds the WebAssembly itself (web/assemble.js), to compile it
# once for the form and for its batch worker.
set(GONGSHANG_WEB_PROGRAM "/gongshang-web/bin/gongshang")
set(GONGSHANG_WEB_ENGINE_OPTIONS
    -sALLOW_MEMORY_GROWTH=1
    "SHELL:--embed-file ${PROJECT_SOURCE_DIR}/data/regions.json@/gongshang-web/share/gongshang/regions.json")
set(GONGSHANG_WEB_LINK_OPTIONS -sSINGLE_FILE=1 ${GONGSHANG_WEB_ENGINE_OPTIONS})
