#include "common/screens/Widgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace widgets {

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    return named<QLabel>(parent, name, text);
}

QLineEdit* lineEdit(QWidget* parent, const QString& name, const QString& toolTip) {
    auto* box = named<QLineEdit>(parent, name);
    box->setToolTip(toolTip);
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    bool autoDefault) {
    auto* made = named<QPushButton>(parent, name, caption);
    made->setAutoDefault(autoDefault);
    return made;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption) {
    auto* box = named<QGroupBox>(parent, name, caption);
    box->setLayout(new QHBoxLayout);
    return box;
}

} // namespace widgets
