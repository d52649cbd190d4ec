#include "shell/screens/frmSincroniza.h"

#include "common/screens/ScreenContext.h"
#include "data/Connections.h"
#include "shell/OnlineBackupRun.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Backup OnLine");

template <typename Widget, typename... Args>
Widget* named(QWidget* parent, const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QString processo(int done, int count) {
    return QStringLiteral("Aguarde efetuando backup %1 de %2").arg(done).arg(count);
}

} // namespace

frmSincroniza::frmSincroniza(ScreenContext& context, const OnlineBackupSetup& setup,
                             QWidget* parent)
    : ScreenBase(context.messages, parent,
                 ScreenOptions{.radius = ScreenOptions::kDialogRadius,
                               .titleButtons = TitleButtonSet::None,
                               .placement = ScreenPlacement::Centred}),
      m_run(new OnlineBackupRun(context.connections.spec(), setup, this)) {
    setObjectName(QStringLiteral("frmSincroniza"));
    setWindowTitle(kCaption);
    setModal(true);

    auto* titulo = named<QLabel>(this, "lblTitulo", QStringLiteral("Backup Dados "));
    QFont big = titulo->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    titulo->setFont(big);

    auto* status = named<QGroupBox>(this, "fraStatus", QStringLiteral("Status de Processamento"));
    m_lblProcesso = named<QLabel>(status, "lblProcesso", QStringLiteral("Sincronizando"));
    m_pbProcesso = named<QProgressBar>(status, "pbProcesso");
    m_pbProcesso->setRange(0, 1);
    m_pbProcesso->setValue(0);
    m_pbProcesso->setTextVisible(false);
    m_lblTabela = named<QLabel>(status, "lblTabela", QStringLiteral("Tabela"));
    m_pbTabela = named<QProgressBar>(status, "pbTabela");
    m_pbTabela->setRange(0, 1);
    m_pbTabela->setValue(0);
    m_pbTabela->setFormat(QStringLiteral("%p %"));
    auto* inner = new QVBoxLayout(status);
    inner->addWidget(m_lblProcesso);
    inner->addWidget(m_pbProcesso);
    inner->addWidget(m_lblTabela);
    inner->addWidget(m_pbTabela);

    auto* aviso =
        named<QLabel>(this, "lblAviso",
                      QStringLiteral("Aguardo término do backup. Não interrompa este processo."));
    aviso->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 24);
    layout->addWidget(titulo);
    layout->addWidget(status);
    layout->addWidget(aviso);
    setFixedWidth(420);

    connect(m_run, &OnlineBackupRun::tableStarted, this, &frmSincroniza::tableStarted);
    connect(m_run, &OnlineBackupRun::rowsSent, this, &frmSincroniza::rowsSent);
    connect(m_run, &OnlineBackupRun::finished, this,
            [this](bool ok, const QString& message, qint64) { finished(ok, message); });
}

frmSincroniza::~frmSincroniza() = default;

void frmSincroniza::showEvent(QShowEvent* event) {
    ScreenBase::showEvent(event);
    if (!m_started) {
        m_started = true;
        // Once the window is on the screen.
        QTimer::singleShot(0, this, &frmSincroniza::Form_Activate);
    }
}

void frmSincroniza::Form_Activate() {
    m_running = true;
    m_run->start();
}

void frmSincroniza::tableStarted(int index, int count, const QString& table, qint64 pending) {
    m_lblProcesso->setText(processo(index, count));
    m_pbProcesso->setRange(0, count);
    m_pbProcesso->setValue(index);
    m_lblTabela->setText(table);
    // A table with nothing to send is done at once.
    m_pbTabela->setRange(0, int(std::max<qint64>(pending, 1)));
    m_pbTabela->setValue(pending > 0 ? 0 : 1);
}

void frmSincroniza::rowsSent(qint64 sent, qint64 pending) {
    m_pbTabela->setRange(0, int(std::max<qint64>(pending, 1)));
    m_pbTabela->setValue(int(sent));
}

void frmSincroniza::finished(bool ok, const QString& message) {
    m_running = false;
    m_succeeded = ok;
    if (ok) {
        m_lblProcesso->setText(processo(m_pbProcesso->maximum(), m_pbProcesso->maximum()));
        m_pbProcesso->setValue(m_pbProcesso->maximum());
    } else {
        messages().show(MessageBoxes::Icon::Critical, kCaption, message);
    }
    close();
}

void frmSincroniza::closeEvent(QCloseEvent* event) {
    if (m_running) {
        event->ignore();
        return;
    }
    ScreenBase::closeEvent(event);
}
