/* Stand-in for javac.exe in the Windows checks: "compiles" NAME.java into NAME.class when the
   source is there (or into the class files named in %TARNEL_FAKE_CLASSES%, separated by
   spaces, with their package folders: p/q/Name), and says what it did; the JVM's options
   (-J...), "-encoding NAME" and "-d DIR" are passed over. With %TARNEL_SNAPSHOT% set it first
   copies the work folder as it is during the build into that folder and counts its runs in
   %TARNEL_SNAPSHOT%.runs. */
#include <stdio.h>
#include <string.h>
#include <wchar.h>
#include <windows.h>

static void snapshot(void) {
    wchar_t folder[MAX_PATH], runs[MAX_PATH + 8], pattern[] = L"*", target[2 * MAX_PATH];
    WIN32_FIND_DATAW found;
    HANDLE search;
    FILE *counter;
    if (!GetEnvironmentVariableW(L"TARNEL_SNAPSHOT", folder, MAX_PATH))
        return;
    CreateDirectoryW(folder, NULL);
    search = FindFirstFileW(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            swprintf(target, 2 * MAX_PATH, L"%ls\\%ls", folder, found.cFileName);
            CopyFileW(found.cFileName, target, FALSE);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    swprintf(runs, MAX_PATH + 8, L"%ls.runs", folder);
    counter = _wfopen(runs, L"ab");
    if (counter) {
        fputs("run\n", counter);
        fclose(counter);
    }
}

static void touch(char *name) {
    FILE *compiled;
    for (char *slash = strchr(name, '/'); slash; slash = strchr(slash + 1, '/')) {
        *slash = '\0';
        CreateDirectoryA(name, NULL);
        *slash = '\\';
    }
    compiled = fopen(name, "wb");
    if (compiled)
        fclose(compiled);
}

int main(int argc, char **argv) {
    char name[1024], classes[4096];
    FILE *source;
    size_t length;
    if (argc < 2) {
        puts("javac: no source");
        return 2;
    }
    printf("javac");
    for (int i = 1; i < argc; ++i)
        printf(" %s", argv[i]);
    printf("\n");
    snapshot();
    while (argc > 2 &&
           strncmp(argv[1], "-J", 2) == 0) { /* the JVM's options, as javac takes them */
        ++argv;
        --argc;
    }
    if (argc > 3 && strcmp(argv[1], "-encoding") == 0) { /* the source copy's, from the launcher */
        argv += 2;
        argc -= 2;
    }
    if (argc > 3 && strcmp(argv[1], "-d") == 0)
        argv += 2;
    source = fopen(argv[1], "rb");
    if (!source) {
        printf("javac: file not found: %s\n", argv[1]);
        return 2;
    }
    fclose(source);
    if (GetEnvironmentVariableA("TARNEL_FAKE_CLASSES", classes, sizeof classes)) {
        for (char *c = strtok(classes, " "); c; c = strtok(NULL, " ")) {
            snprintf(name, sizeof name, "%s.class", c);
            touch(name);
        }
        return 0;
    }
    length = strlen(argv[1]);
    if (length <= 5 || length >= sizeof name || strcmp(argv[1] + length - 5, ".java") != 0)
        return 2;
    memcpy(name, argv[1], length - 5);
    strcpy(name + length - 5, ".class");
    touch(name);
    return 0;
}
