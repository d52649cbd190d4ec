#pragma once

#include "masterdata/Cliente.h"
#include "masterdata/screens/CepTarget.h"

#include <QList>
#include <QWidget>

class ClienteStore;
class MessageBoxes;
class QComboBox;
class QGroupBox;
class QLineEdit;

// The customer's boxes as both customer screens show them, with what they share: typing
// rules, the lists, clearing, the validation before saving, the duplicate telephone check and
// the record they hold. Each screen adds its own buttons and states around it.
class ClienteFields : public QWidget {
    Q_OBJECT
public:
    static inline const QString kMascaraData = QStringLiteral("00/00/0000;_");
    static inline const QString kFormatoData = QStringLiteral("dd/MM/yyyy");
    static inline const QString kDuplicado = QStringLiteral("Cliente já esta cadastrado");

    // The quick registration's street types have "FAVELA" as well.
    enum class Tipos { Padrao, ComFavela };

    ClienteFields(MessageBoxes& messages, Tipos tipos, QWidget* parent);

    QGroupBox* fraCodigo() const { return m_fraCodigo; }
    QLineEdit* txtCodigo() const { return m_txtCodigo; }
    QGroupBox* fraTelefone() const { return m_fraTelefone; }
    QLineEdit* mskTelefone() const { return m_mskTelefone; }
    QLineEdit* txtNome() const { return m_txtNome; }
    QLineEdit* txtRG() const { return m_txtRG; }
    QComboBox* cboTipo() const { return m_cboTipo; }
    QLineEdit* txtLogradouro() const { return m_txtLogradouro; }
    QLineEdit* txtNumero() const { return m_txtNumero; }
    QLineEdit* txtComplemento() const { return m_txtComplemento; }
    QLineEdit* txtBairro() const { return m_txtBairro; }
    QLineEdit* txtCidade() const { return m_txtCidade; }
    QComboBox* cboUF() const { return m_cboUF; }
    QLineEdit* mskCEP() const { return m_mskCEP; }
    QLineEdit* mskData_Nasc() const { return m_mskData_Nasc; }
    QLineEdit* txtEmail() const { return m_txtEmail; }
    QLineEdit* txtObservacao() const { return m_txtObservacao; }

    // What locking covers: everything but the two masked boxes, which stay enabled.
    QList<QWidget*> lockable() const;
    void setMaskedEnabled(bool enabled);
    CepTarget cepTarget() const;

    // Empties every box, "RUA" and "SP" in the lists, the masks re-armed.
    void clear();
    void mostra(const Cliente& cliente);
    // The record the boxes hold; an incomplete or impossible birth date is no date.
    Cliente typed() const;
    // The rules before saving, first failure wins: its message and the focus in its box.
    bool validate();
    // The telephone in use by another customer: says so, empties the box and focuses it.
    // True when it was taken.
    bool recusaTelefoneTomado(const ClienteStore& store);
    // The store refused the telephone at saving time.
    void telefoneTomado();

private:
    void aviso(const QString& text);
    bool falha(const QString& text, QWidget* field);

    MessageBoxes& m_messages;
    QGroupBox* m_fraCodigo;
    QLineEdit* m_txtCodigo;
    QGroupBox* m_fraTelefone;
    QLineEdit* m_mskTelefone;
    QLineEdit* m_txtNome;
    QLineEdit* m_txtRG;
    QComboBox* m_cboTipo;
    QLineEdit* m_txtLogradouro;
    QLineEdit* m_txtNumero;
    QLineEdit* m_txtComplemento;
    QLineEdit* m_txtBairro;
    QLineEdit* m_txtCidade;
    QComboBox* m_cboUF;
    QLineEdit* m_mskCEP;
    QLineEdit* m_mskData_Nasc;
    QLineEdit* m_txtEmail;
    QLineEdit* m_txtObservacao;
};
