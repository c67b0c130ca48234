-- Money columns hold ten-thousandths of a real (the Currency raw value), so
-- sums are exact and both databases store the same numbers. `busca` columns
-- carry the lower-case, accent-free text the writer derives from the
-- searchable fields; trigram indexes make substring searches on it fast.

CREATE EXTENSION IF NOT EXISTS pg_trgm;

CREATE TABLE empresa (
    id BIGSERIAL PRIMARY KEY,
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
    codigo_do_cliente BIGSERIAL PRIMARY KEY,
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
    numero_do_lancamento BIGSERIAL PRIMARY KEY,
    codigo_do_cliente BIGINT NOT NULL REFERENCES clientes (codigo_do_cliente),
    historico TEXT NOT NULL,
    numero_da_venda BIGINT NOT NULL DEFAULT 0,
    data_da_venda DATE,
    valor_da_venda BIGINT NOT NULL DEFAULT 0,
    valor_recebido_a_vista BIGINT NOT NULL DEFAULT 0,
    percentual_recebido_a_vista BIGINT NOT NULL DEFAULT 0,
    numero_da_parcela INTEGER NOT NULL DEFAULT 1,
    numero_de_parcelas INTEGER NOT NULL DEFAULT 1,
    numero_de_parcelas_anterior INTEGER NOT NULL DEFAULT 0,
    data_de_vencimento DATE NOT NULL,
    valor_do_documento BIGINT NOT NULL CHECK (valor_do_documento > 0),
    desconto_abatimento BIGINT NOT NULL DEFAULT 0,
    juros_mora_multa BIGINT NOT NULL DEFAULT 0,
    data_da_baixa DATE,
    valor_da_baixa BIGINT NOT NULL DEFAULT 0,
    data_e_hora_da_inclusao TIMESTAMP(0) NOT NULL,
    usuario_da_inclusao TEXT NOT NULL DEFAULT '',
    data_e_hora_da_alteracao TIMESTAMP(0),
    usuario_da_alteracao TEXT,
    -- the latest of inclusion, alteration and settlement: what "recent" sorts by
    -- grows with every change, so a clerk's write can tell that another got there first
    versao INTEGER NOT NULL DEFAULT 1,
    ultima_mudanca TIMESTAMP(0) NOT NULL,
    busca TEXT NOT NULL DEFAULT ''
);

CREATE TABLE baixas (
    id BIGSERIAL PRIMARY KEY,
    numero_do_lancamento BIGINT NOT NULL REFERENCES contas_a_receber (numero_do_lancamento) ON DELETE CASCADE,
    data_da_baixa DATE NOT NULL,
    valor_da_baixa BIGINT NOT NULL,
    desconto_abatimento BIGINT NOT NULL DEFAULT 0,
    juros_mora_multa BIGINT NOT NULL DEFAULT 0,
    data_e_hora TIMESTAMP(0) NOT NULL,
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
CREATE INDEX contas_busca ON contas_a_receber USING gin (busca gin_trgm_ops);
CREATE INDEX clientes_busca ON clientes USING gin (busca gin_trgm_ops);
