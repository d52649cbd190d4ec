#pragma once

#include "common/screens/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

// Real message boxes, over `parent` when one is set, otherwise over the active window.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr);

    void setParentWidget(QWidget* parent);

    void show(Icon icon, const QString& caption, const QString& text) override;
    bool askYesNo(Icon icon, const QString& caption, const QString& text) override;

private:
    QWidget* owner() const;

    QPointer<QWidget> m_parent;
};
