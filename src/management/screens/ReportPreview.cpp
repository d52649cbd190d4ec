#include "management/screens/ReportPreview.h"

#include "common/Error.h"
#include "common/screens/Widgets.h"
#include "management/ReportRenderer.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 4.0;
constexpr double kZoomStep = 1.25;

} // namespace

// Paints the current page straight from the renderer at the current zoom.
class ReportPageView : public QWidget {
public:
    ReportPageView(const ReportRenderer& renderer, QWidget* parent)
        : QWidget(parent), m_renderer(renderer) {
        setObjectName(QStringLiteral("pagina"));
        resizeToZoom();
    }

    int page() const { return m_page; }
    double zoom() const { return m_zoom; }
    void setPage(int page) {
        m_page = page;
        update();
    }
    void setZoom(double zoom) {
        m_zoom = zoom;
        resizeToZoom();
        update();
    }
    // Device pixels per twip at zoom 1.
    double unit() const { return logicalDpiX() / double(ReportRenderer::kTwipsPerInch); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.scale(unit() * m_zoom, unit() * m_zoom);
        m_renderer.paintPage(painter, m_page);
    }

private:
    void resizeToZoom() {
        const QSize twips = m_renderer.pageSizeTwips();
        setFixedSize(qRound(twips.width() * unit() * m_zoom),
                     qRound(twips.height() * unit() * m_zoom));
    }

    const ReportRenderer& m_renderer;
    int m_page = 0;
    double m_zoom = 1.0;
};

ReportPreview::ReportPreview(MessageBoxes& messages, std::unique_ptr<ReportRenderer> renderer,
                             QWidget* parent)
    : ScreenBase(messages, parent,
                 [] {
                     ScreenOptions options;
                     options.frameless = false;
                     options.titleButtons = TitleButtonSet::None;
                     return options;
                 }()),
      m_renderer(std::move(renderer)) {
    setObjectName(QStringLiteral("frmPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_renderer->layout().caption);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);

    m_first = widgets::button(this, QStringLiteral("btnPrimeira"), QStringLiteral("|<"));
    m_previous = widgets::button(this, QStringLiteral("btnAnterior"), QStringLiteral("<"));
    m_pageLabel = widgets::label(this, QStringLiteral("lblPagina"), QString());
    m_next = widgets::button(this, QStringLiteral("btnProxima"), QStringLiteral(">"));
    m_last = widgets::button(this, QStringLiteral("btnUltima"), QStringLiteral(">|"));
    auto* zoomOut = widgets::button(this, QStringLiteral("btnReduzir"), QStringLiteral("-"));
    auto* zoomIn = widgets::button(this, QStringLiteral("btnAmpliar"), QStringLiteral("+"));
    auto* fit = widgets::button(this, QStringLiteral("btnAjustar"), QStringLiteral("Ajustar"));
    auto* printButton =
        widgets::button(this, QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"));
    auto* pdfButton =
        widgets::button(this, QStringLiteral("btnSalvarPdf"), QStringLiteral("Salvar PDF"));
    m_first->setToolTip(QStringLiteral("Primeira página (Home)"));
    m_previous->setToolTip(QStringLiteral("Página anterior (PgUp)"));
    m_next->setToolTip(QStringLiteral("Próxima página (PgDn)"));
    m_last->setToolTip(QStringLiteral("Última página (End)"));
    zoomOut->setToolTip(QStringLiteral("Reduzir (Ctrl -)"));
    zoomIn->setToolTip(QStringLiteral("Ampliar (Ctrl +)"));
    fit->setToolTip(QStringLiteral("Ajustar à largura (Ctrl 0)"));

    auto* bar = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_first, m_previous, m_pageLabel, m_next,
                                                      m_last, zoomOut, zoomIn, fit})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(printButton);
    bar->addWidget(pdfButton);

    m_view = new ReportPageView(*m_renderer, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPagina"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);
    // The page keys turn pages rather than scroll.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(page() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(page() + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { setZoom(zoom() / kZoomStep); });
    connect(zoomIn, &QPushButton::clicked, this, [this] { setZoom(zoom() * kZoomStep); });
    connect(fit, &QPushButton::clicked, this, [this] { fitWidth(); });
    connect(printButton, &QPushButton::clicked, this, [this] { guarded([this] { print(); }); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { guarded([this] { askPdfPath(); }); });

    resize(1000, 720);
    updateControls();
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::page() const {
    return m_view->page();
}

int ReportPreview::pageCount() const {
    return m_renderer->pageCount();
}

double ReportPreview::zoom() const {
    return m_view->zoom();
}

void ReportPreview::showPage(int page) {
    m_view->setPage(qBound(0, page, pageCount() - 1));
    m_scroll->verticalScrollBar()->setValue(0);
    updateControls();
}

void ReportPreview::setZoom(double zoom) {
    m_view->setZoom(qBound(kMinZoom, zoom, kMaxZoom));
}

void ReportPreview::fitWidth() {
    const int available = m_scroll->viewport()->width() - 8;
    setZoom(available / (m_renderer->pageSizeTwips().width() * m_view->unit()));
}

void ReportPreview::updateControls() {
    m_pageLabel->setText(QStringLiteral("Página %1 de %2").arg(page() + 1).arg(pageCount()));
    m_first->setEnabled(page() > 0);
    m_previous->setEnabled(page() > 0);
    m_next->setEnabled(page() + 1 < pageCount());
    m_last->setEnabled(page() + 1 < pageCount());
}

void ReportPreview::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(page() + 1);
        return;
    case Qt::Key_PageUp:
        showPage(page() - 1);
        return;
    case Qt::Key_Home:
        showPage(0);
        return;
    case Qt::Key_End:
        showPage(pageCount() - 1);
        return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        if (ctrl) {
            setZoom(zoom() * kZoomStep);
            return;
        }
        break;
    case Qt::Key_Minus:
        if (ctrl) {
            setZoom(zoom() / kZoomStep);
            return;
        }
        break;
    case Qt::Key_0:
        if (ctrl) {
            fitWidth();
            return;
        }
        break;
    default:
        break;
    }
    ScreenBase::keyPressEvent(event);
}

// Ctrl+wheel zooms; the wheel past the page's end turns to the next page and back.
bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = wheel->angleDelta().y();
        if (wheel->modifiers() & Qt::ControlModifier) {
            setZoom(delta > 0 ? zoom() * kZoomStep : zoom() / kZoomStep);
            return true;
        }
        const QScrollBar* bar = m_scroll->verticalScrollBar();
        if (delta < 0 && bar->value() == bar->maximum() && page() + 1 < pageCount()) {
            showPage(page() + 1);
            return true;
        }
        if (delta > 0 && bar->value() == bar->minimum() && page() > 0) {
            showPage(page() - 1);
            m_scroll->verticalScrollBar()->setValue(m_scroll->verticalScrollBar()->maximum());
            return true;
        }
    }
    return ScreenBase::eventFilter(watched, event);
}

