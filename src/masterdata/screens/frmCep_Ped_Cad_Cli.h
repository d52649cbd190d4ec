#pragma once

#include "common/screens/ScreenBase.h"
#include "masterdata/screens/CepTarget.h"

#include <QPointer>

class CepLookup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct CepResult;
struct ScreenContext;

// The quick registration's postal-code dialog: the code typed here is looked up and the
// address written into frmCad_Cli_Ped's boxes. An ordinary window that stays responsive while
// the service answers; closing it then abandons the lookup, so nothing arrives later.
class frmCep_Ped_Cad_Cli : public ScreenBase {
    Q_OBJECT
public:
    frmCep_Ped_Cad_Cli(ScreenContext& context, CepTarget target, QWidget* parent = nullptr);
    ~frmCep_Ped_Cad_Cli() override;

    QGroupBox* fraTelefone() const { return m_fraTelefone; }
    QLineEdit* mskCEP() const { return m_mskCEP; }
    QPushButton* btnOk() const { return m_btnOk; }
    QLabel* lblStatusCEP(int index) const { return m_lblStatusCEP[index == 0 ? 0 : 1]; }
    CepLookup& lookup() const { return *m_lookup; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void btnOk_Click();
    void answered(const CepResult& result);
    void fecha();

    QPointer<QLineEdit> m_targetCep;
    QPointer<QWidget> m_txtNome;
    QGroupBox* m_fraTelefone;
    QLineEdit* m_mskCEP;
    QPushButton* m_btnOk;
    QLabel* m_lblStatusCEP[2];
    CepLookup* m_lookup;
};
