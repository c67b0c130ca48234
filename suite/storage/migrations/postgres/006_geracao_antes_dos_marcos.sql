-- Writers take the generation row before any checkpoint row. Bumped after
-- the statement, it was taken last: a clerk whose installments crossed into
-- a new stretch of 1024 numbers then waited for another clerk, who had just
-- started on that stretch and waited for the first one's due-date count.
DROP TRIGGER contas_geracao ON contas_a_receber;
CREATE TRIGGER contas_geracao BEFORE INSERT OR UPDATE OR DELETE ON contas_a_receber
    FOR EACH STATEMENT EXECUTE FUNCTION contas_geracao();
