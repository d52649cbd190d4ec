#pragma once

class QComboBox;
class QLineEdit;
class QWidget;

// The customer screen's boxes a postal-code lookup writes into. `mskCEP` carries the input
// mask CepLookup::kInputMask; `txtNome` receives the focus after the quick registration's
// lookup dialog closes.
struct CepTarget {
    QComboBox* cboUF;
    QLineEdit* txtCidade;
    QLineEdit* txtBairro;
    QComboBox* cboTipo;
    QLineEdit* txtLogradouro;
    QLineEdit* mskCEP;
    QWidget* txtNome;
};
