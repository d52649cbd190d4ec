#pragma once

class AppHome;
class QTextStream;

// `brisko --dados-exemplo`: fills the database of the home (setting 5: its own SQLite file,
// a folder or a PostgreSQL server) with the sample data set, so the program can be tried at
// once. Refuses a database that already holds data. A missing home is made first when
// NewHome::kSenhaVariable gives the administrator's password. Reports in Portuguese to `out`
// and `err`; returns the process's exit code.
namespace SampleDataCommand {

inline constexpr const char* kOption = "--dados-exemplo";
inline constexpr int kRecusado = 3;

int run(const AppHome& home, QTextStream& out, QTextStream& err);

} // namespace SampleDataCommand
