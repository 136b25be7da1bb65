#pragma once
// The javac archive maker's steps, over the file operations of the system it runs on.
#include "jdklaunch/JdkLaunch.h"

#include <string>
#include <vector>

namespace jdklaunch {

// What the maker asks of the system (one set per system).
struct MakerSystem {
    Char separator;
    unsigned long processId;
    bool (*makeFolder)(const String &folder);
    bool (*writeFile)(const String &path, const std::string &bytes);
    bool (*readFile)(const String &path, std::string &bytes);
    // The program with the options, with no input, output or window; true when it ended with 0.
    bool (*run)(const String &program, const std::vector<String> &options);
    // Renames the file over `to` (a read-only archive included).
    bool (*replace)(const String &from, const String &to);
    void (*removeFile)(const String &path);
    void (*removeFolder)(const String &path);
};

// Makes the archive from a sample compiled in a folder of its own, keeps it when a JVM maps it
// soundly (a cut archive would crash every later javac), with its record beside it, and tidies
// up after itself. For the one maker of the JDK (the caller holds its lock).
void makeArchive(const String &program, const Settings &settings, const MakerSystem &system);

} // namespace jdklaunch
