#include "orders/Reimpressao.h"

#include "common/Money.h"
#include "config/Settings.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "orders/Receipt.h"
#include "orders/ReceiptPrinter.h"

#include <QSqlQuery>

namespace {

QString plain(const QVariant& cents) {
    return cents.isNull() ? QString() : Money::fromCents(cents.toLongLong()).formatPlain();
}

Money money(const QVariant& cents) {
    return Money::fromCents(cents.toLongLong());
}

} // namespace

std::optional<Pedido> pedidoGravado(Database& db, qint64 numero) {
    QSqlQuery h = db.exec(
        QStringLiteral("SELECT p.ped_usu_id, u.usu_Nome, p.ped_data, p.ped_cli_Telefone, "
                       "p.ped_cli_Nome, p.ped_cli_Tipo, p.ped_cli_Logradouro, p.ped_cli_Numero, "
                       "p.ped_cli_Complemento, p.ped_cli_Bairro, p.ped_cli_Cidade, "
                       "p.ped_cli_UF, p.ped_cli_CEP, p.ped_cli_Observacao, "
                       "p.ped_Forma_Pagamento, p.ped_Valor_Pago, p.ped_Troco, p.ped_Total, "
                       "p.ped_Mensagem, p.ped_Status FROM TB_Pedido p LEFT JOIN TB_Usuario u "
                       "ON u.usu_ID = p.ped_usu_id WHERE p.ped_ono = ?"),
        {numero});
    if (!h.next())
        return std::nullopt;
    Pedido p;
    p.numero = numero;
    p.usuId = h.value(0).toLongLong();
    p.usuario = h.value(1).toString();
    p.data = Database::dateFrom(h.value(2));
    p.telefone = h.value(3).toString();
    p.nome = h.value(4).toString();
    p.tipo = h.value(5).toString();
    p.logradouro = h.value(6).toString();
    p.numeroEndereco = h.value(7).toString();
    p.complemento = h.value(8).toString();
    p.bairro = h.value(9).toString();
    p.cidade = h.value(10).toString();
    p.uf = h.value(11).toString();
    p.cep = h.value(12).toString();
    p.observacao = h.value(13).toString();
    p.formaPagamento = h.value(14).toString();
    p.valorPago = plain(h.value(15));
    p.troco = plain(h.value(16));
    p.total = money(h.value(17));
    p.mensagem = h.value(18).toString() + QStringLiteral(" - ") + h.value(19).toString() +
                 QStringLiteral(" -");
    h.finish();

    QSqlQuery i = db.exec(QStringLiteral("SELECT ite_cat, ite_Nome, ite_Quantidade, ite_Preco, "
                                         "ite_Total FROM TB_Item WHERE ite_Ono = ?"),
                          {numero});
    while (i.next())
        p.itens.append({i.value(0).toString(), i.value(1).toString(), i.value(2).toInt(),
                        money(i.value(3)), money(i.value(4))});
    return p;
}

void reimprimePedido(Database& db, const Settings& settings, const QString& appHome, qint64 numero,
                     const QDateTime& agora) {
    const std::optional<Pedido> pedido = pedidoGravado(db, numero);
    if (!pedido)
        throw DbError(DbError::kGeneric, QStringLiteral("Pedido não cadastrado!!!"));
    const ReceiptHeader cabecalho{settings.gImprimeCabecalho, settings.gNomeEmpresa,
                                  settings.gEnderecoEmpresa, settings.gTelefoneEmpresa};
    const QString texto = receiptText(*pedido, cabecalho, agora, ReceiptKind::Reprint);
    ReceiptPrinter(appHome).print(settings.gImpressora,
                                  receiptBytes(texto, settings.gCodificacaoCupom));
}
