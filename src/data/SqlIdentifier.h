#pragma once

#include <QString>

// Table and column names that reach SQL text come from code; these guard that promise.
namespace sqlIdentifier {

bool isPlain(const QString& name);
// Throws std::invalid_argument when `name` is not a plain identifier.
const QString& require(const QString& name);

} // namespace sqlIdentifier
