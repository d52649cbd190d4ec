#pragma once

#include "common/screens/RegistryScreenBase.h"

class CepLookup;
class ClienteFields;
struct Cliente;

// The customer registry.
class frmCliente : public RegistryScreenBase {
    Q_OBJECT
public:
    explicit frmCliente(ScreenContext& context, QWidget* parent = nullptr);
    ~frmCliente() override;

    ClienteFields* campos() const { return m_campos; }
    QPushButton* btnCep() const { return m_btnCep; }

public Q_SLOTS:
    void btnCep_Click();

protected:
    void clearFields() override;
    bool isTableEmpty() override;
    QString emptyTableText(bool deleting) const override;
    QWidget* firstField() const override;
    bool prepareInclusion() override;
    void prepareSelection(State state) override;
    bool selecionar() override;
    bool localizar() override;
    std::optional<QString> deletionQuestion() const override;
    QString deletionCancelledText() const override;
    bool clearsAfterCancelledDeletion() const override { return false; }
    void deleteRecord() override;
    bool saveInclusion() override;
    bool saveChange() override;
    void selectionCancelled() override;

private:
    void formataTelefone();
    void mskTelefone_LostFocus();

    ClienteFields* m_campos;
    QPushButton* m_btnCep;
    CepLookup* m_cepLookup;
};
