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
