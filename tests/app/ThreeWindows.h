#pragma once

// The program's three windows, made by their names, for tests that look at each in turn.
#include "app/Frm_java.h"
#include "dialogs/Frm_about.h"
#include "dialogs/Frm_help.h"

#include <QtTest>
#include <memory>

inline std::unique_ptr<QWidget> windowNamed(const QString &window) {
    if (window == "main window")
        return std::make_unique<Frm_java>();
    if (window == "options dialog")
        return std::make_unique<Frm_help>();
    return std::make_unique<Frm_about>();
}

// A data table with one row per window, in the column "window".
inline void addWindowRows() {
    QTest::addColumn<QString>("window");
    for (const char *window : {"main window", "options dialog", "about box"})
        QTest::newRow(window) << window;
}
