#include "data/TextMatch.h"

#include "data/SqlIdentifier.h"

namespace textMatch {
namespace {

// PostgreSQL's fold indexes are built in "C" order: a comparison must name it to use them.
QString inCodeOrder(ConnectionSpec::Engine engine, const QString& expression) {
    return engine == ConnectionSpec::Engine::Postgres
               ? expression + QStringLiteral(" COLLATE \"C\"")
               : expression;
}

QString foldedColumn(ConnectionSpec::Engine engine, const QString& column) {
    return inCodeOrder(engine,
                       QStringLiteral("brisko_fold(%1)").arg(sqlIdentifier::require(column)));
}

SqlCondition range(const QString& expression, const QString& lower) {
    SqlCondition condition{expression + QStringLiteral(" >= ?"), {lower}};
    if (const auto upper = prefixUpperBound(lower)) {
        condition.sql += QStringLiteral(" AND ") + expression + QStringLiteral(" < ?");
        condition.binds << *upper;
    }
    return condition;
}

} // namespace

QString foldText(const QString& text) {
    // Most stored names are plain ASCII, where composing changes nothing.
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return text.normalized(QString::NormalizationForm_C).toLower();
    }
    return text.toLower();
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
    return range(foldedColumn(engine, column), foldText(prefix));
}

QString foldOrder(ConnectionSpec::Engine engine, const QString& column) {
    return foldedColumn(engine, column);
}

const QString& accentedLetters() {
    static const QString letters =
        QStringLiteral("àáâãäåçèéêëìíîïñòóôõöùúûüýÿÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÚÛÜÝŸ");
    return letters;
}

const QString& plainLetters() {
    static const QString letters =
        QStringLiteral("aaaaaaceeeeiiiinooooouuuuyyaaaaaaceeeeiiiinooooouuuuyy");
    return letters;
}

QString searchText(const QString& text) {
    QString folded = foldText(text);
    const QString& from = accentedLetters();
    const QString& to = plainLetters();
    for (QChar& c : folded) {
        if (c.unicode() < 0xC0)
            continue;
        const qsizetype at = from.indexOf(c);
        if (at >= 0)
            c = to.at(at);
    }
    return folded;
}

QString searchExpression(ConnectionSpec::Engine engine, const QString& column) {
    return inCodeOrder(engine,
                       QStringLiteral("brisko_search(%1)").arg(sqlIdentifier::require(column)));
}

SqlCondition searchPrefix(ConnectionSpec::Engine engine, const QString& column,
                          const QString& prefix) {
    if (prefix.isEmpty())
        return {};
    return range(searchExpression(engine, column), searchText(prefix));
}

SqlCondition codePrefix(ConnectionSpec::Engine engine, const QString& column,
                        const QString& prefix) {
    if (prefix.isEmpty())
        return {};
    return range(inCodeOrder(engine, sqlIdentifier::require(column)), prefix);
}

} // namespace textMatch
