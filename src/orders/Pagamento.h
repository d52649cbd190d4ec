#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What the payment screen writes into the order screen: the texts of txtFormaPagamento,
// txtValorPago and txtTroco, and whether the change is shown as negative.
struct Pagamento {
    QString forma;
    QString valorPago;
    QString troco;
    bool trocoNegativo = false;

    bool operator==(const Pagamento&) const = default;
};

// Fore colour of the order screen's change box: red when negative, else a blue.
inline QColor corTroco(bool trocoNegativo) {
    return trocoNegativo ? QColor(255, 0, 0) : QColor(0x3E, 0x39, 0xCE);
}

// One payment method image of the screen.
struct FormaPagamento {
    QString imagem; // object name of the image
    QString texto;  // text written as the method
};

// The cheque and card methods, one click each, in the screen's order; cash first.
const QList<FormaPagamento>& formasPagamento();
inline const QString kDinheiro = QStringLiteral("DINHEIRO");

// The coin and note values, as their images' tags.
const QStringList& valoresNotas();

// Cash: change = paid − total; an empty or non-numeric total counts as 0. Nothing when the
// paid text holds no number.
std::optional<Pagamento> pagamentoDinheiro(const QString& totalTexto, const QString& pagoTexto);

// Cheque, card or another method: paid is the total text as it stands, change "R$ 0,00".
Pagamento pagamentoSemTroco(const QString& forma, const QString& totalTexto);

// txtPagamento after a click on a coin or note image; a non-numeric text counts as 0.
QString somaNota(const QString& pagamentoTexto, const QString& tag);
