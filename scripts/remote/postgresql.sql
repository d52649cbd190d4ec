-- The online backup's remote tables on PostgreSQL, shared by many businesses.
-- Run once per remote database by its owner:  psql -d <database> -f postgresql.sql
-- Each business logs in with its own login (postgresql-empresa.sql adds one); row-level
-- security lets a login read and write only the rows of the business it is mapped to.
-- Money columns hold integer centavos, as in the program's own database.

SET client_min_messages = warning;

-- Which business each login is; only the owner reads or changes it.
CREATE TABLE IF NOT EXISTS brisko_empresa (
    login name PRIMARY KEY,
    id_empresa integer NOT NULL
);
REVOKE ALL ON brisko_empresa FROM PUBLIC;

-- Several databases of one cluster may run this script: the role is the cluster's.
DO $$
BEGIN
    CREATE ROLE brisko_empresas NOLOGIN;
EXCEPTION WHEN duplicate_object OR unique_violation THEN
    NULL;
END
$$;
GRANT USAGE ON SCHEMA public TO brisko_empresas;

-- The business of the login that opened the session.
CREATE OR REPLACE FUNCTION brisko_empresa_atual() RETURNS integer
    LANGUAGE sql STABLE SECURITY DEFINER SET search_path = public
    AS $$ SELECT id_empresa FROM brisko_empresa WHERE login = session_user $$;
REVOKE ALL ON FUNCTION brisko_empresa_atual() FROM PUBLIC;
GRANT EXECUTE ON FUNCTION brisko_empresa_atual() TO brisko_empresas;

CREATE TABLE IF NOT EXISTS tb_usuario (
    Id_Empresa integer NOT NULL,
    Id integer,
    usu_ID integer,
    usu_Data date,
    usu_Nome text,
    usu_Usuario text,
    usu_Senha text,
    usu_Autoridade integer,
    fl_sincroniza varchar(1)
);
CREATE INDEX IF NOT EXISTS tb_usuario_chave ON tb_usuario (Id_Empresa, usu_ID);
ALTER TABLE tb_usuario ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS por_empresa ON tb_usuario;
CREATE POLICY por_empresa ON tb_usuario TO brisko_empresas
    USING (Id_Empresa = (SELECT brisko_empresa_atual()))
    WITH CHECK (Id_Empresa = (SELECT brisko_empresa_atual()));
GRANT SELECT, INSERT, UPDATE, DELETE ON tb_usuario TO brisko_empresas;

CREATE TABLE IF NOT EXISTS tb_categoria (
    Id_Empresa integer NOT NULL,
    Id integer,
    cat_ID integer,
    cat_Categoria text,
    fl_sincroniza varchar(1)
);
CREATE INDEX IF NOT EXISTS tb_categoria_chave ON tb_categoria (Id_Empresa, cat_ID);
ALTER TABLE tb_categoria ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS por_empresa ON tb_categoria;
CREATE POLICY por_empresa ON tb_categoria TO brisko_empresas
    USING (Id_Empresa = (SELECT brisko_empresa_atual()))
    WITH CHECK (Id_Empresa = (SELECT brisko_empresa_atual()));
GRANT SELECT, INSERT, UPDATE, DELETE ON tb_categoria TO brisko_empresas;

CREATE TABLE IF NOT EXISTS tb_cliente (
    Id_Empresa integer NOT NULL,
    Id integer,
    cli_ID integer,
    cli_Telefone text,
    cli_Nome text,
    cli_RG text,
    cli_Tipo text,
    cli_Logradouro text,
    cli_Numero text,
    cli_Complemento text,
    cli_Bairro text,
    cli_Cidade text,
    cli_UF varchar(2),
    cli_CEP text,
    cli_Data_Nasc date,
    cli_Email text,
    cli_Observacao text,
    fl_sincroniza varchar(1)
);
CREATE INDEX IF NOT EXISTS tb_cliente_chave ON tb_cliente (Id_Empresa, cli_Telefone);
ALTER TABLE tb_cliente ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS por_empresa ON tb_cliente;
CREATE POLICY por_empresa ON tb_cliente TO brisko_empresas
    USING (Id_Empresa = (SELECT brisko_empresa_atual()))
    WITH CHECK (Id_Empresa = (SELECT brisko_empresa_atual()));
