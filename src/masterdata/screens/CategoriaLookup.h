#pragma once

#include "common/screens/LookupDialogBase.h"
#include "masterdata/Categoria.h"

#include <optional>

class QLineEdit;

// The category dialogs: the list by code, narrowed by the name's beginning.
class CategoriaLookup : public LookupDialogBase {
    Q_OBJECT
public:
    QLineEdit* txtCategoria() const { return m_txtCategoria; }
    // The picked category once the dialog was accepted.
    const std::optional<Categoria>& escolhido() const { return m_escolhida; }

protected:
    CategoriaLookup(ScreenContext& context, Kind kind, QWidget* parent);

    void refill() override;
    bool pick(int row) override;
    QWidget* searchBox() const override;

private:
    QLineEdit* m_txtCategoria;
    std::optional<Categoria> m_escolhida;
};

class frmLocalizar_Categoria : public CategoriaLookup {
    Q_OBJECT
public:
    explicit frmLocalizar_Categoria(ScreenContext& context, QWidget* parent = nullptr)
        : CategoriaLookup(context, Kind::Localizar, parent) {}
};

class frmSelecionar_Categoria : public CategoriaLookup {
    Q_OBJECT
public:
    explicit frmSelecionar_Categoria(ScreenContext& context, QWidget* parent = nullptr)
        : CategoriaLookup(context, Kind::Selecionar, parent) {}
};
