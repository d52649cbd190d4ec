#include "management/ReportLayout.h"

#include "common/Error.h"

namespace {

using Kind = ReportControl::Kind;
using Format = ReportControl::Format;
using Role = ReportBand::Role;

constexpr int kHeaderHeight = 620;
constexpr int kPeriodTop = 620;
constexpr int kPageHeaderHeight = 380;
constexpr int kRuleTop = 300;
constexpr int kDetailHeight = 280;

ReportControl label(const char* name, const QString& text, int left, int width, int top = 0,
                    bool bold = false) {
    return {QLatin1String(name), Kind::Label, text, left, width, top, Format::Text, bold};
}

ReportControl field(const char* name, const char* column, int left, int width,
                    Format format = Format::Text) {
    return {QLatin1String(name), Kind::Field, QLatin1String(column), left, width, 0, format};
}

ReportControl sum(const char* name, const char* column, int left, int width, int top,
                  Format format = Format::Money) {
    return {QLatin1String(name), Kind::Sum, QLatin1String(column), left, width, top, format, true};
}

ReportControl rule(const char* name, int left, int width, int top) {
    return {QLatin1String(name), Kind::Rule, QString(), left, width, top};
}

// Report header: the title ("%i", the date set at run time) and the report's name; the
// period layouts add lblPeriodo below.
ReportBand header(const QString& reportName, int titleWidth, bool withPeriod) {
    ReportBand band{QStringLiteral("Section4"),
                    Role::ReportHeader,
                    kHeaderHeight,
                    {label("Label1", QStringLiteral("%i"), 45, titleWidth),
                     label("Label2", reportName, 45, 0, 280, true)}};
    if (withPeriod) {
        band.controls << label("lblPeriodo", QStringLiteral("Periodo"), 60, titleWidth, kPeriodTop);
        band.height += 340;
    }
    return band;
}

// Column titles above a rule.
ReportBand pageHeader(const QList<ReportControl>& titles, int ruleLeft, int ruleWidth) {
    ReportBand band{QStringLiteral("Section2"), Role::PageHeader, kPageHeaderHeight, titles};
    band.controls << rule("Shape1", ruleLeft, ruleWidth, kRuleTop);
    return band;
}

ReportBand detail(const QList<ReportControl>& fields) {
    return {QStringLiteral("Section1"), Role::Detail, kDetailHeight, fields};
}

// Left empty by the original layouts; the page count is what a printed report needs.
ReportBand pageFooter() {
    ReportControl number{QStringLiteral("lblPagina"), Kind::PageNumber, QString(), 0, 0, 80};
    number.align = Qt::AlignRight;
    return {QStringLiteral("Section3"), Role::PageFooter, 400, {number}};
}

ReportBand reportFooter(const QList<ReportControl>& controls, int height) {
    return {QStringLiteral("Section5"), Role::ReportFooter, height, controls};
}

} // namespace

const ReportBand* ReportLayout::band(ReportBand::Role role) const {
    for (const ReportBand& b : bands)
        if (b.role == role)
            return &b;
    return nullptr;
}

