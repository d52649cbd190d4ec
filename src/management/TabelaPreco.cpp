#include "management/TabelaPreco.h"

#include "data/Database.h"
#include "data/TextMatch.h"

#include <QSqlQuery>

QStringList TabelaPreco::categorias() const {
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT DISTINCT pro_Categoria FROM TB_Produto "
                                               "WHERE pro_Categoria IS NOT NULL ORDER BY 1"));
    QStringList nomes;
    while (query.next()) {
        const QString nome = query.value(0).toString().toUpper();
        if (!nomes.contains(nome))
            nomes << nome;
    }
    return nomes;
}

QList<Produto> TabelaPreco::produtos(const std::optional<QString>& categoria) const {
    QString sql = QStringLiteral("SELECT pro_Produto, Pro_Descricao, Pro_Preco, pro_Categoria "
                                 "FROM TB_Produto");
    QVariantList binds;
    if (categoria) {
        const auto igual =
            textMatch::foldEquals(m_db.engine(), QStringLiteral("pro_Categoria"), *categoria);
        sql += QStringLiteral(" WHERE ") + igual.sql;
        binds = igual.binds;
    }
    // Alphabetical: an accented first letter sorts with its plain one.
    sql += QStringLiteral(" ORDER BY %1 DESC, pro_Produto DESC")
               .arg(textMatch::searchExpression(m_db.engine(), QStringLiteral("pro_Produto")));
    QSqlQuery query = m_db.exec(sql, binds);
    QList<Produto> produtos;
    while (query.next()) {
        Produto p;
        p.nome = query.value(0).toString();
        p.descricao = query.value(1).toString();
        p.preco = Money::fromCents(query.value(2).toLongLong());
        p.categoria = query.value(3).toString();
        produtos << p;
    }
    return produtos;
}
