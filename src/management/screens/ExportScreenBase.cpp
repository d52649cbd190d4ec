#include "management/screens/ExportScreenBase.h"

#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "management/ExportJob.h"

#include <QCloseEvent>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

ScreenOptions exportOptions() {
    ScreenOptions options;
    options.titleButtons = TitleButtonSet::CloseOnly;
    options.placement = ScreenPlacement::Centred;
    return options;
}

QString registros(qint64 count) {
    return QString::number(count) + QStringLiteral(" Registros");
}

} // namespace

ExportScreenBase::ExportScreenBase(ScreenContext& context, QWidget* parent, ExportKind kind,
                                   const Texts& texts)
    : ScreenBase(context.messages, parent, exportOptions()), m_context(context), m_kind(kind),
      m_texts(texts), m_body(new QVBoxLayout), m_btnExportar(new QPushButton(this)),
      m_pb1(new QProgressBar(this)), m_lblReg(new QLabel(this)) {
    setObjectName(texts.objectName);
    setWindowTitle(texts.title);
    setModal(false);

    auto* title = new QLabel(texts.title, this);
    title->setObjectName(QStringLiteral("lblTitulo"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_btnExportar->setObjectName(QStringLiteral("btnExportar"));
    m_btnExportar->setText(QStringLiteral("&Exportar"));
    m_btnExportar->setDefault(true);
    m_pb1->setObjectName(QStringLiteral("pb1"));
    m_pb1->setRange(0, 100);
    m_pb1->setValue(0);
    m_pb1->setTextVisible(false);
    m_lblReg->setObjectName(QStringLiteral("lblReg"));
    m_lblReg->setMinimumWidth(180);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(title);
    layout->addLayout(m_body);
    layout->addWidget(m_pb1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_lblReg, 1);
    bottom->addWidget(m_btnExportar);
    layout->addLayout(bottom);
    setMinimumWidth(420);

    connect(m_btnExportar, &QPushButton::clicked, this, &ExportScreenBase::ExportaPlanilha);
}

ExportScreenBase::~ExportScreenBase() = default;

bool ExportScreenBase::isExporting() const {
    return m_job && m_job->isRunning();
}

bool ExportScreenBase::acceptPeriod(std::optional<Period>&) {
    return true;
}

void ExportScreenBase::ExportaPlanilha() {
    if (isExporting())
        return;
    std::optional<Period> period;
    if (!acceptPeriod(period))
        return;
    m_pb1->setRange(0, 100);
    m_pb1->setValue(0);
    m_lblReg->clear();
    try {
        if (!exportHasRows(m_context.connections.db(), m_kind)) {
            messages().show(MessageBoxes::Icon::Information, m_texts.emptyCaption,
                            m_texts.emptyText);
            return;
        }
    } catch (const std::exception& e) {
        error(e);
        return;
    }
    m_job = std::make_unique<ExportJob>(m_context.connections.spec(),
                                        ExportRequest{m_kind, AppHome::exportsFolder(), period});
    connect(m_job.get(), &ExportJob::progressed, this, &ExportScreenBase::showProgress);
    connect(m_job.get(), &ExportJob::succeeded, this, &ExportScreenBase::succeeded);
    connect(m_job.get(), &ExportJob::failed, this, &ExportScreenBase::failed);
    setBusy(true);
    m_job->start();
}

void ExportScreenBase::showProgress(qint64 done, qint64 total) {
    m_lblReg->setText(registros(done));
    if (total > 0 && done >= total) {
        // Every row is written; the file is being packed, which shows no count.
        m_pb1->setRange(0, 0);
        return;
    }
    // A progress bar counts in int; a sheet holds fewer rows than that.
    m_pb1->setRange(0, int(std::max<qint64>(total, 1)));
    m_pb1->setValue(int(done));
}

void ExportScreenBase::succeeded(const QString& path, qint64 rows) {
    setBusy(false);
    m_pb1->setRange(0, 1);
    m_pb1->setValue(1);
    m_lblReg->setText(registros(rows));
    messages().show(MessageBoxes::Icon::None, m_texts.doneCaption,
                    QStringLiteral("Arquivo gravado em: ") + QDir::toNativeSeparators(path));
    close();
}

void ExportScreenBase::failed(const QString& description, int number, const QString& source) {
    setBusy(false);
    m_pb1->setRange(0, 100);
    m_pb1->setValue(0);
    error(DbError(number, description, source));
}

void ExportScreenBase::setBusy(bool busy) {
    m_btnExportar->setEnabled(!busy);
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void ExportScreenBase::closeEvent(QCloseEvent* event) {
    // The export finishes first; its file would otherwise be abandoned half written.
    if (isExporting()) {
        event->ignore();
        return;
    }
    ScreenBase::closeEvent(event);
}
