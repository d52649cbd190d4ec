#include "app/screens/ScreenCatalogue.h"

#include "app/screens/MDIPrincipal.h"
#include "app/screens/frmSobre.h"
#include "masterdata/screens/frmCategoria.h"
#include "masterdata/screens/frmCliente.h"
#include "masterdata/screens/frmEntregador.h"
#include "masterdata/screens/frmProduto.h"
#include "orders/screens/frmImpressora.h"
#include "orders/screens/frmPedido.h"
#include "shell/screens/frmBackup.h"
#include "shell/screens/frmUsuario.h"

namespace {

using Check = AuthorityCheck;
using Opening = CatalogueEntry::Opening;

template <typename Screen> CatalogueEntry::Factory make() {
    return [](ScreenContext& context, QWidget* parent) -> QDialog* {
        return new Screen(context, parent);
    };
}

// The consultation items: the registry in browse state with its lookup dialog.
template <typename Screen> std::function<void(QDialog&)> consulta() {
    return [](QDialog& screen) { static_cast<Screen&>(screen).btnProcurar1_Click(); };
}

template <typename Screen> CatalogueEntry child(CatalogueEntry entry) {
    entry.opening = Opening::Child;
    entry.screen = Screen::staticMetaObject.className();
    entry.create = make<Screen>();
    return entry;
}

template <typename Screen> CatalogueEntry modal(CatalogueEntry entry) {
    entry.opening = Opening::Modal;
    entry.screen = Screen::staticMetaObject.className();
    entry.create = make<Screen>();
    return entry;
}

// A row whose screen is not built yet.
CatalogueEntry pending(CatalogueEntry entry, Opening opening, const char* screen) {
    entry.opening = opening;
    entry.screen = QString::fromLatin1(screen);
    return entry;
}

CatalogueEntry action(CatalogueEntry entry, std::function<void(MDIPrincipal&)> run) {
    entry.action = std::move(run);
    return entry;
}

QList<CatalogueEntry> build() {
    const QString cad = QStringLiteral("mnuCad");
    const QString con = QStringLiteral("mnuCon");
    const QString uti = QStringLiteral("mnuUti");
    const QString relPed = QStringLiteral("mnuRel_Ped");
    const QString relCli = QStringLiteral("mnuRel_Cli");
    const QString relPro = QStringLiteral("mnuRel_Pro");
    const QString usu = QStringLiteral("mnuUsu");
    const QString aju = QStringLiteral("mnuAju");
    const QString sai = QStringLiteral("mnuSai");
    return {
        child<frmCliente>({.menu = cad,
                           .name = QStringLiteral("mnuCliente"),
                           .caption = QStringLiteral("&Cliente"),
                           .key = Qt::Key_F2,
                           .image = QStringLiteral("Cliente"),
                           .imageCaption = QStringLiteral("Cliente"),
                           .imageToolTip = QStringLiteral("Cliente - F2")}),
        child<frmPedido>({.menu = cad,
                          .name = QStringLiteral("mnuPedido"),
                          .caption = QStringLiteral("&Pedido"),
                          .key = Qt::Key_F3,
                          .image = QStringLiteral("Pedido"),
                          .imageCaption = QStringLiteral("Pedido"),
                          .imageToolTip = QStringLiteral("Pedido - F3")}),
        child<frmProduto>({.menu = cad,
                           .name = QStringLiteral("mnuProduto"),
                           .caption = QStringLiteral("P&roduto"),
                           .key = Qt::Key_F4,
                           .image = QStringLiteral("Produto"),
                           .imageCaption = QStringLiteral("Produto"),
                           .imageToolTip = QStringLiteral("Produto - F4")}),
        child<frmCategoria>({.menu = cad,
                             .name = QStringLiteral("mnuCad_Cat"),
                             .caption = QStringLiteral("C&ategoria"),
                             .key = Qt::Key_F5,
                             .image = QStringLiteral("Categoria"),
                             .imageCaption = QStringLiteral("Categoria"),
                             .imageToolTip = QStringLiteral("Categoria - F5")}),
        child<frmUsuario>({.menu = cad,
                           .name = QStringLiteral("mnuUsuario"),
                           .caption = QStringLiteral("&Usuário"),
                           .key = Qt::Key_F6,
                           .check = Check::Usuario,
                           .image = QStringLiteral("Usuario"),
                           .imageCaption = QStringLiteral("Usuários"),
                           .imageToolTip = QStringLiteral("Usuários - F6"),
                           .imageCheck = Check::UsuarioConsulta}),
        child<frmEntregador>({.menu = cad,
                              .name = QStringLiteral("mnuCadEntregador"),
                              .caption = QStringLiteral("&Entregador"),
                              .key = Qt::Key_F7}),

        child<frmCliente>({.menu = con,
                           .name = QStringLiteral("mnuCon_Cli"),
                           .caption = QStringLiteral("&Cliente"),
                           .afterOpen = consulta<frmCliente>()}),
        pending({.menu = con,
                 .name = QStringLiteral("mnuCon_Ped"),
                 .caption = QStringLiteral("&Pedido"),
                 .key = Qt::CTRL | Qt::Key_F3,
                 .image = QStringLiteral("Consulta_Pedido"),
                 .imageCaption = QStringLiteral("Consulta Pedido")},
                Opening::Child, "frmLocalizar_Pedido"),
        child<frmProduto>({.menu = con,
                           .name = QStringLiteral("mnuCon_Pro"),
                           .caption = QStringLiteral("P&roduto"),
                           .afterOpen = consulta<frmProduto>()}),
        child<frmCategoria>({.menu = con,
                             .name = QStringLiteral("mnuCon_Cat"),
                             .caption = QStringLiteral("C&ategoria"),
                             .afterOpen = consulta<frmCategoria>()}),
        child<frmUsuario>({.menu = con,
                           .name = QStringLiteral("mnuConUsu"),
                           .caption = QStringLiteral("Usuário"),
                           .check = Check::UsuarioConsulta,
                           .afterOpen = consulta<frmUsuario>()}),
        child<frmEntregador>({.menu = con,
                              .name = QStringLiteral("mnuConEntregador"),
                              .caption = QStringLiteral("&Entregador"),
                              .afterOpen = consulta<frmEntregador>()}),
        pending({.menu = con,
                 .name = QStringLiteral("mnuConTabelaPreco"),
                 .caption = QStringLiteral("&Tabela de Preços"),
                 .key = Qt::Key_F12,
                 .separatorBefore = true,
                 .image = QStringLiteral("Lista_Preco"),
                 .imageCaption = QStringLiteral("Lista de Preço"),
                 .imageToolTip = QStringLiteral("Lista de Preço - F12")},
                Opening::Child, "frmTabela_Preco"),

        pending({.menu = uti,
                 .name = QStringLiteral("mnuExp_Cli"),
                 .caption = QStringLiteral("Exportar Dados &Cliente"),
                 .check = Check::RelatoriosExportacao},
                Opening::Child, "frmExporta_Dados_Cliente"),
        pending({.menu = uti,
                 .name = QStringLiteral("mnuExp_Ped"),
                 .caption = QStringLiteral("Exportar Dados &Pedido"),
                 .check = Check::RelatoriosExportacao},
                Opening::Child, "frmExporta_Dados_Pedido"),
        pending({.menu = uti,
                 .name = QStringLiteral("mnuExp_Pro"),
                 .caption = QStringLiteral("Exportar Dados P&roduto"),
                 .check = Check::RelatoriosExportacao},
                Opening::Child, "frmExporta_Dados_Produto"),
        action({.menu = uti,
                .name = QStringLiteral("mnuUti_Blo"),
                .caption = QStringLiteral("&Bloco de Notas"),
                .key = Qt::CTRL | Qt::Key_B,
                .separatorBefore = true},
               [](MDIPrincipal& window) { window.iniciaPrograma(true); }),
        action({.menu = uti,
                .name = QStringLiteral("mnuUti_Cal"),
                .caption = QStringLiteral("&Calculadora"),
                .key = Qt::CTRL | Qt::Key_C},
               [](MDIPrincipal& window) { window.iniciaPrograma(false); }),
        modal<frmBackup>({.menu = uti,
                          .name = QStringLiteral("mnuUti_Bac"),
                          .caption = QStringLiteral("B&ackup do Sistema"),
                          .separatorBefore = true}),
        pending({.menu = uti,
                 .name = QStringLiteral("mnuBackupOnLine"),
                 .caption = QStringLiteral("Backup OnLine")},
                Opening::Modal, "frmSincroniza"),
        action({.menu = uti,
                .name = QStringLiteral("mnuAlertaAniversariante"),
                .caption = QStringLiteral("Alerta de Aniversariantes"),
                .separatorBefore = true,
                .checkable = true},
               [](MDIPrincipal& window) { window.alternaAlertaAniversario(); }),
        modal<frmImpressora>({.menu = uti,
                              .name = QStringLiteral("mnuUti_Imp"),
                              .caption = QStringLiteral("Impressora"),
                              .separatorBefore = true}),

        pending({.menu = relPed,
                 .name = QStringLiteral("mnu_Rel_Ped_Todos_Pedidos"),
                 .caption = QStringLiteral("&Todos Pedidos")},
                Opening::Child, "frmRelatorio_Pedido"),
        pending({.menu = relPed,
                 .name = QStringLiteral("mnu_Rel_Ped_Forma_Pagamento"),
                 .caption = QStringLiteral("Forma de &Pagamento")},
                Opening::Child, "frmRelatorio_Forma_Pagamento"),
        pending({.menu = relPed,
                 .name = QStringLiteral("mnu_Rel_Ped_Entregador"),
                 .caption = QStringLiteral("Entregador")},
                Opening::Child, "frmRelatorio_Entregador"),
        pending({.menu = relCli,
                 .name = QStringLiteral("mnu_Rel_Cli_Todos_Clietes"),
                 .caption = QStringLiteral("Todos Clientes")},
                Opening::Child, "frmRelatorio_Cliente"),
        pending({.menu = relPro,
                 .name = QStringLiteral("mnuRel_Pro_Produtos_Vendidos"),
                 .caption = QStringLiteral("&Produtos Vendidos")},
                Opening::Child, "frmRelatorio_Produto_Venda"),
        pending({.menu = relPro,
                 .name = QStringLiteral("mnuRel_Pro_Todos_Produtos"),
                 .caption = QStringLiteral("&Todos Produtos")},
                Opening::Child, "frmRelatorio_Produto"),

        action({.menu = usu,
                .name = QStringLiteral("mnuUsu_Tro"),
                .caption = QStringLiteral("&Trocar Usuário")},
               [](MDIPrincipal& window) { window.TrocaUsuario(); }),

        modal<frmSobre>({.menu = aju,
                         .name = QStringLiteral("mnuAju_Inf"),
                         .caption = QStringLiteral("&Informações do Sistema")}),
        action({.menu = aju,
                .name = QStringLiteral("mnuAju_Aju"),
                .caption = QStringLiteral("&Ajuda do Sistema"),
                .key = Qt::Key_F1},
               [](MDIPrincipal& window) { window.mostraAjuda(); }),
        // The check for a newer version is not offered.
        {.menu = aju,
         .name = QStringLiteral("mnuProcuraAtualizacao"),
         .caption = QStringLiteral("&Procurar Atualizações")},

        action({.menu = sai,
                .name = QStringLiteral("mnuSai_Enc"),
                .caption = QStringLiteral("&Encerrar Sistema"),
                .key = Qt::CTRL | Qt::Key_F4,
                .image = QStringLiteral("Sair"),
                .imageCaption = QStringLiteral("Sair")},
               [](MDIPrincipal& window) { window.EncerraSistema(); }),
    };
}

} // namespace

