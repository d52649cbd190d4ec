#include "common/screens/KeyFilterAttacher.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

#include <algorithm>

namespace {

bool isControl(QChar c) {
    return c.category() == QChar::Other_Control;
}

bool hasCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return !isControl(c); });
}

QString filterTyped(KeyFilterMode mode, const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (isControl(c)) {
            out.append(c);
        } else if (const auto kept = filterKey(mode, c)) {
            out.append(*kept);
        }
    }
    return out;
}

} // namespace

void KeyFilterAttacher::attach(QWidget* field, KeyFilterMode mode) {
    if (auto* existing =
            field->findChild<KeyFilterAttacher*>(QString(), Qt::FindDirectChildrenOnly)) {
        existing->m_mode = mode;
        return;
    }
    new KeyFilterAttacher(field, mode);
}

KeyFilterAttacher::KeyFilterAttacher(QWidget* field, KeyFilterMode mode)
    : QObject(field), m_field(field), m_mode(mode) {
    field->installEventFilter(this);
    // The combo box hands keys to its line edit, but a caller may also reach the line edit
    // directly; the filter is idempotent, so watching both is safe.
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
        combo->lineEdit()->installEventFilter(this);
    }
}

bool KeyFilterAttacher::eventFilter(QObject* watched, QEvent* event) {
    if (m_resending || m_mode == KeyFilterMode::None) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        return filterKeyPress(watched, static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::InputMethod) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (!input->commitString().isEmpty()) {
            input->setCommitString(filterTyped(m_mode, input->commitString()),
                                   input->replacementStart(), input->replacementLength());
        }
    }
    return false;
}

bool KeyFilterAttacher::filterKeyPress(QObject* receiver, QKeyEvent* key) {
    if (key->matches(QKeySequence::Paste)) {
        pasteFiltered();
        return true;
    }
    const QString text = key->text();
    if (!hasCharacter(text)) {
        return false;
    }
    const QString filtered = filterTyped(m_mode, text);
    if (filtered == text) {
        return false;
    }
    if (!filtered.isEmpty()) {
        QKeyEvent replacement(key->type(), key->key(), key->modifiers(), filtered,
                              key->isAutoRepeat(), static_cast<quint16>(key->count()));
        const QScopedValueRollback guard(m_resending, true);
        QCoreApplication::sendEvent(receiver, &replacement);
    }
    return true;
}

void KeyFilterAttacher::pasteFiltered() {
    const QString pasted = QGuiApplication::clipboard()->text();
    auto* combo = qobject_cast<QComboBox*>(m_field);
    auto* line = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(m_field);
    if (line) {
        if (!line->isReadOnly()) {
            line->insert(filterTyped(m_mode, QString(pasted).remove(u'\r').replace(u'\n', u' ')));
        }
        return;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(m_field); plain && !plain->isReadOnly()) {
        plain->insertPlainText(filterTyped(m_mode, pasted));
    }
}
