#pragma once

#include "common/screens/RegistryScreenBase.h"
#include "masterdata/Usuario.h"

#include <QDate>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The user registry: display name, login, password and the two permissions that make the
// authority code. A user hands out only the permissions his own code leaves enabled.
class frmUsuario : public RegistryScreenBase {
    Q_OBJECT
public:
    explicit frmUsuario(ScreenContext& context, QWidget* parent = nullptr);

    QGroupBox* fraCodigo() const { return m_fraCodigo; }
    QLineEdit* txtCodigo() const { return m_txtCodigo; }
    QGroupBox* fraData() const { return m_fraData; }
    QLabel* lblData() const { return m_lblData; }
    QLineEdit* txtNome() const { return m_txtNome; }
    QLineEdit* txtUsuario() const { return m_txtUsuario; }
    QLineEdit* txtSenha() const { return m_txtSenha; }
    QLineEdit* txtConfirmacao() const { return m_txtConfirmacao; }
    QGroupBox* fraAcesso() const { return m_fraAcesso; }
    QCheckBox* ckbCadUsuarios() const { return m_ckbCadUsuarios; }
    QCheckBox* ckbRelatorio() const { return m_ckbRelatorio; }

    // Shows a picked user. The stored password is a hash, so the password boxes stay empty.
    void mostraUsuario(const Usuario& usuario);

protected:
    void clearFields() override;
    bool isTableEmpty() override;
    QString emptyTableText(bool deleting) const override;
    QWidget* firstField() const override;
    QWidget* firstEditField() const override;
    bool prepareInclusion() override;
    void prepareSelection(State state) override;
    bool selecionar() override;
    bool localizar() override;
    std::optional<QString> deletionQuestion() const override;
    QString deletionCancelledText() const override;
    void deleteRecord() override;
    bool saveInclusion() override;
    bool saveChange() override;

private:
    void loadConcedidas();
    bool informa(QLineEdit* box, const QString& text);
    bool confirmacaoConfere();
    // The user as the boxes show him; the password travels apart.
    Usuario mostrado() const;
    void checkDuplicate(QLineEdit* box);

    QGroupBox* m_fraCodigo;
    QLineEdit* m_txtCodigo;
    QGroupBox* m_fraData;
    QLabel* m_lblData;
    QLineEdit* m_txtNome;
    QLineEdit* m_txtUsuario;
    QLineEdit* m_txtSenha;
    QLineEdit* m_txtConfirmacao;
    QGroupBox* m_fraAcesso;
    QCheckBox* m_ckbCadUsuarios;
    QCheckBox* m_ckbRelatorio;
    QDate m_data; // what lblData shows
};
