// The main window's box change: which controller box the main view shows.
#include "ViewRouter.h"
#include "VxZyneRainbow.h"

namespace zyne {

void VxZyneRainbow::changeBox(int box) {
    m_router->changeBox(box);
}

} // namespace zyne
