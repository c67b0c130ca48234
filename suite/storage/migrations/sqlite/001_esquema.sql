-- Money columns hold ten-thousandths of a real (the Currency raw value), so
-- sums are exact; dates are ISO texts 'YYYY-MM-DD', stamps 'YYYY-MM-DD HH:MM:SS'.
-- `busca` columns carry the lower-case, accent-free text the writer derives
-- from the searchable fields; the trigram indexes below search it.

CREATE TABLE empresa (
    id INTEGER PRIMARY KEY,
    nome_fantasia TEXT NOT NULL DEFAULT '',
    razao_social TEXT NOT NULL DEFAULT '',
    cnpj TEXT NOT NULL DEFAULT '',
    logradouro TEXT NOT NULL DEFAULT '',
    numero TEXT NOT NULL DEFAULT '',
    complemento TEXT NOT NULL DEFAULT '',
    bairro TEXT NOT NULL DEFAULT '',
    cidade TEXT NOT NULL DEFAULT '',
    uf TEXT NOT NULL DEFAULT '',
    cep TEXT NOT NULL DEFAULT '',
    telefone TEXT NOT NULL DEFAULT '',
    email TEXT NOT NULL DEFAULT ''
);

-- situacao: 1 active, 2 inactive, 3 blocked, 4 deleted.
CREATE TABLE clientes (
    codigo_do_cliente INTEGER PRIMARY KEY,
    apelido_ou_nome_fantasia TEXT NOT NULL DEFAULT '',
    nome_ou_razao_social TEXT NOT NULL,
    situacao INTEGER NOT NULL DEFAULT 1 CHECK (situacao BETWEEN 1 AND 4),
    cpf_cnpj TEXT NOT NULL DEFAULT '',
    logradouro TEXT NOT NULL DEFAULT '',
    numero TEXT NOT NULL DEFAULT '',
    complemento TEXT NOT NULL DEFAULT '',
    bairro TEXT NOT NULL DEFAULT '',
    cidade TEXT NOT NULL DEFAULT '',
    uf TEXT NOT NULL DEFAULT '',
    cep TEXT NOT NULL DEFAULT '',
    telefone TEXT NOT NULL DEFAULT '',
    email TEXT NOT NULL DEFAULT '',
    vip INTEGER NOT NULL DEFAULT 0 CHECK (vip IN (0, 1)),
    categoria_da_curva_abc TEXT NOT NULL DEFAULT '',
    busca TEXT NOT NULL DEFAULT ''
);

CREATE TABLE contas_a_receber (
    numero_do_lancamento INTEGER PRIMARY KEY,
    codigo_do_cliente INTEGER NOT NULL REFERENCES clientes (codigo_do_cliente),
    historico TEXT NOT NULL,
    numero_da_venda INTEGER NOT NULL DEFAULT 0,
    data_da_venda TEXT,
    valor_da_venda INTEGER NOT NULL DEFAULT 0,
    valor_recebido_a_vista INTEGER NOT NULL DEFAULT 0,
    percentual_recebido_a_vista INTEGER NOT NULL DEFAULT 0,
    numero_da_parcela INTEGER NOT NULL DEFAULT 1,
    numero_de_parcelas INTEGER NOT NULL DEFAULT 1,
    numero_de_parcelas_anterior INTEGER NOT NULL DEFAULT 0,
    data_de_vencimento TEXT NOT NULL,
    valor_do_documento INTEGER NOT NULL CHECK (valor_do_documento > 0),
    desconto_abatimento INTEGER NOT NULL DEFAULT 0,
    juros_mora_multa INTEGER NOT NULL DEFAULT 0,
    data_da_baixa TEXT,
    valor_da_baixa INTEGER NOT NULL DEFAULT 0,
    data_e_hora_da_inclusao TEXT NOT NULL,
    usuario_da_inclusao TEXT NOT NULL DEFAULT '',
    data_e_hora_da_alteracao TEXT,
    usuario_da_alteracao TEXT,
    -- the latest of inclusion, alteration and settlement: what "recent" sorts by
    -- grows with every change, so a clerk's write can tell that another got there first
    versao INTEGER NOT NULL DEFAULT 1,
    ultima_mudanca TEXT NOT NULL,
    busca TEXT NOT NULL DEFAULT ''
);

CREATE TABLE baixas (
    id INTEGER PRIMARY KEY,
    numero_do_lancamento INTEGER NOT NULL REFERENCES contas_a_receber (numero_do_lancamento) ON DELETE CASCADE,
    data_da_baixa TEXT NOT NULL,
    valor_da_baixa INTEGER NOT NULL,
    desconto_abatimento INTEGER NOT NULL DEFAULT 0,
    juros_mora_multa INTEGER NOT NULL DEFAULT 0,
    data_e_hora TEXT NOT NULL,
    usuario TEXT NOT NULL DEFAULT ''
);

CREATE INDEX baixas_lancamento ON baixas (numero_do_lancamento);
CREATE INDEX contas_cliente ON contas_a_receber (codigo_do_cliente, numero_do_lancamento);
-- One index per way the list orders a situation; the partial ones stay small
-- and let a count read only the rows of its situation.
CREATE INDEX contas_abertas ON contas_a_receber (data_de_vencimento, numero_do_lancamento)
    WHERE data_da_baixa IS NULL;
CREATE INDEX contas_baixadas ON contas_a_receber (data_da_baixa, numero_do_lancamento)
    WHERE data_da_baixa IS NOT NULL;
CREATE INDEX contas_mudanca ON contas_a_receber (ultima_mudanca, numero_do_lancamento);

CREATE VIRTUAL TABLE contas_busca USING fts5 (
    busca, content = 'contas_a_receber', content_rowid = 'numero_do_lancamento', tokenize = 'trigram');
CREATE TRIGGER contas_busca_ai AFTER INSERT ON contas_a_receber BEGIN
    INSERT INTO contas_busca (rowid, busca) VALUES (new.numero_do_lancamento, new.busca);
END;
CREATE TRIGGER contas_busca_ad AFTER DELETE ON contas_a_receber BEGIN
    INSERT INTO contas_busca (contas_busca, rowid, busca) VALUES ('delete', old.numero_do_lancamento, old.busca);
END;
CREATE TRIGGER contas_busca_au AFTER UPDATE OF busca ON contas_a_receber BEGIN
    INSERT INTO contas_busca (contas_busca, rowid, busca) VALUES ('delete', old.numero_do_lancamento, old.busca);
    INSERT INTO contas_busca (rowid, busca) VALUES (new.numero_do_lancamento, new.busca);
END;

CREATE VIRTUAL TABLE clientes_busca USING fts5 (
    busca, content = 'clientes', content_rowid = 'codigo_do_cliente', tokenize = 'trigram');
CREATE TRIGGER clientes_busca_ai AFTER INSERT ON clientes BEGIN
    INSERT INTO clientes_busca (rowid, busca) VALUES (new.codigo_do_cliente, new.busca);
END;
CREATE TRIGGER clientes_busca_ad AFTER DELETE ON clientes BEGIN
    INSERT INTO clientes_busca (clientes_busca, rowid, busca) VALUES ('delete', old.codigo_do_cliente, old.busca);
END;
CREATE TRIGGER clientes_busca_au AFTER UPDATE OF busca ON clientes BEGIN
    INSERT INTO clientes_busca (clientes_busca, rowid, busca) VALUES ('delete', old.codigo_do_cliente, old.busca);
    INSERT INTO clientes_busca (rowid, busca) VALUES (new.codigo_do_cliente, new.busca);
END;
