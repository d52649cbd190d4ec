#pragma once

#include "common/screens/LookupDialogBase.h"
#include "masterdata/Usuario.h"

#include <optional>

class QLineEdit;

// The user dialogs: the list by code, narrowed by the display name's beginning.
class UsuarioLookup : public LookupDialogBase {
    Q_OBJECT
public:
    QLineEdit* txtNome() const { return m_txtNome; }
    // The picked user once the dialog was accepted.
    const std::optional<Usuario>& escolhido() const { return m_escolhido; }

protected:
    UsuarioLookup(ScreenContext& context, Kind kind, QWidget* parent);

    void refill() override;
    bool pick(int row) override;
    QWidget* searchBox() const override;

private:
    QLineEdit* m_txtNome;
    std::optional<Usuario> m_escolhido;
};

class frmLocalizar_Usuario : public UsuarioLookup {
    Q_OBJECT
public:
    explicit frmLocalizar_Usuario(ScreenContext& context, QWidget* parent = nullptr)
        : UsuarioLookup(context, Kind::Localizar, parent) {}
};

class frmSelecionar_Usuario : public UsuarioLookup {
    Q_OBJECT
public:
    explicit frmSelecionar_Usuario(ScreenContext& context, QWidget* parent = nullptr)
        : UsuarioLookup(context, Kind::Selecionar, parent) {}
};
