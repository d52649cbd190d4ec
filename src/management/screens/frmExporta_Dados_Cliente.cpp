#include "management/screens/frmExporta_Dados_Cliente.h"

frmExporta_Dados_Cliente::frmExporta_Dados_Cliente(ScreenContext& context, QWidget* parent)
    : ExportScreenBase(context, parent, ExportKind::Clientes,
                       {QStringLiteral("frmExporta_Dados_Cliente"),
                        QStringLiteral("Exporta todos os Clientes para Excel"),
                        QStringLiteral("Exportar dados dos Clientes"),
                        QStringLiteral("Não existe cliente cadastrado!!!"),
                        QStringLiteral("Exporta Dados Cliente")}) {}
