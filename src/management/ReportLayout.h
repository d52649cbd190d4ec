#pragma once

#include <QList>
#include <QPageLayout>
#include <QString>

// A banded report described as data: the renderer draws any layout the same way on screen,
// paper and PDF. Positions are in twips (1/1440 inch) from the left page margin.
struct ReportControl {
    enum class Kind { Label, Field, Sum, Rule, PageNumber };
    enum class Format { Text, Money, Date };

    QString name;
    Kind kind = Kind::Label;
    // The caption of a label, or the column of a field or sum (matched case-insensitively).
    QString text;
    int left = 0;
    // 0 stretches to the right page margin.
    int width = 0;
    int top = 0;
    Format format = Format::Text;
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft;
};

struct ReportBand {
    enum class Role { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter, GroupFooter };

    QString name;
    Role role = Role::Detail;
    int height = 0;
    QList<ReportControl> controls;
};

struct ReportLayout {
    QString name;
    QString caption;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QList<ReportBand> bands;
    // Printed where a label's caption is "%i".
    QString title{};
    // Rows with the same value here form a group closed by the GroupFooter band.
    QString groupColumn{};

    const ReportBand* band(ReportBand::Role role) const;
    ReportBand* band(const QString& name);
    ReportControl* control(const QString& bandName, const QString& controlName);
    // Sets a run-time caption; throws Error when the layout has no such label.
    void setCaption(const QString& bandName, const QString& controlName, const QString& caption);
};

namespace reportLayouts {

ReportLayout produtos();
ReportLayout clientes();
ReportLayout pedidos();
ReportLayout formaPagamento();
ReportLayout entregador();
// Products sold per category, with a subtotal per category and a grand total.
ReportLayout vendaCategoria();

} // namespace reportLayouts
