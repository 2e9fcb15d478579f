# The page: build/web/gongshang.html, one file with the page, its stylesheet
# and the engine (the WebAssembly and the shipped rules inside) that opens
# from disk with no network. web/assemble.js puts it together.
set(GONGSHANG_PAGE_EXPORTS
    _malloc _free _gs_result_size _gs_form _gs_statement _gs_report _gs_open_case _gs_save_case
    _gs_load_rules _gs_batch _gs_batch_status _gs_batch_err)
list(JOIN GONGSHANG_PAGE_EXPORTS "," GONGSHANG_PAGE_EXPORT_LIST)

add_executable(gongshang-page page_main.cpp)
target_link_libraries(gongshang-page PRIVATE gongshang_page gongshang_regions)
target_compile_definitions(gongshang-page PRIVATE
  GONGSHANG_WEB_PROGRAM="${GONGSHANG_WEB_PROGRAM}")
# A factory (createEngine) rather than a global Module, no eval or
# new Function (the page's CSP forbids them), and a browser's glue only.
target_link_options(gongshang-page PRIVATE ${GONGSHANG_WEB_LINK_OPTIONS}
  -sENVIRONMENT=web -sMODULARIZE=1 -sEXPORT_NAME=createEngine -sDYNAMIC_EXECUTION=0
  -sEXPORTED_FUNCTIONS=${GONGSHANG_PAGE_EXPORT_LIST})
set_target_properties(gongshang-page PROPERTIES
  OUTPUT_NAME gongshang-engine
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

set(GONGSHANG_PAGE_PARTS page.html page.css page.js)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/gongshang.html
  COMMAND node ${CMAKE_CURRENT_SOURCE_DIR}/assemble.js ${GONGSHANG_PAGE_PARTS}
    $<TARGET_FILE:gongshang-page> ${PROJECT_SOURCE_DIR}/data/regions.json
    ${PROJECT_BINARY_DIR}/gongshang.html
  WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
  DEPENDS gongshang-page assemble.js ${GONGSHANG_PAGE_PARTS} ${PROJECT_SOURCE_DIR}/data/regions.json
  VERBATIM)
add_custom_target(gongshang-html ALL DEPENDS ${PROJECT_BINARY_DIR}/gongshang.html)
