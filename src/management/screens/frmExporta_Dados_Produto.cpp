#include "management/screens/frmExporta_Dados_Produto.h"

frmExporta_Dados_Produto::frmExporta_Dados_Produto(ScreenContext& context, QWidget* parent)
    : ExportScreenBase(context, parent, ExportKind::Produtos,
                       {QStringLiteral("frmExporta_Dados_Produto"),
                        QStringLiteral("Exporta todos os Produtos para Excel"),
                        QStringLiteral("Exportar dados dos Produtos"),
                        QStringLiteral("Não existe produto cadastrado!!!"),
                        QStringLiteral("Exporta Dados Produto")}) {}
