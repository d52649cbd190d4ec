#pragma once

#include "common/screens/ScreenBase.h"
#include "management/SpreadsheetExport.h"

#include <memory>
#include <optional>

class ExportJob;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
struct ScreenContext;

// What the three export screens share: `btnExportar`, `pb1`, `lblReg` counting the records
// written, the empty check, the run on a worker thread, the confirmation and the close. A
// screen names its texts and, for a period, checks its boxes in periodOrNothing().
class ExportScreenBase : public ScreenBase {
    Q_OBJECT
public:
    struct Texts {
        QString objectName;
        QString title;        // window title
        QString emptyCaption; // title of the nothing-to-export message
        QString emptyText;
        QString doneCaption; // title of the confirmation
    };

    QPushButton* btnExportar() const { return m_btnExportar; }
    QProgressBar* pb1() const { return m_pb1; }
    QLabel* lblReg() const { return m_lblReg; }
    ~ExportScreenBase() override;
    bool isExporting() const;

    void ExportaPlanilha();

protected:
    ExportScreenBase(ScreenContext& context, QWidget* parent, ExportKind kind, const Texts& texts);

    // Where a screen puts its own controls, above the progress bar.
    QVBoxLayout* body() const { return m_body; }
    // Whether the run may go on, and with which period; a screen without one says yes.
    virtual bool acceptPeriod(std::optional<Period>& period);

    void closeEvent(QCloseEvent* event) override;

private:
    void showProgress(qint64 done, qint64 total);
    void succeeded(const QString& path, qint64 rows);
    void failed(const QString& description, int number, const QString& source);
    void setBusy(bool busy);

    ScreenContext& m_context;
    ExportKind m_kind;
    Texts m_texts;
    QVBoxLayout* m_body;
    QPushButton* m_btnExportar;
    QProgressBar* m_pb1;
    QLabel* m_lblReg;
    std::unique_ptr<ExportJob> m_job;
};
