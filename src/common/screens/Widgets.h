#pragma once

#include <QString>
#include <utility>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The one way screens make their named controls; a screen sets only what differs on top.
namespace widgets {

template <typename Widget, typename... Args>
Widget* named(QWidget* parent, const QString& name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(name);
    return widget;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text);
QLineEdit* lineEdit(QWidget* parent, const QString& name, const QString& toolTip = {});
// autoDefault: Enter on the focused button presses it rather than the default one.
QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    bool autoDefault = false);
// A captioned frame laying its contents out in a row.
QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption);

} // namespace widgets
