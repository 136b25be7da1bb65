#pragma once

#include <QString>

// What the javac launcher recorded of a build's compile, in a file of the user's private
// runtime folder that the build names in its environment (never in the work folder).
struct CompileRecord {
    bool ended = false; // javac ran and ended: its exit code was recorded
    int exitCode = 0;
    QString output; // javac's error output as the console showed it

    bool failed() const { return ended && exitCode != 0; }
};

// The record's file for a new build, by its host path, in the given private folder; a name no
// other build of this process uses. Nothing is made.
QString newCompileRecordFile(const QString &privateFolder);
// Reads the record (at most a few megabytes of output) and removes its files.
CompileRecord takeCompileRecord(const QString &recordFile);
// Removes the record's files, if there are any.
void removeCompileRecord(const QString &recordFile);
