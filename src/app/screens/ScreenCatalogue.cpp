#include "app/screens/ScreenCatalogue.h"

#include "app/screens/MDIPrincipal.h"
#include "app/screens/frmSobre.h"
#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "data/Connections.h"
#include "management/screens/frmConsulta_Pedido.h"
#include "management/screens/frmExporta_Dados_Cliente.h"
#include "management/screens/frmExporta_Dados_Pedido.h"
#include "management/screens/frmExporta_Dados_Produto.h"
#include "management/screens/frmLocalizar_Pedido.h"
#include "management/screens/frmRelatorio_Cliente.h"
#include "management/screens/frmRelatorio_Entregador.h"
#include "management/screens/frmRelatorio_Forma_Pagamento.h"
#include "management/screens/frmRelatorio_Pedido.h"
#include "management/screens/frmRelatorio_Produto.h"
#include "management/screens/frmRelatorio_Produto_Venda.h"
#include "management/screens/frmTabela_Preco.h"
#include "masterdata/screens/frmCategoria.h"
#include "masterdata/screens/frmCliente.h"
#include "masterdata/screens/frmEntregador.h"
#include "masterdata/screens/frmProduto.h"
#include "orders/Reimpressao.h"
#include "orders/screens/frmImpressora.h"
#include "orders/screens/frmPedido.h"
#include "shell/screens/BackupOnLine.h"
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

