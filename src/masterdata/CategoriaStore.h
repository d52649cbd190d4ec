#pragma once

#include "masterdata/Categoria.h"
#include "masterdata/NamedRecordStore.h"

// TB_Categoria. Products keep naming a category that is renamed or deleted.
class CategoriaStore : public NamedRecordStore<Categoria> {
public:
    explicit CategoriaStore(Database& db);

    // The new category's code; none when the name is taken.
    std::optional<qint64> insert(const QString& nome);
    WriteOutcome update(const Categoria& categoria);
};
