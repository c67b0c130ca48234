# excel.application against libxlsxwriter straight.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER_BENCH REQUIRED IMPORTED_TARGET xlsxwriter)
target_link_libraries(bench_spreadsheet PRIVATE PkgConfig::XLSXWRITER_BENCH Qt6::Widgets)
add_dependencies(bench_spreadsheet quva_spreadsheet)
target_compile_definitions(bench_spreadsheet PRIVATE SPREADSHEET_LIB="$<TARGET_FILE:quva_spreadsheet>")
