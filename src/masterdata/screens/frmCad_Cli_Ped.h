#pragma once

#include "common/screens/ScreenBase.h"
#include "masterdata/Cliente.h"

#include <optional>

class ClienteFields;
struct ScreenContext;

// The quick registration the order screen opens for a telephone no customer has. It can only
// include; the new customer comes back through cadastrado() with the dialog accepted, and any
// other way out rejects it with nothing handed back.
class frmCad_Cli_Ped : public ScreenBase {
    Q_OBJECT
public:
    enum class Estado { Editando, Salvo };

    frmCad_Cli_Ped(ScreenContext& context, const QString& telefone, QWidget* parent = nullptr);

    Estado estado() const { return m_estado; }
    ClienteFields* campos() const { return m_campos; }
    QPushButton* btnSalvar() const { return m_btnSalvar; }
    QPushButton* btnSair() const { return m_btnSair; }
    QPushButton* btnCep() const { return m_btnCep; }
    // The customer just saved, with its code; none until then.
    const std::optional<Cliente>& cadastrado() const { return m_cadastrado; }

public Q_SLOTS:
    void btnSalvar_Click();
    void btnCep_Click();

Q_SIGNALS:
    void clienteCadastrado(const Cliente& cliente);

private:
    bool salva();
    void mskTelefone_LostFocus();

    ScreenContext& m_context;
    ClienteFields* m_campos;
    QPushButton* m_btnSalvar;
    QPushButton* m_btnSair;
    QPushButton* m_btnCep;
    Estado m_estado = Estado::Editando;
    std::optional<Cliente> m_cadastrado;
};
