# The report engine on the open-receivables design.
target_link_libraries(bench_report PRIVATE QUVA_A_CReceber_teste quva_datareport quva_forms Qt6::Widgets
  Qt6::PrintSupport)
