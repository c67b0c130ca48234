-- Adicionar numbers a new sale after the highest one: without this index
-- that look-up read every receivable.
CREATE INDEX contas_venda ON contas_a_receber (numero_da_venda);
