# The page: build/web/gongshang.html, one file with the page, its stylesheet
# and the engine (the WebAssembly and the shipped rules inside) that opens
# from disk with no network. web/assemble.js puts it together.
set(GONGSHANG_PAGE_EXPORTS
    _malloc _free _gs_result_size _gs_form _gs_statement _gs_report _gs_open_case _gs_save_case
    _gs_file_cap _gs_too_large _gs_load_rules _gs_batch_columns _gs_workbook _gs_batch
    _gs_batch_err _gs_file_name)
list(JOIN GONGSHANG_PAGE_EXPORTS "," GONGSHANG_PAGE_EXPORT_LIST)

add_executable(gongshang-page page_main.cpp)
target_link_libraries(gongshang-page PRIVATE gongshang_page gongshang_casefile gongshang_regions gongshang_batch
  gongshang_jsonfile)
target_compile_definitions(gongshang-page PRIVATE
  GONGSHANG_WEB_PROGRAM="${GONGSHANG_WEB_PROGRAM}")
# A factory (createEngine) rather than a global Module, no eval or
# new Function (the page's CSP forbids them), a browser's or a worker's glue
# only, and the WebAssembly beside it for assemble.js to take.
# -Oz at the link: the module's size, as the page travels by chat, with the
# code still compiled for speed (a keystroke's recomputation stays well under
# 2 ms; bench/web_page.py).
target_link_options(gongshang-page PRIVATE ${GONGSHANG_WEB_ENGINE_OPTIONS} -Oz
  -sENVIRONMENT=web,worker -sMODULARIZE=1 -sEXPORT_NAME=createEngine -sDYNAMIC_EXECUTION=0
  -sEXPORTED_FUNCTIONS=${GONGSHANG_PAGE_EXPORT_LIST})
set_target_properties(gongshang-page PROPERTIES
  OUTPUT_NAME gongshang-engine
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

# The page's scripts, in the order they run, as one script.
set(GONGSHANG_PAGE_SCRIPTS page_engine.js page_text.js page_worker.js page_files.js page_batch.js
    page.js)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/gongshang.html
  COMMAND node ${CMAKE_CURRENT_SOURCE_DIR}/assemble.js ${PROJECT_BINARY_DIR}/gongshang.html
    page.html page.css $<TARGET_FILE:gongshang-page>
    $<TARGET_FILE_DIR:gongshang-page>/gongshang-engine.wasm
    ${PROJECT_SOURCE_DIR}/data/regions.json ${GONGSHANG_PAGE_SCRIPTS}
  WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
  DEPENDS gongshang-page assemble.js page.html page.css ${GONGSHANG_PAGE_SCRIPTS}
    ${PROJECT_SOURCE_DIR}/data/regions.json
  VERBATIM)
add_custom_target(gongshang-html ALL DEPENDS ${PROJECT_BINARY_DIR}/gongshang.html)
