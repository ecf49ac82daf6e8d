#pragma once

#include <string>

// Where the editor writes the files it keeps of its own: "LastSave.an1" at exit, and a log when
// one is kept. A program started from a shell writes them in its current folder, as it always
// has; a program started from the desktop runs in the home folder and writes them in the
// application's data folder instead (QStandardPaths::AppDataLocation), which the option
// "--use-data-folder" asks for.

// Whether the data folder is used; off until set, for the whole process.
void KeepOwnFilesInDataFolder(bool keep);

// The folder for the editor's own files: `currentFolder` (the process's current folder; empty
// means relative to it), or the data folder, made when missing, once KeepOwnFilesInDataFolder
// was set. When the data folder cannot be made, `currentFolder` it is, so the files are not lost.
std::string OwnFilesFolder(const std::string& currentFolder);

// The path of the file `name` in OwnFilesFolder(currentFolder).
std::string OwnFilePath(const std::string& currentFolder, const char* name);
