// The two settings, sound and every field, and their file in the user's temporary folder.
#pragma once

#include <windows.h>

// 1: the result tunes are played; 0: silence.
extern int SoundFlag;
// 1: the report lists every field of the map that differs; 0: the seven statistics only.
extern int AllFieldsFlag;

// The full name of the configuration file; false when it does not fit in MAX_PATH.
bool ConfigPath(wchar_t (&path)[MAX_PATH]);

// Sets SoundFlag and AllFieldsFlag from the file, or SoundFlag to 1 when there is none.
// Reports nothing.
void ReadConfig();

// Writes both flags to the file, clearing a read-only attribute first. Reports nothing.
void WriteConfig();
