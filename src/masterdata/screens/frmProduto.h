#pragma once

#include "common/screens/RegistryScreenBase.h"
#include "masterdata/Produto.h"

class QComboBox;
class QGroupBox;
class QLineEdit;

// The product registry.
class frmProduto : public RegistryScreenBase {
    Q_OBJECT
public:
    explicit frmProduto(ScreenContext& context, QWidget* parent = nullptr);

    QGroupBox* fraCodigo() const { return m_fraCodigo; }
    QLineEdit* txtCodigo() const { return m_txtCodigo; }
    QComboBox* cboCategoria() const { return m_cboCategoria; }
    QLineEdit* txtProduto() const { return m_txtProduto; }
    QLineEdit* txtPreco() const { return m_txtPreco; }
    QLineEdit* txtDescricao() const { return m_txtDescricao; }
    QLineEdit* txtFornecedor() const { return m_txtFornecedor; }
    QLineEdit* txtRepresentante() const { return m_txtRepresentante; }
    QLineEdit* mskRep_Telefone() const { return m_mskRep_Telefone; }
    QPushButton* btnTrocar() const { return m_btnTrocar; }

public Q_SLOTS:
    void btnTrocar_Click();

protected:
    void clearFields() override;
    bool isTableEmpty() override;
    QString emptyTableText(bool deleting) const override;
    QWidget* firstField() const override;
    QWidget* firstEditField() const override;
    bool prepareInclusion() override;
    bool selecionar() override;
    void afterChangePick() override;
    bool localizar() override;
    std::optional<QString> deletionQuestion() const override;
    QString deletionCancelledText() const override;
    void deleteRecord() override;
    bool saveInclusion() override;
    bool saveChange() override;

private:
    QLineEdit* addTextField(const QString& name, KeyFilterMode filter);
    void showProduto(const Produto& produto);
    // Fills the category list; false when there is no category.
    bool carregaCategorias();
    void showCategoria(const QString& categoria);
    // The product the fields describe; none after telling the user what is missing.
    std::optional<Produto> validate(const QString& emptyPriceText);
    void checkDuplicate();

    QGroupBox* m_fraCodigo;
    QLineEdit* m_txtCodigo;
    QComboBox* m_cboCategoria;
    QLineEdit* m_txtProduto;
    QLineEdit* m_txtPreco;
    QLineEdit* m_txtDescricao;
    QLineEdit* m_txtFornecedor;
    QLineEdit* m_txtRepresentante;
    QLineEdit* m_mskRep_Telefone;
    QPushButton* m_btnTrocar;
    // The category of the product picked for change, shown once the list is filled.
    QString m_categoriaEscolhida;
};
