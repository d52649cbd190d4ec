#pragma once

#include "common/screens/RegistryScreenBase.h"

class QGroupBox;
class QLabel;
class QLineEdit;
struct Entregador;

// The delivery-person registry.
class frmEntregador : public RegistryScreenBase {
    Q_OBJECT
public:
    explicit frmEntregador(ScreenContext& context, QWidget* parent = nullptr);

    QGroupBox* fraCodigo() const { return m_fraCodigo; }
    QLineEdit* txtCodigo() const { return m_txtCodigo; }
    QGroupBox* fraTelefone() const { return m_fraTelefone; }
    QLineEdit* mskTelefone() const { return m_mskTelefone; }
    QGroupBox* fraData() const { return m_fraData; }
    QLabel* lblData() const { return m_lblData; }
    QLineEdit* txtNome() const { return m_txtNome; }
    QLineEdit* txtObservacao() const { return m_txtObservacao; }

protected:
    void clearFields() override;
    bool isTableEmpty() override;
    QString emptyTableText(bool deleting) const override;
    QWidget* firstField() const override;
    bool selecionar() override;
    bool localizar() override;
    std::optional<QString> deletionQuestion() const override;
    QString deletionCancelledText() const override;
    bool clearsAfterCancelledDeletion() const override { return false; }
    void deleteRecord() override;
    bool saveInclusion() override;
    bool saveChange() override;

private:
    void mostra(const Entregador& entregador);
    Entregador typed() const;
    bool validate();
    void nameTaken();
    void checkDuplicate();

    QGroupBox* m_fraCodigo;
    QLineEdit* m_txtCodigo;
    QGroupBox* m_fraTelefone;
    QLineEdit* m_mskTelefone;
    QGroupBox* m_fraData;
    QLabel* m_lblData;
    QLineEdit* m_txtNome;
    QLineEdit* m_txtObservacao;
};
