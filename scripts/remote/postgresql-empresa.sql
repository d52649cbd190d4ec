-- Adds a business to the remote database: its own login, mapped to its identifier (setting 14
-- of that business's Configuracao.ini). Run by the database's owner:
--   psql -d <database> -v login=pizzaria_centro -v senha='a long secret' -v empresa=2 \
--        -f postgresql-empresa.sql
CREATE ROLE :"login" LOGIN PASSWORD :'senha' IN ROLE brisko_empresas;
INSERT INTO brisko_empresa (login, id_empresa) VALUES (:'login', :empresa);
