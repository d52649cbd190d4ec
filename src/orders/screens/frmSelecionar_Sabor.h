#pragma once

#include "common/screens/LookupDialogBase.h"
#include "masterdata/Produto.h"
#include "orders/Sabores.h"

#include <QList>

class QComboBox;
class QLabel;

// What the flavour chain hands the order screen.
struct SelecaoSabor {
    enum class Resultado {
        Cancelado,  // the first screen was closed: nothing changes
        Escolhido,  // an item was composed
        SoHabilita, // a later screen was closed after ticks: the item fields open, unchanged
    };
    Resultado resultado = Resultado::Cancelado;
    QString produto;
    QString preco; // as the list shows it, "R$ 32,50"
    QString categoria;
};

// One screen of the flavour chain; its position (1 to 4) decides what differs: ticks open
// the next position, the first remembers its category, the last ignores ticks.
class frmSelecionar_Sabor : public LookupDialogBase {
    Q_OBJECT
public:
    static constexpr int kUltima = CadeiaSabores::kMaxSabores;

    frmSelecionar_Sabor(ScreenContext& context, CadeiaSabores& cadeia, int posicao,
                        QWidget* parent = nullptr);

    // Runs the chain from its first screen.
    static SelecaoSabor escolher(ScreenContext& context, CadeiaSabores& cadeia,
                                 QWidget* parent = nullptr);

    int posicao() const { return m_posicao; }
    const SelecaoSabor& selecao() const { return m_selecao; }
    QComboBox* cboCategoria() const { return m_cboCategoria; }
    QLineEdit* txtProduto() const { return m_txtProduto; }
    QLabel* label3() const { return m_label3; }
    QLabel* label4() const { return m_label4; }

protected:
    void refill() override;
    bool pick(int row) override;
    QWidget* searchBox() const override;
    void procurar() override;
    void rowDoubleClicked(int row) override;
    void botaoProcurarClicado() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void guardaCategoria();
    void carregaCategorias();
    void marcado();
    Sabor sabor(int row) const;

    CadeiaSabores& m_cadeia;
    int m_posicao;
    QComboBox* m_cboCategoria;
    QLineEdit* m_txtProduto = nullptr;
    QLabel* m_label3;
    QLabel* m_label4 = nullptr;
    QList<Produto> m_produtos;
    SelecaoSabor m_selecao;
    bool m_escolhendo = false;
};