GRANT SELECT, INSERT, UPDATE, DELETE ON tb_cliente TO brisko_empresas;

CREATE TABLE IF NOT EXISTS tb_entregador (
    Id_Empresa integer NOT NULL,
    ent_ID integer,
    ent_Telefone text,
    ent_data date,
    ent_Nome text,
    ent_Observacao text,
    fl_sincroniza varchar(1)
);
CREATE INDEX IF NOT EXISTS tb_entregador_chave ON tb_entregador (Id_Empresa, ent_Nome);
ALTER TABLE tb_entregador ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS por_empresa ON tb_entregador;
CREATE POLICY por_empresa ON tb_entregador TO brisko_empresas
    USING (Id_Empresa = (SELECT brisko_empresa_atual()))
    WITH CHECK (Id_Empresa = (SELECT brisko_empresa_atual()));
GRANT SELECT, INSERT, UPDATE, DELETE ON tb_entregador TO brisko_empresas;

CREATE TABLE IF NOT EXISTS tb_item (
    Id_Empresa integer NOT NULL,
    ite_Ono integer,
    ite_Nome varchar(100),
    ite_Quantidade integer,
    ite_Preco bigint,
    ite_Total bigint,
    ite_cat text,
    fl_sincroniza varchar(1)
);
CREATE INDEX IF NOT EXISTS tb_item_chave ON tb_item (Id_Empresa, ite_Ono);
ALTER TABLE tb_item ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS por_empresa ON tb_item;
CREATE POLICY por_empresa ON tb_item TO brisko_empresas
    USING (Id_Empresa = (SELECT brisko_empresa_atual()))
    WITH CHECK (Id_Empresa = (SELECT brisko_empresa_atual()));
GRANT SELECT, INSERT, UPDATE, DELETE ON tb_item TO brisko_empresas;

CREATE TABLE IF NOT EXISTS tb_pedido (
    Id_Empresa integer NOT NULL,
    ped_ono integer,
    ped_usu_id integer,
    ped_data date,
    ped_cli_Telefone text,
    ped_cli_Nome text,
    ped_cli_Tipo text,
    ped_cli_Logradouro text,
    ped_cli_Numero text,
    ped_cli_Complemento text,
    ped_cli_Bairro text,
    ped_cli_Cidade text,
    ped_cli_UF text,
    ped_cli_CEP text,
    ped_cli_Observacao text,
    ped_Forma_Pagamento text,
    ped_Valor_Pago bigint,
    ped_Troco bigint,
    ped_Total bigint,
    ped_Mensagem text,
    ped_Status text,
    ped_Entregador text,
    fl_sincroniza varchar(1)
);
CREATE INDEX IF NOT EXISTS tb_pedido_chave ON tb_pedido (Id_Empresa, ped_ono);
ALTER TABLE tb_pedido ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS por_empresa ON tb_pedido;
CREATE POLICY por_empresa ON tb_pedido TO brisko_empresas
    USING (Id_Empresa = (SELECT brisko_empresa_atual()))
    WITH CHECK (Id_Empresa = (SELECT brisko_empresa_atual()));
GRANT SELECT, INSERT, UPDATE, DELETE ON tb_pedido TO brisko_empresas;

CREATE TABLE IF NOT EXISTS tb_produto (
    Id_Empresa integer NOT NULL,
    Id integer,
    Pro_ID integer,
    pro_Categoria text,
    pro_Produto varchar(100),
    Pro_Preco bigint,
    Pro_Descricao text,
    pro_Fornecedor text,
    pro_Representante text,
    pro_Rep_Telefone text,
    fl_sincroniza varchar(1)
);
CREATE INDEX IF NOT EXISTS tb_produto_chave ON tb_produto (Id_Empresa, Pro_ID);
ALTER TABLE tb_produto ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS por_empresa ON tb_produto;
CREATE POLICY por_empresa ON tb_produto TO brisko_empresas
    USING (Id_Empresa = (SELECT brisko_empresa_atual()))
    WITH CHECK (Id_Empresa = (SELECT brisko_empresa_atual()));
GRANT SELECT, INSERT, UPDATE, DELETE ON tb_produto TO brisko_empresas;
