#pragma once

#include "common/screens/LookupDialogBase.h"
#include "masterdata/Produto.h"

#include <optional>

class QComboBox;
class QLineEdit;

// The product dialogs: the list by category, narrowed by the category chosen and by the
// name's beginning.
class ProdutoLookup : public LookupDialogBase {
    Q_OBJECT
public:
    QComboBox* cboCategoria() const { return m_cboCategoria; }
    QLineEdit* txtProduto() const { return m_txtProduto; }
    // The picked product once the dialog was accepted.
    const std::optional<Produto>& escolhido() const { return m_escolhido; }

protected:
    ProdutoLookup(ScreenContext& context, Kind kind, QWidget* parent);

    void refill() override;
    bool pick(int row) override;
    QWidget* searchBox() const override;

private:
    // The category chosen; none for "TODOS".
    std::optional<QString> categoria() const;
    void showProducts(const QList<Produto>& produtos);
    void loadFullList();

    QComboBox* m_cboCategoria;
    QLineEdit* m_txtProduto;
    std::optional<Produto> m_escolhido;
};

class frmLocalizar_Produto : public ProdutoLookup {
    Q_OBJECT
public:
    explicit frmLocalizar_Produto(ScreenContext& context, QWidget* parent = nullptr)
        : ProdutoLookup(context, Kind::Localizar, parent) {}
};

class frmSelecionar_Produto : public ProdutoLookup {
    Q_OBJECT
public:
    explicit frmSelecionar_Produto(ScreenContext& context, QWidget* parent = nullptr)
        : ProdutoLookup(context, Kind::Selecionar, parent) {}
};
