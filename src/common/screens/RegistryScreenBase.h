#pragma once

#include "common/WriteOutcome.h"
#include "common/screens/ScreenBase.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Database;
class QHBoxLayout;
struct ScreenContext;

// The four states of every registry screen and what its six buttons do to them. A member
// lays out its fields, registers them (locking and unlocking move them together) and
// answers the hooks: its messages, its store calls and its dialogs.
class RegistryScreenBase : public ScreenBase {
    Q_OBJECT
public:
    enum class State { Browse, Inclusion, Change, Deletion };
    // What Save will do: `OperacaoCadastro`.
    enum class Operacao { Inclusao = 0, Alteracao = 1 };

    static ScreenOptions registryOptions(TitleButtonSet titleButtons = TitleButtonSet::All);

    RegistryScreenBase(ScreenContext& context, QWidget* parent = nullptr,
                       const ScreenOptions& options = registryOptions());

    State state() const { return m_state; }
    Operacao operacao() const { return m_operacao; }
    bool fieldsLocked() const { return m_locked; }

    QPushButton* btnIncluir() const { return m_btnIncluir; }
    QPushButton* btnEditar() const { return m_btnEditar; }
    QPushButton* btnDeletar() const { return m_btnDeletar; }
    QPushButton* btnSalvar() const { return m_btnSalvar; }
    QPushButton* btnSair() const { return m_btnSair; }
    QPushButton* btnProcurar1() const { return m_btnProcurar1; }

public Q_SLOTS:
    void btnIncluir_Click();
    void btnEditar_Click();
    void btnDeletar_Click();
    void btnSalvar_Click();
    void btnProcurar1_Click();
    // The browse state with the lookup dialog, as btnProcurar1; true when a record was picked.
    bool consulta();

protected:
    ScreenContext& context() const { return m_context; }
    Database& db() const;

    // The row of the six buttons, for the member's layout.
    QWidget* buttonBar() const { return m_buttonBar; }
    // A button of the member's own that is on while a record is edited only (`btnCep`).
    void addEditingButton(QPushButton* button);
    // A field locked, unlocked and coloured with the others.
    void addField(QWidget* field);

    // Opening: browse state, fields locked. Members call it at the end of their constructor.
    void start();
    void setState(State state);
    void lockFields();
    void unlockFields();

    // Runs `handler` when the user leaves `field` (the duplicate checks); errors go to the
    // error routine.
    void whenLeft(QWidget* field, std::function<void()> handler);

    // Opens a lookup dialog modally and hands its picked record to `show`; false when the
    // dialog was cancelled.
    template <typename Dialog, typename Show> bool escolheCom(Show show) {
        Dialog dialog(m_context, this);
        if (dialog.exec() != QDialog::Accepted || !dialog.escolhido())
            return false;
        show(*dialog.escolhido());
        return true;
    }

    // "Aviso" information box / Yes-No question.
    void aviso(const QString& text);
    bool pergunta(const QString& text);
    // How every registry tells what saving a change did: the notice of success, `taken` when
    // another record holds the name, the notice of a record deleted meanwhile. True when saved.
    bool changeSaved(WriteOutcome outcome, const QString& savedText,
                     const std::function<void()>& taken, const QString& notFoundText);
    // How every registry tells a deletion: done, or the record gone meanwhile (another
    // workstation removed it), which is not reported as done.
    void deletionDone(bool removed, const QString& doneText, const QString& notFoundText);

    // --- the member's part ---
    virtual void clearFields() = 0;
    virtual bool isTableEmpty() = 0;
    // "Não existe categoria cadastrada" and its kin; Edit and Delete may word it differently.
    virtual QString emptyTableText(bool deleting) const = 0;
    // Where the focus goes when a record is new.
    virtual QWidget* firstField() const = 0;
    // Where the focus goes after a record was picked for change.
    virtual QWidget* firstEditField() const { return firstField(); }
    // Runs after the fields were unlocked and cleared for a new record; false leaves the
    // screen in its browse buttons (nothing can be included yet).
    virtual bool prepareInclusion() { return true; }
    // After the fields were unlocked for a change or a deletion.
    virtual void prepareSelection(State) {}
    // Opens the Selecionar dialog and shows the picked record; false when it was cancelled.
    virtual bool selecionar() = 0;
    // After a record was picked for change.
    virtual void afterChangePick() {}
    // Opens the Localizar dialog, which shows the picked record.
    virtual bool localizar() = 0;
    // The question before deleting the record shown; none when there is nothing to delete.
    virtual std::optional<QString> deletionQuestion() const = 0;
    virtual QString deletionCancelledText() const = 0;
    // Whether a cancelled deletion empties the fields as well as locking them.
    virtual bool clearsAfterCancelledDeletion() const { return true; }
    // Deletes the record shown and says so.
    virtual void deleteRecord() = 0;
    // true when written: the screen locks and returns to browse.
    virtual bool saveInclusion() = 0;
    virtual bool saveChange() = 0;
    // A cancelled Selecionar dialog: browse state with everything locked.
    virtual void selectionCancelled();

private:
    QPushButton* makeButton(const QString& name, const QString& caption);

    ScreenContext& m_context;
    QWidget* m_buttonBar;
    QPushButton* m_btnIncluir;
    QPushButton* m_btnEditar;
    QPushButton* m_btnDeletar;
    QPushButton* m_btnSalvar;
    QPushButton* m_btnSair;
    QPushButton* m_btnProcurar1;
    QList<QPushButton*> m_editingButtons;
    QList<QWidget*> m_fields;
    State m_state = State::Browse;
    Operacao m_operacao = Operacao::Inclusao;
    bool m_locked = true;
};
