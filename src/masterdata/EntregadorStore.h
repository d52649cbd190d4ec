#pragma once

#include "masterdata/Entregador.h"
#include "masterdata/NamedRecordStore.h"

// TB_Entregador. Names are unique, so a name picks one person. No write here marks a row for
// the online backup: an edited delivery person is not sent again.
class EntregadorStore : public NamedRecordStore<Entregador> {
public:
    explicit EntregadorStore(Database& db);

    // The new person's code (`codigo` is ignored); none when the name is taken.
    std::optional<qint64> insert(const Entregador& entregador);
    // Telephone, name and remarks; the registration date stays.
    WriteOutcome update(const Entregador& entregador);
};
