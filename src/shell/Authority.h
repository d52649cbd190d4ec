#pragma once

class Session;

// What a user's authority code keeps from the main window. Codes 1 to 4 come from the two
// check boxes of the user registry; anything else is treated as the least authority.
namespace authority {

enum class Area {
    UserScreens,       // user registry and user lookup
    ReportsAndExports, // the report menu and the three exports
};

inline constexpr int kMinCode = 1;
inline constexpr int kMaxCode = 4;

bool refuses(int code, Area area);

// The built-in administrator's login lifts every check.
bool isBuiltInAdministrator(const Session& session);

} // namespace authority
