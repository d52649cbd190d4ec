#pragma once

#include "common/screens/ScreenBase.h"

#include <functional>

class QComboBox;
class QTreeWidget;
struct ScreenContext;

// The price list to read to a caller: every product or one category's, by name descending.
// It stays open beside other screens, but not past the message window of order taking.
class frmTabela_Preco : public ScreenBase {
    Q_OBJECT
public:
    // The open message window, if any; by default any visible widget named "frmMensagem".
    using JanelaMensagem = std::function<QWidget*()>;

    frmTabela_Preco(ScreenContext& context, QWidget* parent = nullptr);

    void setJanelaMensagem(JanelaMensagem procura) { m_janelaMensagem = std::move(procura); }
    QComboBox* cboCategoria() const { return m_cboCategoria; }
    QTreeWidget* lstTabela_Preco() const { return m_lstTabela_Preco; }

    void CarregaTabela(const QString& categoria);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void carregaCategorias();

    ScreenContext& m_context;
    JanelaMensagem m_janelaMensagem;
    QComboBox* m_cboCategoria;
    QTreeWidget* m_lstTabela_Preco;
};
