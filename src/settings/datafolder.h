#pragma once

#include <QString>

// The folder that holds cfg.ini and devices.db. A working folder with a cfg.ini of its own is a
// set-up somebody made (run.sh's run/, a test, an installer's folder) and is used as it is.
// Anywhere else, as when started from the desktop menu or a shell in some folder, the
// per-user data folder is used, so that no files are left where the application happened to
// be started.
class DataFolder
{
public:
    // The folder to use: `working` when it holds a cfg.ini file and is not the home folder
    // (whose root is nobody's set-up, and a cfg.ini there may well belong to another
    // program), `userData` otherwise. Only reads the file system.
    static QString choose(const QString& working, const QString& home, const QString& userData);

    // The per-user data folder ($XDG_DATA_HOME/QM/KV530418 on Linux); empty when the
    // platform names none.
    static QString userDataFolder();

    // Chooses the folder for the current working folder, creates it when needed and makes it
    // the working folder. False, with `error` set, when that fails.
    static bool enter(QString* error);
};
