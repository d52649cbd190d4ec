#include "common/screens/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(MessageBoxes::Icon icon) {
    switch (icon) {
    case MessageBoxes::Icon::None:
        return QMessageBox::NoIcon;
    case MessageBoxes::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxes::Icon::Question:
        return QMessageBox::Question;
    case MessageBoxes::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBoxes::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtMessageBoxes::QtMessageBoxes(QWidget* parent) : m_parent(parent) {}

void QtMessageBoxes::setParentWidget(QWidget* parent) {
    m_parent = parent;
}

QWidget* QtMessageBoxes::owner() const {
    return m_parent ? m_parent.data() : QApplication::activeWindow();
}

void QtMessageBoxes::show(Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(toQt(icon), caption, text, QMessageBox::Ok, owner());
    box.exec();
}

bool QtMessageBoxes::askYesNo(Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(toQt(icon), caption, text, QMessageBox::Yes | QMessageBox::No, owner());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}
