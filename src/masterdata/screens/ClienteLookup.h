#pragma once

#include "common/screens/LookupDialogBase.h"
#include "masterdata/Cliente.h"
#include "masterdata/ClienteStore.h"

#include <optional>

class ClienteListModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The customer dialogs: the list by code, narrowed while typing by the beginning of the name,
// the telephone or the street, whichever option is chosen; the pick by telephone.
class ClienteLookup : public LookupDialogBase {
    Q_OBJECT
public:
    QGroupBox* fraFiltro() const { return m_fraFiltro; }
    QRadioButton* optNome() const { return m_optNome; }
    QRadioButton* optTelefone() const { return m_optTelefone; }
    QRadioButton* optEndereco() const { return m_optEndereco; }
    QLineEdit* txtNome() const { return m_txtNome; }
    QLineEdit* mskTelefone() const { return m_mskTelefone; }
    QLineEdit* txtEndereco() const { return m_txtEndereco; }
    QLabel* label1() const { return m_label1; }
    // The picked customer once the dialog was accepted.
    const std::optional<Cliente>& escolhido() const { return m_escolhido; }

public Q_SLOTS:
    void optNome_Click();
    void optTelefone_Click();
    void optEndereco_Click();

protected:
    ClienteLookup(ScreenContext& context, Kind kind, QWidget* parent);

    void refill() override;
    bool pick(int row) override;
    QWidget* searchBox() const override;

    ClienteListModel& model() const { return *m_model; }

private:
    void escolheBusca(QRadioButton* option, QLineEdit* box);

    ClienteStore m_store; // the model reads through it: declared before the model
    ClienteListModel* m_model;
    QGroupBox* m_fraFiltro;
    QRadioButton* m_optNome;
    QRadioButton* m_optTelefone;
    QRadioButton* m_optEndereco;
    QLineEdit* m_txtNome;
    QLineEdit* m_mskTelefone;
    QLineEdit* m_txtEndereco;
    QLabel* m_label1;
    std::optional<Cliente> m_escolhido;
};

// Also the order screen's way to an unknown telephone: with `Origem` "frmPedido" it hands
// back only the chosen row's telephone.
class frmLocalizar_Cliente : public ClienteLookup {
    Q_OBJECT
    Q_PROPERTY(QString Origem READ origem WRITE setOrigem)
public:
    static inline const QString kOrigemPedido = QStringLiteral("frmPedido");

    explicit frmLocalizar_Cliente(ScreenContext& context, QWidget* parent = nullptr)
        : ClienteLookup(context, Kind::Localizar, parent) {}

    const QString& origem() const { return m_origem; }
    void setOrigem(const QString& origem) { m_origem = origem; }
    // The telephone of the row taken for the order screen; none when the list was empty.
    const std::optional<QString>& telefoneEscolhido() const { return m_telefoneEscolhido; }

protected:
    void procurar() override;
    void rowDoubleClicked(int row) override;

private:
    bool paraPedido() const { return m_origem == kOrigemPedido; }

    QString m_origem;
    std::optional<QString> m_telefoneEscolhido;
};

class frmSelecionar_Cliente : public ClienteLookup {
    Q_OBJECT
public:
    explicit frmSelecionar_Cliente(ScreenContext& context, QWidget* parent = nullptr)
        : ClienteLookup(context, Kind::Selecionar, parent) {}
};
