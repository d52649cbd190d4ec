#pragma once

#include <QString>

class QHBoxLayout;
class QLabel;
class QToolButton;
class QWidget;

// The look the login and the first start's password screen share: the dark red background,
// the logo with the program's name, and the round image buttons.
namespace LoginLook {

enum class Picture { Entrar, Cancelar };

// The background and white texts for the screen class `screenClass`.
QString styleSheet(const QString& screenClass);
// Reachable with Tab and pressed with Space; Enter in a field never reaches it.
QToolButton* imageButton(QWidget* parent, const QString& name, Picture picture,
                         const QString& text);
QLabel* label(QWidget* parent, const QString& name, const QString& text);
// The logo and the program's name.
QHBoxLayout* header(QWidget* parent);

} // namespace LoginLook
