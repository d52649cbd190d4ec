-- The online backup's remote tables on Microsoft SQL Server (2016 or later), shared by many
-- businesses. Run once per remote database by its owner, e.g.
--   sqlcmd -S <server> -d <database> -i sqlserver.sql
-- Each business logs in with its own login, mapped to its identifier in brisko_empresa; the
-- security policy lets a login read and write only the rows of its own business.
-- Money columns hold integer centavos, as in the program's own database.

IF OBJECT_ID(N'dbo.brisko_empresa', N'U') IS NULL
    CREATE TABLE dbo.brisko_empresa (
        login SYSNAME NOT NULL PRIMARY KEY,
        id_empresa INT NOT NULL
    );
GO
IF DATABASE_PRINCIPAL_ID(N'brisko_empresas') IS NULL
    CREATE ROLE brisko_empresas;
GO

IF OBJECT_ID(N'dbo.tb_usuario', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.tb_usuario (
        Id_Empresa INT NOT NULL,
        Id INT NULL,
        usu_ID INT NULL,
        usu_Data DATE NULL,
        usu_Nome NVARCHAR(MAX) NULL,
        usu_Usuario NVARCHAR(MAX) NULL,
        usu_Senha NVARCHAR(MAX) NULL,
        usu_Autoridade INT NULL,
        fl_sincroniza NVARCHAR(1) NULL
    );
    CREATE INDEX tb_usuario_chave ON dbo.tb_usuario (Id_Empresa, usu_ID);
END
GO
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.tb_usuario TO brisko_empresas;
GO

IF OBJECT_ID(N'dbo.tb_categoria', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.tb_categoria (
        Id_Empresa INT NOT NULL,
        Id INT NULL,
        cat_ID INT NULL,
        cat_Categoria NVARCHAR(MAX) NULL,
        fl_sincroniza NVARCHAR(1) NULL
    );
    CREATE INDEX tb_categoria_chave ON dbo.tb_categoria (Id_Empresa, cat_ID);
END
GO
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.tb_categoria TO brisko_empresas;
GO

IF OBJECT_ID(N'dbo.tb_cliente', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.tb_cliente (
        Id_Empresa INT NOT NULL,
        Id INT NULL,
        cli_ID INT NULL,
        cli_Telefone NVARCHAR(255) NULL,
        cli_Nome NVARCHAR(MAX) NULL,
        cli_RG NVARCHAR(MAX) NULL,
        cli_Tipo NVARCHAR(MAX) NULL,
        cli_Logradouro NVARCHAR(MAX) NULL,
        cli_Numero NVARCHAR(MAX) NULL,
        cli_Complemento NVARCHAR(MAX) NULL,
        cli_Bairro NVARCHAR(MAX) NULL,
        cli_Cidade NVARCHAR(MAX) NULL,
        cli_UF NVARCHAR(2) NULL,
        cli_CEP NVARCHAR(MAX) NULL,
        cli_Data_Nasc DATE NULL,
        cli_Email NVARCHAR(MAX) NULL,
        cli_Observacao NVARCHAR(MAX) NULL,
        fl_sincroniza NVARCHAR(1) NULL
    );
    CREATE INDEX tb_cliente_chave ON dbo.tb_cliente (Id_Empresa, cli_Telefone);
END
GO
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.tb_cliente TO brisko_empresas;
GO

IF OBJECT_ID(N'dbo.tb_entregador', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.tb_entregador (
        Id_Empresa INT NOT NULL,
        ent_ID INT NULL,
        ent_Telefone NVARCHAR(MAX) NULL,
        ent_data DATE NULL,
        ent_Nome NVARCHAR(255) NULL,
        ent_Observacao NVARCHAR(MAX) NULL,
        fl_sincroniza NVARCHAR(1) NULL
    );
    CREATE INDEX tb_entregador_chave ON dbo.tb_entregador (Id_Empresa, ent_Nome);
END
GO
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.tb_entregador TO brisko_empresas;
GO

IF OBJECT_ID(N'dbo.tb_item', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.tb_item (
        Id_Empresa INT NOT NULL,
        ite_Ono INT NULL,
        ite_Nome NVARCHAR(100) NULL,
        ite_Quantidade INT NULL,
        ite_Preco BIGINT NULL,
        ite_Total BIGINT NULL,
        ite_cat NVARCHAR(MAX) NULL,
        fl_sincroniza NVARCHAR(1) NULL
    );
    CREATE INDEX tb_item_chave ON dbo.tb_item (Id_Empresa, ite_Ono);
END
GO
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.tb_item TO brisko_empresas;
GO

IF OBJECT_ID(N'dbo.tb_pedido', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.tb_pedido (
        Id_Empresa INT NOT NULL,
        ped_ono INT NULL,
        ped_usu_id INT NULL,
        ped_data DATE NULL,
        ped_cli_Telefone NVARCHAR(MAX) NULL,
        ped_cli_Nome NVARCHAR(MAX) NULL,
        ped_cli_Tipo NVARCHAR(MAX) NULL,
        ped_cli_Logradouro NVARCHAR(MAX) NULL,
        ped_cli_Numero NVARCHAR(MAX) NULL,
        ped_cli_Complemento NVARCHAR(MAX) NULL,
        ped_cli_Bairro NVARCHAR(MAX) NULL,
        ped_cli_Cidade NVARCHAR(MAX) NULL,
        ped_cli_UF NVARCHAR(MAX) NULL,
        ped_cli_CEP NVARCHAR(MAX) NULL,
        ped_cli_Observacao NVARCHAR(MAX) NULL,
        ped_Forma_Pagamento NVARCHAR(MAX) NULL,
        ped_Valor_Pago BIGINT NULL,
        ped_Troco BIGINT NULL,
        ped_Total BIGINT NULL,
        ped_Mensagem NVARCHAR(MAX) NULL,
        ped_Status NVARCHAR(MAX) NULL,
        ped_Entregador NVARCHAR(MAX) NULL,
        fl_sincroniza NVARCHAR(1) NULL
    );
    CREATE INDEX tb_pedido_chave ON dbo.tb_pedido (Id_Empresa, ped_ono);
END
GO
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.tb_pedido TO brisko_empresas;
GO

IF OBJECT_ID(N'dbo.tb_produto', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.tb_produto (
        Id_Empresa INT NOT NULL,
        Id INT NULL,
        Pro_ID INT NULL,
        pro_Categoria NVARCHAR(MAX) NULL,
        pro_Produto NVARCHAR(100) NULL,
        Pro_Preco BIGINT NULL,
        Pro_Descricao NVARCHAR(MAX) NULL,
        pro_Fornecedor NVARCHAR(MAX) NULL,
        pro_Representante NVARCHAR(MAX) NULL,
        pro_Rep_Telefone NVARCHAR(MAX) NULL,
        fl_sincroniza NVARCHAR(1) NULL
    );
    CREATE INDEX tb_produto_chave ON dbo.tb_produto (Id_Empresa, Pro_ID);
END
GO
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.tb_produto TO brisko_empresas;
GO

-- The business of the login of the session.
CREATE OR ALTER FUNCTION dbo.brisko_da_empresa(@Id_Empresa INT)
    RETURNS TABLE WITH SCHEMABINDING
AS RETURN
    SELECT 1 AS permitido FROM dbo.brisko_empresa
    WHERE login = SUSER_SNAME() AND id_empresa = @Id_Empresa;
GO
IF EXISTS (SELECT 1 FROM sys.security_policies WHERE name = N'brisko_por_empresa')
    DROP SECURITY POLICY dbo.brisko_por_empresa;
GO
CREATE SECURITY POLICY dbo.brisko_por_empresa
    ADD FILTER PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_usuario,
    ADD BLOCK PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_usuario,
    ADD FILTER PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_categoria,
    ADD BLOCK PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_categoria,
    ADD FILTER PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_cliente,
    ADD BLOCK PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_cliente,
    ADD FILTER PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_entregador,
    ADD BLOCK PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_entregador,
    ADD FILTER PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_item,
    ADD BLOCK PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_item,
    ADD FILTER PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_pedido,
    ADD BLOCK PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_pedido,
    ADD FILTER PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_produto,
    ADD BLOCK PREDICATE dbo.brisko_da_empresa(Id_Empresa) ON dbo.tb_produto
    WITH (STATE = ON);
GO
