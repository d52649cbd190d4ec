#include "app/SampleDataCommand.h"

#include "app/DataGenerator.h"
#include "app/NewHome.h"
#include "config/AppHome.h"
#include "config/DatabaseLocation.h"
#include "config/Settings.h"
#include "data/Database.h"
#include "data/DbError.h"

#include <QDir>
#include <QTextStream>

namespace SampleDataCommand {

namespace {

constexpr quint64 kSeed = 20240615;

qint64 count(Database& db, const char* table) {
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)))
        .toLongLong();
}

QString dayOf(const QVariant& value) {
    return Database::dateFrom(value).toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

int run(const AppHome& home, QTextStream& out, QTextStream& err) {
    try {
        if (!home.exists()) {
            const QString senha = NewHome::senhaFromEnvironment();
            if (senha.isEmpty()) {
                err << "A pasta do Brisko " << QDir::toNativeSeparators(home.root())
                    << " ainda não existe.\nInicie o programa uma vez para definir a senha do "
                       "administrador, ou informe-a em "
                    << NewHome::kSenhaVariable << ".\n";
                return 1;
            }
            NewHome::create(home, senha);
            out << "Pasta do Brisko criada em " << QDir::toNativeSeparators(home.root()) << ".\n";
        }
        const Settings settings = Settings::read(home.iniPath());
        const auto location = DatabaseLocation::resolve(settings.gCaminhoBanco, home.dbFolder());
        if (!location) {
            err << "Não foi possivel localizar a base de dados.\n"
                   "Entre em contato com o Administrador do sistema.\n";
            return 1;
        }
        const auto db = Database::open(location->spec, Database::OpenMode::ExistingOnly);
        if (!DataGenerator(*db, kSeed, false).generate(DataGenerator::Profile::sample())) {
            err << "A base de dados já contém dados: os dados de exemplo só são gravados numa "
                   "base vazia.\nNada foi alterado.\n";
            return kRecusado;
        }
        QSqlQuery range =
            db->exec(QStringLiteral("SELECT MIN(ped_data), MAX(ped_data) FROM TB_Pedido"));
        range.next();
        out << "Dados de exemplo gravados: " << count(*db, "TB_Categoria") << " categorias, "
            << count(*db, "TB_Produto") << " produtos, " << count(*db, "TB_Cliente")
            << " clientes, " << count(*db, "TB_Entregador") << " entregadores, "
            << count(*db, "TB_Usuario") << " usuários e " << count(*db, "TB_Pedido")
            << " pedidos de " << dayOf(range.value(0)) << " a " << dayOf(range.value(1))
            << ".\nUsuários " << DataGenerator::kSampleUsers.join(QStringLiteral(", "))
            << ", senha " << DataGenerator::kSamplePassword << ".\n";
        return 0;
    } catch (const DbError& e) {
        err << "Erro na base de dados: " << e.description() << '\n';
    } catch (const std::exception& e) {
        err << QString::fromUtf8(e.what()) << '\n';
    }
    return 1;
}

} // namespace SampleDataCommand
