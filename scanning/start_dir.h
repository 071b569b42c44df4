// The folder the program was started in: recorded once, made current again before each search.
#pragma once

void SaveStartDir();

// Makes the recorded folder current again. The outcome is not reported: a folder that is gone
// leaves the current directory where the attempt left it.
void RestoreStartDir();
