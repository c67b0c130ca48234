# The print dialog's exports and preview on the real components over 100,000 receivables of each kind.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER_EXPORT REQUIRED IMPORTED_TARGET xlsxwriter)
target_link_libraries(bench_export PRIVATE QUVA_A_CReceber_teste quva_suite_storage quva_datareport quva_forms
  PkgConfig::XLSXWRITER_EXPORT Qt6::Widgets Qt6::Sql)
add_dependencies(bench_export quva_spreadsheet QUVA_N_CReceber QUVA_N_ClientAnim QUVA_N_Empresa QUVA_N_SO
  QUVA_A_MsgErro QUVA_A_MsgAcesso QUVA_A_EfeitosDeTela)
target_compile_definitions(bench_export PRIVATE SPREADSHEET_LIB="$<TARGET_FILE:quva_spreadsheet>")
