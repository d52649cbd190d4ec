#pragma once

#include "management/screens/ReportScreenBase.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The reports chosen by one item of a combo ("TODOS" first: no condition) and an optional
// period: payment methods, delivery persons, sales per category.
class ComboPeriodReportBase : public ReportScreenBase {
    Q_OBJECT

public:
    QComboBox* combo() const { return m_combo; }

protected:
    struct Combo {
        QString frame;
        QString caption;
        QString name;
    };

    ComboPeriodReportBase(ScreenContext& context, QWidget* parent, const QString& name,
                          const QString& titulo, const Combo& combo);

    // "TODOS" then `items`; with no item the combo stays empty and `vazio` is told.
    void fillCombo(const QStringList& items, const QString& vazio);
    // The chosen item; empty for "TODOS".
    QString filtro() const;
    QLineEdit* inicio() const { return m_mskData_Inicio; }
    QLineEdit* fim() const { return m_mskData_Fim; }
    bool porPeriodo() const;

    // The optPeriodo click after the boxes were emptied.
    virtual void periodoEscolhido() {}
    // btnImprimir.
    virtual void gera() = 0;

private:
    QComboBox* m_combo;
    QRadioButton* m_optTodos;
    QRadioButton* m_optPeriodo;
    QLineEdit* m_mskData_Inicio;
    QLineEdit* m_mskData_Fim;
};
