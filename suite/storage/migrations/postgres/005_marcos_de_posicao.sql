-- Position checkpoints: how many receivables each stretch of a list order
-- holds, kept by the writes, so that any page of a selection is found by
-- adding up a few thousand counts and skipping within one stretch only.
-- familia 0: every receivable by number, in stretches of 1024 numbers;
-- 1: open ones by due date; 2: settled ones by settlement date; 3: every
-- receivable by the day of its latest change. Counts that reach 0 stay.
CREATE TABLE marcos_de_posicao (
    familia SMALLINT NOT NULL,
    chave TEXT NOT NULL,
    n BIGINT NOT NULL,
    PRIMARY KEY (familia, chave)
);

-- Grows with every write that changes what a list page shows: a selection
-- that last saw another value reads its counts and rows again.
CREATE TABLE geracao_das_contas (id INTEGER PRIMARY KEY CHECK (id = 1), geracao BIGINT NOT NULL);
INSERT INTO geracao_das_contas (id, geracao) VALUES (1, 0);

-- The counts as the rows give them, for a fill and a rebuild after a bulk load.
CREATE VIEW marcos_calculados (familia, chave, n) AS
    SELECT 0::smallint, lpad((numero_do_lancamento / 1024)::text, 10, '0'), COUNT(*) FROM contas_a_receber
    GROUP BY 2
    UNION ALL
    SELECT 1::smallint, to_char(data_de_vencimento, 'YYYY-MM-DD'), COUNT(*) FROM contas_a_receber
    WHERE data_da_baixa IS NULL GROUP BY 2
    UNION ALL
    SELECT 2::smallint, to_char(data_da_baixa, 'YYYY-MM-DD'), COUNT(*) FROM contas_a_receber
    WHERE data_da_baixa IS NOT NULL GROUP BY 2
    UNION ALL
    SELECT 3::smallint, to_char(ultima_mudanca, 'YYYY-MM-DD'), COUNT(*) FROM contas_a_receber GROUP BY 2;
INSERT INTO marcos_de_posicao (familia, chave, n) SELECT familia, chave, n FROM marcos_calculados;

CREATE FUNCTION marcos_somar(f SMALLINT, c TEXT, d BIGINT) RETURNS void AS $$
    INSERT INTO marcos_de_posicao (familia, chave, n) VALUES (f, c, d)
    ON CONFLICT (familia, chave) DO UPDATE SET n = marcos_de_posicao.n + d
$$ LANGUAGE sql;

CREATE FUNCTION contas_marcos() RETURNS trigger AS $$
BEGIN
    IF TG_OP <> 'INSERT' THEN
        IF TG_OP = 'DELETE' THEN
            PERFORM marcos_somar(0::smallint, lpad((OLD.numero_do_lancamento / 1024)::text, 10, '0'), -1);
        END IF;
        IF OLD.data_da_baixa IS NULL THEN
            PERFORM marcos_somar(1::smallint, to_char(OLD.data_de_vencimento, 'YYYY-MM-DD'), -1);
        ELSE
            PERFORM marcos_somar(2::smallint, to_char(OLD.data_da_baixa, 'YYYY-MM-DD'), -1);
        END IF;
        PERFORM marcos_somar(3::smallint, to_char(OLD.ultima_mudanca, 'YYYY-MM-DD'), -1);
    END IF;
    IF TG_OP <> 'DELETE' THEN
        IF TG_OP = 'INSERT' THEN
            PERFORM marcos_somar(0::smallint, lpad((NEW.numero_do_lancamento / 1024)::text, 10, '0'), 1);
        END IF;
        IF NEW.data_da_baixa IS NULL THEN
            PERFORM marcos_somar(1::smallint, to_char(NEW.data_de_vencimento, 'YYYY-MM-DD'), 1);
        ELSE
            PERFORM marcos_somar(2::smallint, to_char(NEW.data_da_baixa, 'YYYY-MM-DD'), 1);
        END IF;
        PERFORM marcos_somar(3::smallint, to_char(NEW.ultima_mudanca, 'YYYY-MM-DD'), 1);
    END IF;
    RETURN NULL;
END;
$$ LANGUAGE plpgsql;

CREATE TRIGGER contas_marcos AFTER INSERT OR UPDATE OR DELETE ON contas_a_receber
    FOR EACH ROW EXECUTE FUNCTION contas_marcos();

CREATE FUNCTION contas_geracao() RETURNS trigger AS $$
BEGIN
    UPDATE geracao_das_contas SET geracao = geracao + 1;
    RETURN NULL;
END;
$$ LANGUAGE plpgsql;

-- Once a statement: a bulk write bumps it once. A client's names show on
-- every page of its receivables.
CREATE TRIGGER contas_geracao AFTER INSERT OR UPDATE OR DELETE ON contas_a_receber
    FOR EACH STATEMENT EXECUTE FUNCTION contas_geracao();
CREATE TRIGGER clientes_geracao AFTER UPDATE ON clientes
    FOR EACH STATEMENT EXECUTE FUNCTION contas_geracao();
