#pragma once

#include "common/screens/ScreenBase.h"
#include "management/Periodo.h"

#include <functional>
#include <memory>
#include <optional>

class Database;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;
class ReportRows;
class ReportTable;
struct ReportLayout;
struct ScreenContext;

// What the report screens share: the title and the "Selecione o critério..." labels, option
// buttons, the masked date boxes and their check, the confirmation, and opening the preview.
class ReportScreenBase : public ScreenBase {
    Q_OBJECT

public:
    static inline const QString kAviso = QStringLiteral("Aviso");

protected:
    ReportScreenBase(ScreenContext& context, QWidget* parent, const QString& name,
                     const QString& titulo, int radius);

    Database& db();
    QVBoxLayout* body() const { return m_body; }
    QRadioButton* option(QWidget* parent, const QString& name, const QString& caption);
    QLineEdit* dateBox(QWidget* parent, const QString& name);
    // Empties the box and applies the mask "##/##/####" again.
    static void resetDateBox(QLineEdit* box);
    // Tells what is wrong with the period and puts the user back in that box, emptied.
    std::optional<Periodo> checkPeriod(QLineEdit* inicio, QLineEdit* fim);
    // An ordering option: clicking it selects it alone, asks "Deseja visualizar o
    // relatório?" and runs `run` on Yes; No clears every ordering option.
    QRadioButton* orderingOption(QWidget* parent, const QString& name, const QString& caption,
                                 std::function<void()> run);
    void clearOrdering();
    // The connection a preview reads its pages from, whatever becomes of this screen.
    std::function<Database&()> fonte();
    // A modeless preview that outlives this screen.
    void openPreview(ReportLayout layout, ReportTable rows, bool maximised = false);
    void openPreview(ReportLayout layout, std::shared_ptr<const ReportRows> rows,
                     bool maximised = false);

    ScreenContext& m_context;

private:
    QVBoxLayout* m_body;
    QList<QRadioButton*> m_ordering;
};
