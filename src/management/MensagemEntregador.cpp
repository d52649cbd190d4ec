#include "management/MensagemEntregador.h"

namespace {

constexpr int kLargura = 48;
constexpr int kPedacos = 3;

class Linhas {
public:
    Linhas& operator<<(const QString& linha) {
        m_texto += linha;
        m_texto += QStringLiteral("\r\n");
        return *this;
    }
    QString texto() const { return m_texto; }

private:
    QString m_texto;
};

} // namespace

QString mensagemEntregador(const MensagemConsulta& m, const QDateTime& agora) {
    const QString iguais(36, QLatin1Char('='));
    const QString tracos(kLargura, QLatin1Char('-'));
    const QString doisEspacos = QStringLiteral("  ");
    Linhas out;
    out << iguais
        << QStringLiteral("Delivery System - Brisko v%1.%2.%3")
               .arg(BRISKO_VERSION_MAJOR)
               .arg(BRISKO_VERSION_MINOR)
               .arg(BRISKO_VERSION_PATCH)
        << iguais;
    out << QStringLiteral("PEDIDO: ") + m.pedido << QStringLiteral("CLIente: ") + m.nome.toUpper()
        << doisEspacos << QStringLiteral("RUA: ") + m.logradouro + QLatin1Char(' ') + m.numero
        << QStringLiteral("COMPL.: ") + m.complemento.toUpper() << doisEspacos
        << QStringLiteral("Tel: ") + m.telefone << tracos;
    for (const MensagemConsulta::Item& item : m.itens)
        out << QStringLiteral("QTD.....:") + item.quantidade
            << QStringLiteral("PRODUTO.: ") + item.produto;
    out << tracos << QStringLiteral("ITEM(S) ") + QString::number(m.itens.size())
        << QStringLiteral("TROCO R$ ") + m.troco << QStringLiteral("TOTAL R$ ") + m.total
        << doisEspacos << QStringLiteral("FORMA DE PAGAMENTO: ") + m.formaPagamento
        << QStringLiteral("RECEBER: R$") + m.valorPago << tracos;
    if (!m.mensagem.isEmpty()) {
        out << QStringLiteral("MENSAGEM");
        for (int i = 0; i < kPedacos; ++i) {
            const QString pedaco = m.mensagem.mid(i * kLargura, kLargura);
            if (!pedaco.isEmpty())
                out << pedaco;
        }
        out << tracos;
    }
    out << QStringLiteral("Gerado às ") + agora.date().toString(QStringLiteral("dd/MM/yyyy")) +
               QStringLiteral(" : ") + agora.time().toString(QStringLiteral("HH:mm:ss"));
    return out.texto();
}
