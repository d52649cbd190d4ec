#include "app/screens/frmLoad.h"

#include "common/screens/Widgets.h"
#include "config/Settings.h"
#include "shell/CallerId.h"
#include "shell/SoundCallerIdSource.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

using widgets::label;

QString versionText() {
    return QStringLiteral("Versão %1.%2.%3")
        .arg(BRISKO_VERSION_MAJOR)
        .arg(BRISKO_VERSION_MINOR)
        .arg(BRISKO_VERSION_PATCH);
}

} // namespace

frmLoad::frmLoad(MessageBoxes& messages, const Settings& settings, QWidget* parent)
    : ScreenBase(messages, parent, {ScreenOptions::kDialogRadius, TitleButtonSet::None}),
      m_settings(settings), m_pb1(new QProgressBar(this)),
      m_label2(label(this, QStringLiteral("Label2"), {})), m_timer1(new QTimer(this)) {
    setObjectName(QStringLiteral("frmLoad"));
    setWindowTitle(QCoreApplication::applicationName());
    setFixedSize(460, 260);
    setStyleSheet(QStringLiteral("frmLoad { background: #7a1010; } QLabel { color: white; }"
                                 "QLabel#lblProductName { font-size: 26pt; font-weight: bold; }"));

    auto* logo = label(this, QStringLiteral("imgLogo"), {});
    logo->setPixmap(QPixmap(QStringLiteral(":/images/brisko_48.png")));
    auto* product =
        label(this, QStringLiteral("lblProductName"), QCoreApplication::applicationName());
    auto* version = label(this, QStringLiteral("lblVersion"), versionText());

    auto* header = new QGridLayout;
    header->addWidget(logo, 0, 0, 2, 1);
    header->addWidget(product, 0, 1);
    header->addWidget(version, 1, 1);
    header->setColumnStretch(1, 1);

    auto* facts = new QGridLayout;
    facts->addWidget(label(this, QStringLiteral("lblSoftware"), QStringLiteral("Software")), 0, 0);
    facts->addWidget(label(this, QStringLiteral("lblProprietario"), settings.gNomeProprietario), 0,
                     1);
    facts->addWidget(label(this, QStringLiteral("lblProduto"), QStringLiteral("Produto")), 1, 0);
    facts->addWidget(label(this, QStringLiteral("lblEmpresa"), settings.gNomeEmpresa), 1, 1);
    facts->addWidget(label(this, QStringLiteral("lblPlataforma"), QStringLiteral("Plataforma")), 2,
                     0);
    auto* platform = new QVBoxLayout;
    platform->addWidget(label(this, QStringLiteral("lblWindows"), QStringLiteral("Windows")));
    platform->addWidget(
        label(this, QStringLiteral("lblVersoes"), QStringLiteral("9x/XP/Vista/10")));
    facts->addLayout(platform, 2, 1);
    facts->setColumnStretch(1, 1);

    m_pb1->setObjectName(QStringLiteral("pb1"));
    m_pb1->setRange(0, 100);
    m_pb1->setValue(0);
    m_pb1->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addLayout(header);
    layout->addSpacing(8);
    layout->addLayout(facts);
    layout->addStretch(1);
    layout->addWidget(m_pb1);
    layout->addWidget(m_label2);

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(15);
    connect(m_timer1, &QTimer::timeout, this, &frmLoad::Timer1_Timer);
}

void frmLoad::setDispositivosDeEntrada(const QList<QString>& dispositivos) {
    m_dispositivos = dispositivos;
}

void frmLoad::avisaIdentificacaoChamada() {
    if (m_chamadaVerificada) {
        return;
    }
    m_chamadaVerificada = true;
    if (!m_settings.identificaChamadaAtiva() || !fonteChamadaEhSom(m_settings)) {
        return; // spares the device query when the sound input is not used
    }
    if (!m_dispositivos) {
        m_dispositivos = SoundCallerIdSource::dispositivosDeEntrada();
    }
    if (const auto aviso = verificaIdentificacaoChamada(m_settings, *m_dispositivos)) {
        messages().show(MessageBoxes::Icon::None, QStringLiteral("Brisko"), *aviso);
    }
}

void frmLoad::showEvent(QShowEvent* event) {
    ScreenBase::showEvent(event);
    // Before the bar starts: start-up goes on whatever the answer.
    avisaIdentificacaoChamada();
    if (m_pb1->value() < m_pb1->maximum()) {
        m_timer1->start();
    }
}

void frmLoad::Timer1_Timer() {
    if (m_pb1->value() >= m_pb1->maximum()) {
        return;
    }
    m_pb1->setValue(m_pb1->value() + 1);
    m_label2->setText(QString::number(m_pb1->value()) + QStringLiteral("% Carregando..."));
    if (m_pb1->value() == m_pb1->maximum()) {
        m_timer1->stop();
        Q_EMIT concluido();
        close();
    }
}
