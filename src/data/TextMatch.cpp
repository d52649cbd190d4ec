#include "data/TextMatch.h"

#include "data/SqlIdentifier.h"

namespace textMatch {
namespace {

// PostgreSQL's fold indexes are built in "C" order: a comparison must name it to use them.
QString foldedColumn(ConnectionSpec::Engine engine, const QString& column) {
    const QString folded = QStringLiteral("brisko_fold(%1)").arg(sqlIdentifier::require(column));
    return engine == ConnectionSpec::Engine::Postgres ? folded + QStringLiteral(" COLLATE \"C\"")
                                                      : folded;
}

} // namespace

QString foldText(const QString& text) {
    return text.normalized(QString::NormalizationForm_C).toLower();
}

std::optional<QString> prefixUpperBound(const QString& foldedPrefix) {
    QList<uint> codePoints = foldedPrefix.toUcs4();
    while (!codePoints.isEmpty()) {
        uint last = codePoints.takeLast();
        if (last >= 0x10FFFF)
            continue;
        ++last;
        if (last >= 0xD800 && last <= 0xDFFF)
            last = 0xE000;
        codePoints.append(last);
        return QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()),
                                 codePoints.size());
    }
    return std::nullopt;
}

SqlCondition foldEquals(ConnectionSpec::Engine engine, const QString& column,
                        const QString& value) {
    return {foldedColumn(engine, column) + QStringLiteral(" = brisko_fold(?)"), {value}};
}

SqlCondition foldPrefix(ConnectionSpec::Engine engine, const QString& column,
                        const QString& prefix) {
    if (prefix.isEmpty())
        return {};
    const QString lower = foldText(prefix);
    const QString expression = foldedColumn(engine, column);
    SqlCondition condition{expression + QStringLiteral(" >= ?"), {lower}};
    if (const auto upper = prefixUpperBound(lower)) {
        condition.sql += QStringLiteral(" AND ") + expression + QStringLiteral(" < ?");
        condition.binds << *upper;
    }
    return condition;
}

QString foldOrder(ConnectionSpec::Engine engine, const QString& column) {
    return foldedColumn(engine, column);
}

} // namespace textMatch
