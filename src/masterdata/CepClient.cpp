#include "masterdata/CepClient.h"

#include "masterdata/CepAnswerParser.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {

bool isEightDigits(const QString& digits) {
    return digits.size() == 8 &&
           std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c.isDigit(); });
}

CepResult errorResult(const QString& description) {
    CepResult result;
    result.error = cepError(description);
    return result;
}

} // namespace

CepClient::CepClient(const QString& serviceBase, QObject* parent)
    : QObject(parent), m_serviceBase(serviceBase.trimmed().isEmpty() ? defaultHost() : serviceBase),
      m_network(new QNetworkAccessManager(this)) {}

CepClient::~CepClient() {
    abandonPending();
}

QString CepClient::defaultHost() {
    return QStringLiteral("cep.republicavirtual.com.br");
}

QUrl CepClient::requestUrl(const QString& serviceBase, const QString& digits) {
    QString base = serviceBase.trimmed();
    if (!base.contains(QStringLiteral("://"))) {
        base.prepend(QStringLiteral("http://"));
    }
    if (!base.endsWith(u'/')) {
        base.append(u'/');
    }
    return QUrl(base + QStringLiteral("web_cep.php?cep=") + digits +
                QStringLiteral("&formato=xml"));
}

void CepClient::lookup(const QString& digits) {
    abandonPending();
    const quint64 generation = ++m_generation;
    if (!isEightDigits(digits)) {
        const CepResult result =
            errorResult(QStringLiteral("O CEP deve ter 8 dígitos: \"%1\".").arg(digits));
        // Always asynchronous, so a caller may connect after calling.
        QTimer::singleShot(0, this, [this, result, generation] {
            if (generation == m_generation) {
                deliver(result);
            }
        });
        return;
    }

    QNetworkRequest request(requestUrl(m_serviceBase, digits));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    // Without a bound Qt would keep reading into its own buffer however large the answer.
    reply->setReadBufferSize(kMaxAnswerBytes);
    m_reply = reply;
    m_answer.clear();

    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this,
            [this, reply, digits] { finish(reply, true, digits); });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, digits] { finish(reply, false, digits); });
    const auto oversized = [this, reply, digits] {
        if (!takeArrived(reply)) {
            finish(reply, false, digits);
        }
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, oversized);
    connect(reply, &QNetworkReply::readyRead, this, oversized);
    deadline->start(m_timeout);
}

void CepClient::abandonPending() {
    if (QNetworkReply* reply = m_reply.data()) {
        m_reply.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

bool CepClient::takeArrived(QNetworkReply* reply) {
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (announced.isValid() && announced.toLongLong() > kMaxAnswerBytes) {
        return false;
    }
    m_answer += reply->read(kMaxAnswerBytes + 1 - m_answer.size());
    return m_answer.size() <= kMaxAnswerBytes;
}

void CepClient::finish(QNetworkReply* reply, bool timedOut, const QString& digits) {
    if (reply != m_reply.data()) {
        return;
    }
    m_reply.clear();
    reply->disconnect(this);
    reply->deleteLater();
    const bool complete = takeArrived(reply);
    QByteArray answer = std::exchange(m_answer, QByteArray());

    if (timedOut || !complete) {
        reply->abort();
    }
    if (timedOut) {
        deliver(errorResult(
            QStringLiteral("O serviço de CEP não respondeu em %1 ms.").arg(m_timeout.count())));
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        const QString reason =
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
        deliver(errorResult(QStringLiteral("O serviço de CEP respondeu com o erro HTTP %1.")
                                .arg(reason.isEmpty() ? QString::number(status)
                                                      : QString::number(status) + u' ' + reason)));
        return;
    }
    if (!complete) {
        deliver(errorResult(
            QStringLiteral("A resposta do serviço de CEP passou de %1 KiB e foi descartada.")
                .arg(kMaxAnswerBytes / 1024)));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        deliver(errorResult(
            QStringLiteral("Não foi possível consultar o CEP: %1").arg(reply->errorString())));
        return;
    }
    deliver(parseCepAnswer(answer, digits));
}

void CepClient::deliver(const CepResult& result) {
    Q_EMIT finished(result);
}

CepResult CepClient::lookupAndWait(const QString& digits) {
    CepResult result;
    QEventLoop loop;
    const QMetaObject::Connection connection =
        connect(this, &CepClient::finished, &loop, [&](const CepResult& answer) {
            result = answer;
            loop.quit();
        });
    lookup(digits);
    loop.exec();
    disconnect(connection);
    return result;
}
