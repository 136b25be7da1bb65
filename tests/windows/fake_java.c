/* Stand-in for java.exe in the Windows end-to-end check. */
#include <stdio.h>

int main(int argc, char **argv) {
    printf("ran %s\n", argc > 1 ? argv[1] : "");
    return 0;
}
