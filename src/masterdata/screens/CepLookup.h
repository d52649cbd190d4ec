#pragma once

#include "masterdata/CepResult.h"
#include "masterdata/screens/CepTarget.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <memory>

class CepClient;
class QComboBox;
class QLineEdit;
struct ScreenContext;

// Fills a customer screen's address from the postal code without freezing it: `start` returns
// at once, the busy pointer shows until the answer, and the answer is written into the target
// and then announced by `finished`. A second start while one is pending replaces it (the code
// may have been corrected); only the newest answer is ever written.
//
// Writing: every field that came with text is written (street type, street, neighbourhood and
// city capitalised word by word, the state upper-cased); a field without text leaves its box
// as it is, so a "not found" answer does not wipe what the attendant typed. A complete answer
// also rewrites mskCEP as "#####-###" and paints it black. A failed lookup writes nothing and
// goes to the common error routine before `finished`.
class CepLookup : public QObject {
    Q_OBJECT

public:
    // "#####-###" with "_" prompts: displayText() is the nine characters, text() drops prompts.
    static inline const QString kInputMask = QStringLiteral("99999-999;_");
    static inline const QColor kNormalText = QColor(0, 0, 0);
    static inline const QColor kNotFoundText = QColor(255, 0, 0);

    // The service comes from the settings (built-in default when empty).
    CepLookup(ScreenContext& context, const CepTarget& target, QObject* parent = nullptr);
    ~CepLookup() override;

    // Nine characters and no prompt left.
    static bool completo(const QLineEdit& mskCEP);
    // The eight digits of a complete box, otherwise empty.
    static QString digits(const QLineEdit& mskCEP);
    static void paintText(QWidget* field, const QColor& colour);
    static QColor textColour(const QWidget* field);

    // frmCliente's btnCep: an incomplete target mskCEP is refused with the message and no
    // request; otherwise its digits are looked up. False when refused.
    bool startFromTarget();
    void start(const QString& digits);
    // Abandons a pending lookup: nothing is written and `finished` is not emitted.
    void cancel();
    bool isPending() const { return m_pending; }

    void setTimeout(std::chrono::milliseconds timeout);
    std::chrono::milliseconds timeout() const { return m_timeout; }

    // Writes a result into the target (see above), reporting an error result.
    void apply(const CepResult& result);

Q_SIGNALS:
    void finished(const CepResult& result);

private:
    struct Target {
        QPointer<QComboBox> cboUF;
        QPointer<QLineEdit> txtCidade;
        QPointer<QLineEdit> txtBairro;
        QPointer<QComboBox> cboTipo;
        QPointer<QLineEdit> txtLogradouro;
        QPointer<QLineEdit> mskCEP;
    };

    void makeClient();
    void answered(const CepResult& result);
    void setBusy(bool busy);

    ScreenContext& m_context;
    Target m_target;
    std::chrono::milliseconds m_timeout;
    std::unique_ptr<CepClient> m_client;
    bool m_pending = false;
    bool m_busy = false;
};
