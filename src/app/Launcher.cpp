#include "app/Launcher.h"
#include <unistd.h>

void returnToLauncher() {
#ifdef VANDAL_HANDHELD
    if (chdir("/usr/gp2x") != 0) return;
    execl("/usr/gp2x/gp2xmenu", "/usr/gp2x/gp2xmenu", static_cast<char*>(nullptr));
#endif
}
