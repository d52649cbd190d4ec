#include "masterdata/screens/CepLookup.h"

#include "common/screens/ErrorRoutine.h"
#include "common/screens/ScreenContext.h"
#include "config/Settings.h"
#include "masterdata/CepAnswerParser.h"
#include "masterdata/CepClient.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>

namespace {

const QString kIncompleto = QStringLiteral("Digite o CEP com 8 Digitos e apenas Números.");
const QString kTitulo = QStringLiteral("Brisko");

void writeText(QLineEdit* box, const QString& value) {
    if (box && !value.isEmpty()) {
        box->setText(value);
    }
}

// The customer screens' lists are editable; a fixed list only takes a value it holds.
void writeText(QComboBox* box, const QString& value) {
    if (!box || value.isEmpty()) {
        return;
    }
    if (box->isEditable()) {
        box->setEditText(value);
    } else if (const int index = box->findText(value, Qt::MatchFixedString); index >= 0) {
        box->setCurrentIndex(index);
    }
}

} // namespace

CepLookup::CepLookup(ScreenContext& context, const CepTarget& target, QObject* parent)
    : QObject(parent),
      m_context(context), m_target{target.cboUF,   target.txtCidade,     target.txtBairro,
                                   target.cboTipo, target.txtLogradouro, target.mskCEP},
      m_timeout(CepClient::kDefaultTimeout) {
    makeClient();
}

CepLookup::~CepLookup() {
    m_pending = false;
    m_client.reset();
    setBusy(false);
}

void CepLookup::makeClient() {
    m_client = std::make_unique<CepClient>(m_context.settings.gServicoCep);
    m_client->setTimeout(m_timeout);
    connect(m_client.get(), &CepClient::finished, this, &CepLookup::answered);
}

bool CepLookup::completo(const QLineEdit& mskCEP) {
    return cepDigits(mskCEP.displayText()).has_value();
}

QString CepLookup::digits(const QLineEdit& mskCEP) {
    return cepDigits(mskCEP.displayText()).value_or(QString());
}

void CepLookup::paintText(QWidget* field, const QColor& colour) {
    if (!field) {
        return;
    }
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    field->setPalette(palette);
}

QColor CepLookup::textColour(const QWidget* field) {
    return field->palette().color(QPalette::Text);
}

bool CepLookup::startFromTarget() {
    if (!m_target.mskCEP || !completo(*m_target.mskCEP)) {
        m_context.messages.show(MessageBoxes::Icon::Warning, kTitulo, kIncompleto);
        return false;
    }
    start(digits(*m_target.mskCEP));
    return true;
}

void CepLookup::start(const QString& digits) {
    m_pending = true;
    setBusy(true);
    m_client->lookup(digits); // abandons a lookup still pending
}

void CepLookup::cancel() {
    if (!m_pending) {
        return;
    }
    m_pending = false;
    // A fresh client aborts the request instead of leaving it running until the time-out.
    m_client.reset();
    makeClient();
    setBusy(false);
}

void CepLookup::setTimeout(std::chrono::milliseconds timeout) {
    m_timeout = timeout;
    m_client->setTimeout(timeout);
}

void CepLookup::answered(const CepResult& result) {
    if (!m_pending) {
        return;
    }
    m_pending = false;
    // Before any message, so the error dialog shows the normal pointer.
    setBusy(false);
    apply(result);
    Q_EMIT finished(result);
}

void CepLookup::apply(const CepResult& result) {
    if (result.isError()) {
        TrataErro(m_context.messages,
                  result.error.value_or(cepError(QStringLiteral("Falha na consulta do CEP."))));
        return;
    }
    writeText(m_target.txtLogradouro, result.logradouro);
    writeText(m_target.cboUF, result.uf.toUpper());
    writeText(m_target.txtCidade, result.cidade);
    writeText(m_target.txtBairro, result.bairro);
    writeText(m_target.cboTipo, result.tipoLogradouro);
    if (result.isCompleto() && m_target.mskCEP) {
        m_target.mskCEP->setText(result.cepFormatado);
        paintText(m_target.mskCEP, kNormalText);
    }
}

void CepLookup::setBusy(bool busy) {
    if (busy == m_busy) {
        return;
    }
    m_busy = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}
