-- Sale numbers come from a sequence, so clerks adding sales at once never
-- take the same number nor queue for it.

CREATE SEQUENCE contas_numero_da_venda;
SELECT setval('contas_numero_da_venda', COALESCE((SELECT MAX(numero_da_venda) FROM contas_a_receber), 0) + 1, false);
