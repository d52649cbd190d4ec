#pragma once

#include "common/screens/ScreenBase.h"

class QLineEdit;
class QPushButton;
struct ScreenContext;

// The receipt printer's name: CUPOM, a device or file path, a share, or a print queue.
class frmImpressora : public ScreenBase {
    Q_OBJECT
public:
    explicit frmImpressora(ScreenContext& context, QWidget* parent = nullptr);

    QLineEdit* txtImpressora() const { return m_txtImpressora; }
    QPushButton* btnAdicionar() const { return m_btnAdicionar; }

private:
    void btnAdicionar_Click();

    ScreenContext& m_context;
    QLineEdit* m_txtImpressora;
    QPushButton* m_btnAdicionar;
};
