#pragma once

#include "common/ListColumn.h"
#include "common/screens/ScreenBase.h"

#include <QStringList>

class Database;
class QAbstractItemModel;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTreeView;
struct ScreenContext;

// The search-list-pick skeleton of every lookup and selection dialog: a title, the search
// frames a member adds, the report-style list refilled on every keystroke with its first row
// selected, and "&Procurar", which takes the selected row. A pick closes the dialog
// accepted and the opener reads the chosen record from the member; every other way out
// rejects it (a Selecionar opener then returns to its browse state).
class LookupDialogBase : public ScreenBase {
    Q_OBJECT
public:
    enum class Kind { Localizar, Selecionar };

    struct Definition {
        Kind kind = Kind::Localizar;
        QString title;
        QString listName; // `lstSelecionar_<entity>`
        ListColumns columns;
        QString notFoundText;
        QString notFoundCaption = QStringLiteral("Brisko");
    };

    LookupDialogBase(ScreenContext& context, const Definition& definition,
                     QWidget* parent = nullptr);

    Kind kind() const { return m_definition.kind; }
    QLabel* titleLabel() const { return m_title; }
    QTreeView* list() const { return m_list; }
    QPushButton* btnProcurar1() const { return m_btnProcurar1; }
    // The selected row, or -1 for an empty list.
    int selectedRow() const;
    int rowCount() const;
    // The text of a cell as the list shows it.
    QString cellText(int row, int column) const;

public Q_SLOTS:
    void btnProcurar1_Click();

protected:
    ScreenContext& context() const { return m_context; }
    Database& db() const;

    // A frame of search boxes above the list.
    QGroupBox* addSearchFrame(const QString& name, const QString& caption);
    // A search box in `frame`; typing in it refills the list.
    QLineEdit* addSearchBox(QGroupBox* frame, const QString& name, KeyFilterMode filter);
    QHBoxLayout* searchRow() const { return m_searchRow; }

    // The list's model when a member brings its own (a lazily fetched one); the default is a
    // plain table filled by setRows.
    void setModel(QAbstractItemModel* model);
    void setRows(const QList<QStringList>& rows);

    // Loads the list for what the search boxes hold now; errors go to the error routine.
    void refresh();
    // The member's statement for the current search.
    virtual void refill() = 0;
    // Takes the record of `row`; false when it is no longer there.
    virtual bool pick(int row) = 0;
    // The box emptied and focused after a not-found.
    virtual QWidget* searchBox() const = 0;
    // What "&Procurar" does; the default is the pick with its not-found message.
    virtual void procurar();
    virtual void rowDoubleClicked(int row);
    // The button itself was pressed (by the mouse, its key or as the default button).
    virtual void botaoProcurarClicado();

    void notFound();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectFirstRow();
    void readMoreNearTheEnd();
    // Widens the columns to the rows from `first` on.
    void fitColumns(int first);

    ScreenContext& m_context;
    Definition m_definition;
    QLabel* m_title;
    QHBoxLayout* m_searchRow;
    QTreeView* m_list;
    QStandardItemModel* m_rows;
    QPushButton* m_btnProcurar1;
};