// The consultation items: the registry in browse state with its lookup dialog. A lookup
// cancelled on a registry opened for it leaves no empty registry behind.
template <typename Screen> std::function<void(QDialog&, bool)> consulta() {
    return [](QDialog& screen, bool novo) {
        if (!static_cast<Screen&>(screen).consulta() && novo)
            screen.close();
    };
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

CatalogueEntry action(CatalogueEntry entry, std::function<void(MDIPrincipal&)> run) {
    entry.action = std::move(run);
    return entry;
}

// The order search shows a picked order on the one consultation screen.
void mostraPedidosNaConsulta(QDialog& screen, MDIPrincipal& window) {
    static_cast<frmLocalizar_Pedido&>(screen).setMostraPedido([&window](qint64 numero,
                                                                        bool somenteLeitura) {
        const bool aberta = window.aberta(QStringLiteral("frmConsulta_Pedido")) != nullptr;
        auto* consulta =
            qobject_cast<frmConsulta_Pedido*>(window.abre(QStringLiteral("frmConsulta_Pedido")));
        if (!consulta)
            return false;
        const bool mostrado = consulta->MostraPedido(numero);
        if (mostrado && somenteLeitura)
            consulta->setSomenteLeitura();
        if (!mostrado && !aberta)
            consulta->close();
        return mostrado;
    });
}

void reimprimeDaConsulta(QDialog& screen, MDIPrincipal& window) {
    static_cast<frmConsulta_Pedido&>(screen).setReimpressao([&window](qint64 numero) {
        const ScreenContext& context = window.context();
        reimprimePedido(context.connections.db(), context.settings, context.home.root(), numero,
                        QDateTime::currentDateTime());
    });
}

// The order screen's history image: the order search in history mode for its telephone. The
// search has one copy and its mode is fixed when it opens, so an open one gives way.
void abreHistoricoDoPedido(QDialog& screen, MDIPrincipal& window) {
    QObject::connect(static_cast<frmPedido*>(&screen), &frmPedido::historicoPedidos, &window,
                     [&window](const QString& telefone) {
                         if (QDialog* aberta = window.aberta(QStringLiteral("frmLocalizar_Pedido"));
                             aberta && !aberta->close())
                             return;
                         window.abre(QStringLiteral("mnuCon_Ped"), [telefone](QDialog& busca) {
                             auto& localizar = static_cast<frmLocalizar_Pedido&>(busca);
                             localizar.setOrigem(QStringLiteral("frmPedido"));
                             localizar.setTelefone(telefone);
                         });
                     });
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
                          .imageToolTip = QStringLiteral("Pedido - F3"),
                          .prepare = abreHistoricoDoPedido}),
        // Opened by the order search only.
        child<frmConsulta_Pedido>(
            {.name = QStringLiteral("frmConsulta_Pedido"), .prepare = reimprimeDaConsulta}),
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
        child<frmLocalizar_Pedido>({.menu = con,
                                    .name = QStringLiteral("mnuCon_Ped"),
                                    .caption = QStringLiteral("&Pedido"),
                                    .key = Qt::CTRL | Qt::Key_F3,
                                    .image = QStringLiteral("Consulta_Pedido"),
                                    .imageCaption = QStringLiteral("Consulta Pedido"),
                                    .prepare = mostraPedidosNaConsulta}),
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
        child<frmTabela_Preco>({.menu = con,
                                .name = QStringLiteral("mnuConTabelaPreco"),
                                .caption = QStringLiteral("&Tabela de Preços"),
                                .key = Qt::Key_F12,
                                .separatorBefore = true,
                                .image = QStringLiteral("Lista_Preco"),
                                .imageCaption = QStringLiteral("Lista de Preço"),
                                .imageToolTip = QStringLiteral("Lista de Preço - F12")}),

        child<frmExporta_Dados_Cliente>({.menu = uti,
                                         .name = QStringLiteral("mnuExp_Cli"),
                                         .caption = QStringLiteral("Exportar Dados &Cliente"),
                                         .check = Check::RelatoriosExportacao}),
        child<frmExporta_Dados_Pedido>({.menu = uti,
                                        .name = QStringLiteral("mnuExp_Ped"),
                                        .caption = QStringLiteral("Exportar Dados &Pedido"),
                                        .check = Check::RelatoriosExportacao}),
        child<frmExporta_Dados_Produto>({.menu = uti,
                                         .name = QStringLiteral("mnuExp_Pro"),
                                         .caption = QStringLiteral("Exportar Dados P&roduto"),
                                         .check = Check::RelatoriosExportacao}),
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
        child<frmBackup>({.menu = uti,
                          .name = QStringLiteral("mnuUti_Bac"),
                          .caption = QStringLiteral("B&ackup do Sistema"),
                          .separatorBefore = true}),
        // Modal: the screen refuses to close while rows go.
        action({.menu = uti,
                .name = QStringLiteral("mnuBackupOnLine"),
                .caption = QStringLiteral("Backup OnLine")},
               [](MDIPrincipal& window) {
                   ExecutaBackupOnLine(window.context(), &window, BackupOnLineOrigem::Menu);
               }),
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

        child<frmRelatorio_Pedido>({.menu = relPed,
                                    .name = QStringLiteral("mnu_Rel_Ped_Todos_Pedidos"),
                                    .caption = QStringLiteral("&Todos Pedidos")}),
        child<frmRelatorio_Forma_Pagamento>({.menu = relPed,
                                             .name = QStringLiteral("mnu_Rel_Ped_Forma_Pagamento"),
                                             .caption = QStringLiteral("Forma de &Pagamento")}),
        child<frmRelatorio_Entregador>({.menu = relPed,
                                        .name = QStringLiteral("mnu_Rel_Ped_Entregador"),
                                        .caption = QStringLiteral("Entregador")}),
        child<frmRelatorio_Cliente>({.menu = relCli,
                                     .name = QStringLiteral("mnu_Rel_Cli_Todos_Clietes"),
                                     .caption = QStringLiteral("Todos Clientes")}),
        child<frmRelatorio_Produto_Venda>({.menu = relPro,
                                           .name = QStringLiteral("mnuRel_Pro_Produtos_Vendidos"),
                                           .caption = QStringLiteral("&Produtos Vendidos")}),
        child<frmRelatorio_Produto>({.menu = relPro,
                                     .name = QStringLiteral("mnuRel_Pro_Todos_Produtos"),
                                     .caption = QStringLiteral("&Todos Produtos")}),

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
    // The order screen lives inside the main window: a call brings it back from the
    // notification area.
    if (!window.janelaVisivel())
        window.MostraJanela();
    QDialog* open = window.aberta(QStringLiteral("frmPedido"));
    if (!open)
        open = window.abre(QStringLiteral("mnuPedido"));
    if (auto* pedido = qobject_cast<frmPedido*>(open))
        pedido->recebeChamada(telefone);
}