const QList<CatalogueMenu>& catalogueMenus() {
    static const QList<CatalogueMenu> menus = {
        {QStringLiteral("mnuCad"), {}, QStringLiteral("&Cadastro")},
        {QStringLiteral("mnuCon"), {}, QStringLiteral("&Consulta")},
        {QStringLiteral("mnuUti"), {}, QStringLiteral("&Utilitários")},
        {QStringLiteral("mnuRel"), {}, QStringLiteral("&Relatórios"), Check::RelatoriosExportacao},
        {QStringLiteral("mnuRel_Ped"), QStringLiteral("mnuRel"), QStringLiteral("&Pedidos")},
        {QStringLiteral("mnuRel_Cli"), QStringLiteral("mnuRel"), QStringLiteral("&Clientes")},
        {QStringLiteral("mnuRel_Pro"), QStringLiteral("mnuRel"), QStringLiteral("P&rodutos")},
        {QStringLiteral("mnuUsu"), {}, QStringLiteral("&Usuário")},
        {QStringLiteral("mnuAju"), {}, QStringLiteral("&Ajuda")},
        {QStringLiteral("mnuSai"), {}, QStringLiteral("&Sair")},
    };
    return menus;
}

const QList<CatalogueEntry>& screenCatalogue() {
    static const QList<CatalogueEntry> entries = build();
    return entries;
}

void entregaChamada(MDIPrincipal& window, const QString& telefone) {
    QDialog* open = window.aberta(QStringLiteral("frmPedido"));
    if (!open)
        open = window.abre(QStringLiteral("mnuPedido"));
    if (auto* pedido = qobject_cast<frmPedido*>(open))
        pedido->recebeChamada(telefone);
}