void ReportPreview::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_renderer->pageLayout());
    printer.setFullPage(true);
    printer.setDocName(m_renderer->layout().caption);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    int first = 0, last = pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage() - 1;
        last = printer.toPage() - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = page();
    }
    QProgressDialog progress(QStringLiteral("Imprimindo..."), QStringLiteral("Cancelar"), 0,
                             last - first + 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    m_renderer->print(
        printer, printer.resolution(),
        [&progress](int done, int total) {
            progress.setLabelText(
                QStringLiteral("Imprimindo página %1 de %2").arg(done).arg(total));
            progress.setValue(done);
            return !progress.wasCanceled();
        },
        first, last);
}

void ReportPreview::askPdfPath() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salvar PDF"),
        QDir::home().filePath(m_renderer->layout().caption + QStringLiteral(".pdf")),
        QStringLiteral("Documentos PDF (*.pdf)"));
    if (!path.isEmpty())
        savePdf(path);
}

bool ReportPreview::savePdf(const QString& path) {
    QProgressDialog progress(QStringLiteral("Gravando PDF..."), QStringLiteral("Cancelar"), 0,
                             pageCount(), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    return m_renderer->writePdf(path, [&progress](int done, int total) {
        progress.setLabelText(QStringLiteral("Gravando página %1 de %2").arg(done).arg(total));
        progress.setValue(done);
        return !progress.wasCanceled();
    });
}

void ReportPreview::closeEvent(QCloseEvent* event) {
    if (!m_closeConfirmed &&
        !messages().askYesNo(MessageBoxes::Icon::Question, QStringLiteral("Brisko"),
                             QStringLiteral("Aborta Impressão?"))) {
        event->ignore();
        return;
    }
    m_closeConfirmed = true;
    ScreenBase::closeEvent(event);
}
