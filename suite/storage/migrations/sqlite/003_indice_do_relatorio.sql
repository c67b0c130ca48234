-- The report of open receivables walks them by due date and shows only these
-- columns: with all of them in the index, it never reads the table's rows.
-- data_da_baixa is there only so that SQLite sees the index as covering.
CREATE INDEX contas_relatorio ON contas_a_receber
    (data_de_vencimento, numero_do_lancamento, codigo_do_cliente, valor_do_documento, historico, data_da_baixa)
    WHERE data_da_baixa IS NULL;
