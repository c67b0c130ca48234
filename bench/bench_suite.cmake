# The suite's storage and receivables component at a million rows.
target_link_libraries(bench_suite PRIVATE quva_suite_storage Qt6::Sql)
add_dependencies(bench_suite QUVA_N_CReceber)
target_compile_definitions(bench_suite PRIVATE
  CRECEBER_PATH="$<TARGET_FILE:QUVA_N_CReceber>"
  PG_SCRIPT="${PROJECT_SOURCE_DIR}/scripts/pg-test-server")
