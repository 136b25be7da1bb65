#pragma once
// A fresh start of the program's settings: its module as at process start, reading and writing
// in the test's own folders.
#include "FreshFolders.h"
#include "ui/MainModule.h"

struct FreshSettings : FreshFolders {
    FreshSettings() {
        MainModule::resetToProcessStart();
        MainModule::setProgramFolder(programDir.path());
        MainModule::setUserFolder(userDir.path());
    }
    ~FreshSettings() { MainModule::setUserFolder(QString()); }
};
