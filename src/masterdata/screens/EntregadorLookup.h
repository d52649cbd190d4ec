#pragma once

#include "common/screens/LookupDialogBase.h"
#include "masterdata/Entregador.h"

#include <optional>

class QLineEdit;

// The delivery-person dialogs: the list by code, narrowed by the name's beginning, the pick
// by name. The order screen's assignment dialog shares the list and brings its own pick.
class EntregadorLookup : public LookupDialogBase {
    Q_OBJECT
public:
    QLineEdit* txtNome() const { return m_txtNome; }
    // The picked delivery person once the dialog was accepted.
    const std::optional<Entregador>& escolhido() const { return m_escolhido; }

    // The registry dialogs' definition: title, list name and column widths.
    static Definition registryDefinition(Kind kind);

protected:
    EntregadorLookup(ScreenContext& context, const Definition& definition, QWidget* parent);

    void refill() override;
    bool pick(int row) override;
    QWidget* searchBox() const override;

    // The name the list shows in `row`.
    QString nomeAt(int row) const;

private:
    QLineEdit* m_txtNome;
    std::optional<Entregador> m_escolhido;
};

class frmLocalizar_Entregador : public EntregadorLookup {
    Q_OBJECT
public:
    explicit frmLocalizar_Entregador(ScreenContext& context, QWidget* parent = nullptr)
        : EntregadorLookup(context, registryDefinition(Kind::Localizar), parent) {}
};

class frmSelecionar_Entregador : public EntregadorLookup {
    Q_OBJECT
public:
    explicit frmSelecionar_Entregador(ScreenContext& context, QWidget* parent = nullptr)
        : EntregadorLookup(context, registryDefinition(Kind::Selecionar), parent) {}
};
