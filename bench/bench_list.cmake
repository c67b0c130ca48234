# The list screen on the real receivables component at a million rows.
target_link_libraries(bench_list PRIVATE QUVA_A_CReceber_teste quva_suite_storage quva_flexgrid quva_qz quva_forms
  Qt6::Widgets Qt6::Sql)
add_dependencies(bench_list QUVA_N_CReceber QUVA_N_ClientAnim QUVA_N_Empresa QUVA_N_SO QUVA_A_MsgErro
  QUVA_A_MsgAcesso QUVA_A_EfeitosDeTela)
