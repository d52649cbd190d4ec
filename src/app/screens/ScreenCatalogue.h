#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>

class MDIPrincipal;
class QDialog;
class QWidget;
struct ScreenContext;

// Who may use an item; the two user checks differ only in the refusal text.
enum class AuthorityCheck { None, Usuario, UsuarioConsulta, RelatoriosExportacao };

// A menu of the menu bar (or a submenu), in the order the menus appear.
struct CatalogueMenu {
    QString name;
    QString parent; // empty: the menu bar
    QString caption;
    // Checked when the menu pops up rather than per item.
    AuthorityCheck checkOnOpen = AuthorityCheck::None;
};

// One item of the main window: a screen it opens or an action of its own, in menu order.
struct CatalogueEntry {
    enum class Opening {
        Child, // one copy over the main window; the open one is brought forward
        Modal,
        Action, // no screen: `action` runs
    };
    using Factory = std::function<QDialog*(ScreenContext&, QWidget* parent)>;

    QString menu = {}; // empty: no menu item, opened by other screens only
    QString name;
    QString caption = {};
    QKeySequence key = {};
    AuthorityCheck check = AuthorityCheck::None;
    bool separatorBefore = false;
    bool checkable = false;
    // The image button standing for the item, when it has one.
    QString image = {};
    QString imageCaption = {};
    QString imageToolTip = {};
    AuthorityCheck imageCheck = AuthorityCheck::None;

    Opening opening = Opening::Action;
    // The screen's object name: a Child is found again by it.
    QString screen = {};
    // Empty while the screen is not built: the item is hidden and its image disabled.
    Factory create = {};
    // Runs on a new screen before it is shown, with the window that opens it.
    std::function<void(QDialog&, MDIPrincipal&)> prepare = {};
    // Runs on the opened (or brought forward) screen.
    // `novo`: the screen was opened now rather than raised.
    std::function<void(QDialog& screen, bool novo)> afterOpen = {};
    std::function<void(MDIPrincipal&)> action = {};

    bool available() const { return create || action; }
};

// The only list of what the main window opens: its menus, image menu, keys and checks are
// built from it, so a new screen is one row.
const QList<CatalogueMenu>& catalogueMenus();
const QList<CatalogueEntry>& screenCatalogue();

// A number from the caller identification reaches the order screen, opened if needed.
void entregaChamada(MDIPrincipal& window, const QString& telefone);
