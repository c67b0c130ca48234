-- Position checkpoints: how many receivables each stretch of a list order
-- holds, kept by the writes, so that any page of a selection is found by
-- adding up a few thousand counts and skipping within one stretch only.
-- familia 0: every receivable by number, in stretches of 1024 numbers;
-- 1: open ones by due date; 2: settled ones by settlement date; 3: every
-- receivable by the day of its latest change. Counts that reach 0 stay.
CREATE TABLE marcos_de_posicao (
    familia INTEGER NOT NULL,
    chave TEXT NOT NULL,
    n INTEGER NOT NULL,
    PRIMARY KEY (familia, chave)
) WITHOUT ROWID;

-- Grows with every write that changes what a list page shows: a selection
-- that last saw another value reads its counts and rows again.
CREATE TABLE geracao_das_contas (id INTEGER PRIMARY KEY CHECK (id = 1), geracao INTEGER NOT NULL);
INSERT INTO geracao_das_contas (id, geracao) VALUES (1, 0);

-- The counts as the rows give them, for a fill and a rebuild after a bulk load.
CREATE VIEW marcos_calculados (familia, chave, n) AS
    SELECT 0, printf('%010d', numero_do_lancamento / 1024), COUNT(*) FROM contas_a_receber GROUP BY 2
    UNION ALL
    SELECT 1, data_de_vencimento, COUNT(*) FROM contas_a_receber WHERE data_da_baixa IS NULL GROUP BY 2
    UNION ALL
    SELECT 2, data_da_baixa, COUNT(*) FROM contas_a_receber WHERE data_da_baixa IS NOT NULL GROUP BY 2
    UNION ALL
    SELECT 3, substr(ultima_mudanca, 1, 10), COUNT(*) FROM contas_a_receber GROUP BY 2;
INSERT INTO marcos_de_posicao (familia, chave, n) SELECT familia, chave, n FROM marcos_calculados;

CREATE TRIGGER contas_marcos_ai AFTER INSERT ON contas_a_receber BEGIN
    INSERT INTO marcos_de_posicao (familia, chave, n)
        VALUES (0, printf('%010d', new.numero_do_lancamento / 1024), 1)
        ON CONFLICT (familia, chave) DO UPDATE SET n = n + 1;
    INSERT INTO marcos_de_posicao (familia, chave, n)
        SELECT 1, new.data_de_vencimento, 1 WHERE new.data_da_baixa IS NULL
        ON CONFLICT (familia, chave) DO UPDATE SET n = n + 1;
    INSERT INTO marcos_de_posicao (familia, chave, n)
        SELECT 2, new.data_da_baixa, 1 WHERE new.data_da_baixa IS NOT NULL
        ON CONFLICT (familia, chave) DO UPDATE SET n = n + 1;
    INSERT INTO marcos_de_posicao (familia, chave, n)
        VALUES (3, substr(new.ultima_mudanca, 1, 10), 1)
        ON CONFLICT (familia, chave) DO UPDATE SET n = n + 1;
    UPDATE geracao_das_contas SET geracao = geracao + 1;
END;

CREATE TRIGGER contas_marcos_ad AFTER DELETE ON contas_a_receber BEGIN
    UPDATE marcos_de_posicao SET n = n - 1
        WHERE familia = 0 AND chave = printf('%010d', old.numero_do_lancamento / 1024);
    UPDATE marcos_de_posicao SET n = n - 1
        WHERE familia = 1 AND chave = old.data_de_vencimento AND old.data_da_baixa IS NULL;
    UPDATE marcos_de_posicao SET n = n - 1
        WHERE familia = 2 AND chave = old.data_da_baixa;
    UPDATE marcos_de_posicao SET n = n - 1
        WHERE familia = 3 AND chave = substr(old.ultima_mudanca, 1, 10);
    UPDATE geracao_das_contas SET geracao = geracao + 1;
END;

CREATE TRIGGER contas_marcos_au AFTER UPDATE ON contas_a_receber BEGIN
    UPDATE marcos_de_posicao SET n = n - 1
        WHERE familia = 1 AND chave = old.data_de_vencimento AND old.data_da_baixa IS NULL;
    UPDATE marcos_de_posicao SET n = n - 1
        WHERE familia = 2 AND chave = old.data_da_baixa;
    UPDATE marcos_de_posicao SET n = n - 1
        WHERE familia = 3 AND chave = substr(old.ultima_mudanca, 1, 10);
    INSERT INTO marcos_de_posicao (familia, chave, n)
        SELECT 1, new.data_de_vencimento, 1 WHERE new.data_da_baixa IS NULL
        ON CONFLICT (familia, chave) DO UPDATE SET n = n + 1;
    INSERT INTO marcos_de_posicao (familia, chave, n)
        SELECT 2, new.data_da_baixa, 1 WHERE new.data_da_baixa IS NOT NULL
        ON CONFLICT (familia, chave) DO UPDATE SET n = n + 1;
    INSERT INTO marcos_de_posicao (familia, chave, n)
        VALUES (3, substr(new.ultima_mudanca, 1, 10), 1)
        ON CONFLICT (familia, chave) DO UPDATE SET n = n + 1;
    UPDATE geracao_das_contas SET geracao = geracao + 1;
END;

-- A client's names show on every page of its receivables.
CREATE TRIGGER clientes_geracao_au AFTER UPDATE ON clientes BEGIN
    UPDATE geracao_das_contas SET geracao = geracao + 1;
END;
