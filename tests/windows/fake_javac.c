/* Stand-in for javac.exe in the Windows end-to-end check: "compiles" NAME.java into
   NAME.class when the source is there, and says what it did. */
#include <stdio.h>
#include <string.h>

int main(int argc, char **argv) {
    char name[1024];
    FILE *source;
    FILE *compiled;
    size_t length;
    if (argc < 2) {
        puts("javac: no source");
        return 2;
    }
    printf("javac %s\n", argv[1]);
    source = fopen(argv[1], "rb");
    if (!source) {
        printf("javac: file not found: %s\n", argv[1]);
        return 2;
    }
    fclose(source);
    length = strlen(argv[1]);
    if (length < 5 || length >= sizeof name || strcmp(argv[1] + length - 5, ".java") != 0)
        return 2;
    memcpy(name, argv[1], length - 5);
    strcpy(name + length - 5, ".class");
    compiled = fopen(name, "wb");
    if (compiled)
        fclose(compiled);
    return 0;
}
