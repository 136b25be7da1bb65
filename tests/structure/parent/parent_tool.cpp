#include "editor/ClassScan.h"
#include "platform/VbNumbers.h"

#include <cstdio>

int main() {
    const ClassScanResult scan = scanClasses(QStringLiteral("public class Hello {}"));
    std::printf("%s%s\n", qPrintable(scan.fileName), qPrintable(signedNumberText(7)));
    return scan.fileName == QLatin1String("Hello") ? 0 : 1;
}
