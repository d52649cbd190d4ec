#pragma once

class AppHome;
class MessageBoxes;

namespace FirstStart {

// The first start on a machine without a home: the administrator's password from
// NewHome::kSenhaVariable, or asked on screen, then the new home. False when the user
// cancelled or the home could not be made; the reason has been shown and nothing is left
// behind, so the next start asks again.
bool createHome(const AppHome& home, MessageBoxes& messages);

} // namespace FirstStart
