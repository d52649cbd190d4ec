#include "management/screens/frmRelatorio_Produto.h"

#include "common/screens/Widgets.h"
#include "management/ReportQueries.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <tuple>

frmRelatorio_Produto::frmRelatorio_Produto(ScreenContext& context, QWidget* parent)
    : ReportScreenBase(context, parent, QStringLiteral("frmRelatorio_Produto"),
                       QStringLiteral("Relatórios de Produto"), 0) {
    using relatorios::OrdemProduto;
    QGroupBox* frame = widgets::frame(this, QStringLiteral("fraOrdem"), QString());
    roundFrame(frame);
    const std::initializer_list<std::tuple<const char*, const char*, OrdemProduto>> options{
        {"optCodigo", "Ordem de Código", OrdemProduto::Codigo},
        {"optCategoria", "Ordem de Categoria", OrdemProduto::Categoria},
        {"optProduto", "Ordem de Produto", OrdemProduto::Produto},
        {"optPreco", "Ordem de Preço", OrdemProduto::Preco}};
    for (const auto& [name, caption, ordem] : options)
        frame->layout()->addWidget(orderingOption(
            frame, QString::fromUtf8(name), QString::fromUtf8(caption), [this, o = ordem] {
                ReportLayout layout = reportLayouts::produtos();
                layout.title = relatorios::titulo(QDate::currentDate());
                openPreview(layout, relatorios::produtos(db(), o));
                close();
            }));
    body()->addWidget(frame);
}
