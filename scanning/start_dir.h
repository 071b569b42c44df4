// The folder the program was started in: recorded once, made current again before each search.
#pragma once

void SaveStartDir();

// Makes the recorded folder current again. The outcome is not reported: a folder that is gone
// leaves the current directory where the attempt left it.
void RestoreStartDir();

// The drive number of a full Windows path (1 = A:), or 0 when it has none: a network folder
// ("\\server\share\maps") has no drive to make current.
int DriveOfPath(const char* path);
int DriveOfPath(const wchar_t* path);
