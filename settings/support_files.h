// The help file, the help page and the two tune programs the program carries inside itself:
// written to the temporary folder (the page when it is first asked for, the rest at start-up),
// started or shown from there, deleted at shut-down.
#pragma once

#include <windows.h>

// Full paths of the written files, wide: the temporary folder may have a name the ANSI code page
// cannot spell. Empty while a file has not been written.
extern wchar_t HelpPath[MAX_PATH];
extern wchar_t HelpPagePath[MAX_PATH];
extern wchar_t HappyPath[MAX_PATH];
extern wchar_t AlarmPath[MAX_PATH];

// Writes the resource `name` of `type` to a new file in the temporary folder: the unique name
// GetTempFileNameW gives for `prefix` (which stays as a placeholder) with `extension` appended.
// On success `path` holds the file's full path. Without the resource, or without a name for
// the file, `path` is left as it was and the result is false.
bool ExtractResource(const char* name, const char* type, const wchar_t* prefix,
                     const wchar_t* extension, wchar_t (&path)[MAX_PATH]);

// Starts the alarm or the happy tune, hidden and without waiting, when sound is on.
void RunAlarmTune();
void RunHappyTune();

// Deletes every file the program wrote, with the placeholders and the help viewer's index; true
// when none is left. A file that cannot be deleted yet (a tune still playing) keeps its path for
// FinishDeletingSupportFiles.
bool DeleteSupportFiles();

// Retries the files DeleteSupportFiles had to leave until they are gone or a tune started just
// before could no longer be playing; whatever still cannot be deleted then is left alone.
void FinishDeletingSupportFiles();
