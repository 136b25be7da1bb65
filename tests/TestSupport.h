#pragma once
// What the tests of the whole program share: a fresh start of the program, its windows.
#include "FreshSettings.h"
#include "TestWindows.h"
#include "app/Frm_java.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

// A fresh start of the program: its own folders and settings, and no JDK of the machine looked
// for (a test that needs one gives its places).
struct FreshStart : FreshSettings {
    FreshStart() {
        Frm_java::jdkPlaces = [] { return JdkPlaces{}; };
    }
    ~FreshStart() { Frm_java::jdkPlaces = systemJdkPlaces; }
};