ReportBand* ReportLayout::band(const QString& bandName) {
    for (ReportBand& b : bands)
        if (b.name.compare(bandName, Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

ReportControl* ReportLayout::control(const QString& bandName, const QString& controlName) {
    ReportBand* b = band(bandName);
    if (!b)
        return nullptr;
    for (ReportControl& c : b->controls)
        if (c.name.compare(controlName, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

void ReportLayout::setCaption(const QString& bandName, const QString& controlName,
                              const QString& caption) {
    ReportControl* c = control(bandName, controlName);
    if (!c || c->kind != ReportControl::Kind::Label)
        throw Error(QStringLiteral("O relatório %1 não tem o rótulo %2 na seção %3.")
                        .arg(name, controlName, bandName));
    c->text = caption;
}

namespace reportLayouts {

ReportLayout produtos() {
    return {QStringLiteral("drpRel_Produtos"),
            QStringLiteral("Relatório - Todos Produtos"),
            QPageLayout::Landscape,
            {header(QStringLiteral("Relatório Todos Produtos"), 6045, false),
             pageHeader({label("Label3", QStringLiteral("Código"), 45, 975),
                         label("Label4", QStringLiteral("Categoria"), 800, 1470),
                         label("Label5", QStringLiteral("Produto"), 2120, 2155),
                         label("Label7", QStringLiteral("Descrição"), 4320, 2595),
                         label("Label6", QStringLiteral("Preço"), 12645, 1770)},
                        60, 14310),
             detail({field("Text1", "pro_ID", 45, 705), field("Text2", "pro_Categoria", 800, 1255),
                     field("Text6", "pro_Produto", 2120, 2160),
                     field("Text3", "pro_Descricao", 4320, 7950),
                     field("Text5", "pro_Preco", 12630, 1770, Format::Money)}),
             pageFooter(), reportFooter({}, 0)}};
}

ReportLayout clientes() {
    return {
        QStringLiteral("drpRel_Clientes"),
        QStringLiteral("Relatório - Todos Clientes"),
        QPageLayout::Landscape,
        {header(QStringLiteral("Relatório Todos Clientes"), 6105, false),
         pageHeader({label("Label3", QStringLiteral("Codigo"), 45, 870),
                     label("Label4", QStringLiteral("Telefone"), 800, 1135),
                     label("Label5", QStringLiteral("Nome"), 1950, 1185),
                     label("Label6", QStringLiteral("Endereço"), 4260, 3525),
                     label("Label7", QStringLiteral("Número"), 7845, 810),
                     label("Label8", QStringLiteral("Complemento"), 8730, 1320),
                     label("Label9", QStringLiteral("Bairro"), 10140, 1095),
                     label("Label10", QStringLiteral("Cidade"), 11775, 1560),
                     label("Label11", QStringLiteral("Data Nasc."), 13935, 825)},
                    60, 14565),
         detail(
             {field("Text1", "cli_Id", 45, 705), field("Text2", "cli_Telefone", 800, 1105),
              field("Text6", "cli_Nome", 1950, 2385), field("Text5", "cli_Tipo", 4365, 750),
              field("Text7", "cli_Logradouro", 5130, 2685), field("Text9", "cli_Numero", 7875, 810),
              field("Text3", "cli_Complemento", 8745, 1560),
              field("Text4", "cli_Bairro", 10380, 1215), field("Text8", "cli_Cidade", 11790, 2175),
              field("Text10", "cli_Data_Nasc", 13995, 750, Format::Date)}),
         pageFooter(), reportFooter({}, 0)}};
}

ReportLayout pedidos() {
    return {
        QStringLiteral("drpRel_Pedidos"),
        QStringLiteral("Vendas"),
        QPageLayout::Portrait,
        {header(QStringLiteral("Relatório de Pedidos"), 6090, false),
         pageHeader({label("Label3", QStringLiteral("Pedido"), 50, 950),
                     label("Label4", QStringLiteral("Data Pedido"), 1000, 1500),
                     label("Label5", QStringLiteral("Valor Pedido"), 2500, 1600),
                     label("Label7", QStringLiteral("Forma Pgto."), 3900, 1800),
                     label("Label6", QStringLiteral("Staus"), 5900, 1400)},
                    0, 7200),
         detail({field("Text1", "ped_Ono", 50, 900),
                 field("Text2", "ped_Data", 1000, 1500, Format::Date),
                 field("Text6", "ped_Total", 2500, 1600, Format::Money),
                 field("Text4", "ped_Forma_Pagamento", 3900, 2500),
                 field("Text3", "ped_Status", 5900, 1400)}),
         pageFooter(),
         reportFooter(
             {rule("Shape2", 0, 7200, 60),
              label("lblFormaPagamentoTitulo", QString(), 15, 3420, 120, true),
              label("lblFormaPagamento", QString(), 15, 3420, 400),
              label("lblQuantidadeTitulo", QString(), 3900, 1710, 120, true),
              label("lblQuantidade", QString(), 3900, 1380, 400),
              label("lblSomaValorTotalTitulo", QString(), 5900, 1400, 120, true),
              label("lblSomaValorTotal", QString(), 5900, 1425, 400), rule("Shape3", 0, 7200, 760),
              label("Label9", QStringLiteral("Pedidos"), 15, 850, 820, true),
              label("lblPedidos", QString(), 885, 1245, 820),
              label("Label8", QStringLiteral("Valor Total"), 2500, 1235, 820, true),
              label("lblTotal", QString(), 3735, 1800, 820), rule("Shape4", 0, 7200, 1140)},
             1240)}};
}

ReportLayout formaPagamento() {
    return {QStringLiteral("drpRel_Forma_Pagamento"),
            QStringLiteral("Forma de Pagamento"),
            QPageLayout::Portrait,
            {header(QStringLiteral("Relatório de Forma de Pagamento"), 6090, true),
             pageHeader({label("Label3", QStringLiteral("Forma de Pagamento"), 45, 2850),
                         label("Label4", QStringLiteral("Valor"), 2940, 1275)},
                        0, 7320),
             detail({field("Text1", "ped_forma_pagamento", 45, 2625),
                     field("Text2", "somadeped_Total", 2910, 1305, Format::Money)}),
             pageFooter(),
             reportFooter({rule("Shape2", 15, 7320, 60),
                           label("Label8", QStringLiteral("Total"), 2040, 750, 120, true),
                           sum("Function1", "SomaDePed_Total", 2970, 1245, 120)},
                          440)}};
}

ReportLayout entregador() {
    return {
        QStringLiteral("drpRel_Entregador"),
        QStringLiteral("Entregador"),
        QPageLayout::Portrait,
        {header(QStringLiteral("Relatório de Entregador"), 6090, true),
         pageHeader({label("Label3", QStringLiteral("Entregador"), 45, 2950),
                     label("Label6", QStringLiteral("N. Pedido"), 3015, 1275),
                     label("Label4", QStringLiteral("Status"), 4515, 1275),
                     label("Label5", QStringLiteral("Valor"), 6165, 1275)},
                    0, 7710),
         detail({field("Text1", "ped_Entregador", 45, 2880), field("Text3", "ped_Ono", 3000, 1305),
                 field("Text2", "Ped_Status", 4500, 1320),
                 field("Text4", "Ped_Total", 6195, 1095, Format::Money)}),
         pageFooter(),
         reportFooter({rule("Shape2", 15, 7710, 60),
                       label("Label8", QStringLiteral("Total"), 4500, 1320, 120, true),
                       sum("Function1", "Ped_Total", 6195, 1965, 120)},
                      440)}};
}

ReportLayout vendaCategoria() {
    ReportLayout layout{
        QStringLiteral("rptVenda_Categoria"),
        QStringLiteral("Relatório de Cliente"),
        QPageLayout::Portrait,
        {header(QStringLiteral("Relatório de Venda por Categoria"), 6090, false),
         pageHeader({label("Label3", QStringLiteral("Categoria"), 45, 2400),
                     label("Label4", QStringLiteral("Produto"), 2500, 3400),
                     label("Label5", QStringLiteral("Quantidade"), 6000, 1300),
                     label("Label6", QStringLiteral("Total"), 7400, 1600)},
                    0, 9000),
         detail({field("Text1", "ite_cat", 45, 2400), field("Text2", "ite_Nome", 2500, 3400),
                 field("Text3", "Quantidade", 6000, 1300),
                 field("Text4", "Total", 7400, 1600, Format::Money)}),
         {QStringLiteral("GroupFooter1"),
          Role::GroupFooter,
          400,
          {rule("Shape2", 2500, 6500, 20),
           label("Label7", QStringLiteral("Subtotal"), 2500, 3400, 60, true),
           sum("Function1", "Quantidade", 6000, 1300, 60, Format::Text),
           sum("Function2", "Total", 7400, 1600, 60)}},
         pageFooter(),
         reportFooter({rule("Shape3", 0, 9000, 60),
                       label("Label8", QStringLiteral("Total Geral"), 2500, 3400, 120, true),
                       sum("Function3", "Quantidade", 6000, 1300, 120, Format::Text),
                       sum("Function4", "Total", 7400, 1600, 120)},
                      440)}};
    ReportBand& top = layout.bands.first();
    top.controls << label("fPeriodo", QString(), 45, 9000, kPeriodTop)
                 << label("fCategoria", QString(), 45, 9000, kPeriodTop + 280);
    top.height += 620;
    layout.groupColumn = QStringLiteral("ite_cat");
    return layout;
}

} // namespace reportLayouts
