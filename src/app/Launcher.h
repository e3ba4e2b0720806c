#pragma once

// Hands the machine back to the handheld's launcher. On a machine without one (a
// desktop) it returns and the program simply ends.
void returnToLauncher();
