/* Stand-in for java.exe (and, under that name, javac.exe) in the Windows checks. With
   TARNEL_TEST_ARGS set it shows each argument in brackets and the launchers' variables it was
   given, writes TARNEL_TEST_STDERR to its error output, and ends with the code in
   TARNEL_TEST_EXIT; with TARNEL_TEST_CRASH, given an archive, it ends as a JVM that crashed on
   it ends on Windows: with 1, saying nothing. Told to make an archive, it makes one and writes
   its working folder to the file TARNEL_TEST_MAKER. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

extern char **environ;

int main(int argc, char **argv) {
    if (!getenv("TARNEL_TEST_ARGS")) {
        printf("ran %s\n", argc > 1 ? argv[1] : "");
        return 0;
    }
    for (int i = 1; i < argc; ++i)
        if (getenv("TARNEL_TEST_CRASH") && *getenv("TARNEL_TEST_CRASH") &&
            strncmp(argv[i], "-J-XX:SharedArchiveFile=", 24) == 0)
            return 1;
    for (int i = 1; i < argc; ++i)
        printf("[%s]\n", argv[i]);
    for (char **variable = environ; *variable; ++variable)
        if (strncmp(*variable, "TARNELJAVA_", 11) == 0)
            printf("%s\n", *variable);
    if (getenv("TARNEL_TEST_PATH"))
        printf("PATH=%s\n", getenv("PATH"));
    for (int i = 1; i < argc; ++i)
        if (strncmp(argv[i], "-J-XX:ArchiveClassesAtExit=", 27) == 0) {
            FILE *archive = fopen(argv[i] + 27, "wb");
            FILE *folder =
                getenv("TARNEL_TEST_MAKER") ? fopen(getenv("TARNEL_TEST_MAKER"), "w") : NULL;
            char here[4096];
            if (archive)
                fputs("made", archive), fclose(archive);
            if (folder && getcwd(here, sizeof here))
                fputs(here, folder);
            if (folder)
                fclose(folder);
        }
    if (getenv("TARNEL_TEST_STDERR"))
        fputs(getenv("TARNEL_TEST_STDERR"), stderr);
    return atoi(getenv("TARNEL_TEST_EXIT") ? getenv("TARNEL_TEST_EXIT") : "0");
}
