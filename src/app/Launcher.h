#pragma once

// Hands the machine back to the handheld's menu. Only the handheld build does; a
// desktop build returns at once and the program simply ends.
void returnToLauncher();
