#include "buildrun/JdkSearch.h"

JdkPlaces systemJdkPlaces() {
    JdkPlaces places;
    places.javaHome = qEnvironmentVariable("JAVA_HOME");
    places.preferredHomes = {QStringLiteral("/usr/lib/jvm/default-java")};
    places.folders = {QStringLiteral("/usr/lib/jvm")};
    return places;
}

QStringList installerJdkHomes(const QStringList &) {
    return {}; // no registry here: the JDK packages install below /usr/lib/jvm
}

QString jdkToolFileName(const QString &tool) {
    return tool;
}

QString jdkInstallAdvice() {
    return QStringLiteral("请安装 JDK（只有 JRE 不能编译），例如在 Debian/Ubuntu 上运行 sudo apt "
                          "install default-jdk；或者把环境变量 JAVA_HOME 设为 JDK 所在的文件夹。");
}
