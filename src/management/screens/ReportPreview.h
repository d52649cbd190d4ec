#pragma once

#include "common/screens/ScreenBase.h"

#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;
class ReportPageView;
class ReportRenderer;

// The report on screen, one page at a time: each page is painted when shown and none is
// kept, so the first page appears at once and a report of any length costs the same memory.
// PgUp/PgDn, Home/End turn pages; Ctrl++/Ctrl+-/Ctrl+wheel zoom, Ctrl+0 fits the width.
// "Imprimir" and "Salvar PDF" send every page (or the pages chosen) to a printer or a file.
// Closing asks "Aborta Impressão?".
class ReportPreview : public ScreenBase {
    Q_OBJECT

public:
    ReportPreview(MessageBoxes& messages, std::unique_ptr<ReportRenderer> renderer,
                  QWidget* parent = nullptr);
    ~ReportPreview() override;

    const ReportRenderer& renderer() const { return *m_renderer; }
    int page() const;
    int pageCount() const;
    double zoom() const;
    void showPage(int page);
    void setZoom(double zoom);
    // Writes the whole report to `path`, with a cancellable progress window.
    bool savePdf(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void print();
    void askPdfPath();
    void fitWidth();
    void updateControls();

    std::unique_ptr<ReportRenderer> m_renderer;
    ReportPageView* m_view;
    QScrollArea* m_scroll;
    QLabel* m_pageLabel;
    QPushButton* m_first;
    QPushButton* m_previous;
    QPushButton* m_next;
    QPushButton* m_last;
    bool m_closeConfirmed = false;
};
