#include "management/screens/frmRelatorio_Cliente.h"

#include "common/screens/Widgets.h"
#include "management/ReportQueries.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <tuple>

frmRelatorio_Cliente::frmRelatorio_Cliente(ScreenContext& context, QWidget* parent)
    : ReportScreenBase(context, parent, QStringLiteral("frmRelatorio_Cliente"),
                       QStringLiteral("Relatórios de Cliente"), 0) {
    using relatorios::OrdemCliente;
    QGroupBox* frame = widgets::frame(this, QStringLiteral("fraOrdem"), QString());
    roundFrame(frame);
    const std::initializer_list<std::tuple<const char*, const char*, OrdemCliente>> options{
        {"optCodigo", "Ordem de Código", OrdemCliente::Codigo},
        {"optTelefone", "Ordem de Telefone", OrdemCliente::Telefone},
        {"optNome", "Ordem de Nome", OrdemCliente::Nome},
        {"optBairro", "Ordem de Bairro", OrdemCliente::Bairro},
        {"optAniversariante", "Aniversariantes do Mês", OrdemCliente::Aniversariante}};
    for (const auto& [name, caption, ordem] : options)
        frame->layout()->addWidget(orderingOption(
            frame, QString::fromUtf8(name), QString::fromUtf8(caption), [this, o = ordem] {
                const QDate hoje = QDate::currentDate();
                ReportLayout layout = reportLayouts::clientes();
                layout.title = relatorios::titulo(hoje);
                openPreview(layout, relatorios::clientes(db(), o, hoje.month()));
                close();
            }));
    body()->addWidget(frame);
}
