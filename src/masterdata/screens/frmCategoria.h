#pragma once

#include "common/screens/RegistryScreenBase.h"
#include "masterdata/Categoria.h"

class QGroupBox;
class QLineEdit;

// The category registry.
class frmCategoria : public RegistryScreenBase {
    Q_OBJECT
public:
    explicit frmCategoria(ScreenContext& context, QWidget* parent = nullptr);

    QGroupBox* fraCodigo() const { return m_fraCodigo; }
    QLineEdit* txtCodigo() const { return m_txtCodigo; }
    QLineEdit* txtCategoria() const { return m_txtCategoria; }

protected:
    void clearFields() override;
    bool isTableEmpty() override;
    QString emptyTableText(bool deleting) const override;
    QWidget* firstField() const override;
    bool selecionar() override;
    bool localizar() override;
    std::optional<QString> deletionQuestion() const override;
    QString deletionCancelledText() const override;
    void deleteRecord() override;
    bool saveInclusion() override;
    bool saveChange() override;

private:
    void mostra(const Categoria& categoria);
    bool validate();
    void checkDuplicate();

    QGroupBox* m_fraCodigo;
    QLineEdit* m_txtCodigo;
    QLineEdit* m_txtCategoria;
};
