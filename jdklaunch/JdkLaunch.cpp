#include "jdklaunch/JdkLaunch.h"

#include <cstring>
#include <cwctype>
#include <utility>

namespace jdklaunch {

std::string sampleSource() {
    return std::string("import java.util.*;\n"
                       "public class ") +
           kSampleClassName +
           " {\n"
           "    public static void main(String[] args) {\n"
           "        Scanner in = new Scanner(System.in);\n"
           "        List<Integer> numbers = new ArrayList<>();\n"
           "        Map<String, Integer> counts = new HashMap<>();\n"
           "        for (int i = 0; i < 10; i++) { numbers.add(i * i); }\n"
           "        int sum = 0;\n"
           "        for (int n : numbers) { sum += n; }\n"
           "        String text = \"sum=\" + sum + String.format(\" %.2f\", Math.sqrt(sum));\n"
           "        counts.merge(text, 1, Integer::sum);\n"
           "        java.util.function.DoubleSupplier circle = () -> Math.PI;\n"
           "        StringBuilder builder = new StringBuilder();\n"
           "        switch (args.length) { case 0: builder.append(text); break; default: break; }\n"
           "        try { Integer.parseInt(in.hasNextLine() ? in.nextLine() : \"x\"); }\n"
           "        catch (NumberFormatException e) { System.out.println(e.getMessage()); }\n"
           "        System.out.printf(\"%s %d %f%n\", builder, counts.size(), "
           "circle.getAsDouble());\n"
           "    }\n"
           "}\n";
}

String sampleFile(const char *extension) {
    return text(kSampleClassName) + text(extension);
}

String text(const char *ascii) {
    String result;
    for (; *ascii; ++ascii)
        result += Char(*ascii);
    return result;
}

JavacStart javacStartOf(const String &name) {
    const std::pair<const char *, JavacStart> starts[] = {{"fast", JavacStart::Fast},
                                                          {"use", JavacStart::Use},
                                                          {"auto", JavacStart::Auto},
                                                          {"make", JavacStart::Make},
                                                          {"make-auto", JavacStart::MakeAuto}};
    for (const auto &[word, start] : starts)
        if (name == text(word))
            return start;
    return JavacStart::AsIs;
}

Settings settingsFrom(const Values &values) {
    Settings settings;
    settings.jdkBin = values[0];
    settings.javacStart = javacStartOf(values[1]);
    settings.javacArchive = values[2];
    settings.fileEncoding = values[3];
    settings.javacNote = values[4];
    settings.javacOutput = values[5];
    settings.javacEncoding = values[6];
    settings.javacServer = values[7];
    // An archive start without an archive is a fast start.
    if (settings.javacStart >= JavacStart::Use && settings.javacArchive.empty())
        settings.javacStart = JavacStart::Fast;
    return settings;
}

Tool toolOfProgramName(String programPath) {
    const auto slash = programPath.find_last_of(text("/\\"));
    if (slash != String::npos)
        programPath.erase(0, slash + 1);
    for (Char &c : programPath)
        c = Char(std::towlower(wint_t(c)));
    const String exe = text(".exe");
    if (programPath.size() > exe.size() &&
        programPath.compare(programPath.size() - exe.size(), exe.size(), exe) == 0)
        programPath.erase(programPath.size() - exe.size());
    if (programPath == text("javac"))
        return Tool::Javac;
    if (programPath == text("java"))
        return Tool::Java;
    return Tool::Unknown;
}

bool makesArchive(const Settings &settings) {
    return settings.javacStart == JavacStart::Make || settings.javacStart == JavacStart::MakeAuto;
}

namespace {
// The JIT's quick tier only, the simplest collector, no monitoring file (hsperfdata): javac
// runs for a second, not for hours.
std::vector<String> fastStart() {
    return {text("-J-XX:TieredStopAtLevel=1"), text("-J-XX:+UseSerialGC"),
            text("-J-XX:-UsePerfData")};
}
// The JVM's own lines about its archive (a JDK 25 archive reports a mismatch on every run) are
// no lines the learner caused.
String quietJvm() {
    return text("-J-Xlog:disable");
}
} // namespace

String pathWithout(const String &path, Char separator,
                   bool (*isOwnFolder)(const String &entry, const void *context),
                   const void *context) {
    String kept;
    bool first = true;
    for (size_t start = 0; start <= path.size();) {
        size_t end = path.find(separator, start);
        if (end == String::npos)
            end = path.size();
        const String entry = path.substr(start, end - start);
        if (!isOwnFolder(entry, context)) {
            if (!first)
                kept += separator;
            kept += entry;
            first = false;
        }
        start = end + 1;
    }
    return kept;
}

std::vector<String> toolOptions(Tool tool, const Settings &settings) {
    std::vector<String> options;
    if (tool == Tool::Java) {
        if (!settings.fileEncoding.empty())
            options.push_back(text("-Dfile.encoding=") + settings.fileEncoding);
        return options;
    }
    if (tool != Tool::Javac)
        return options;
    if (settings.javacStart != JavacStart::AsIs)
        options = fastStart();
    if (settings.javacStart == JavacStart::Use || settings.javacStart == JavacStart::Auto) {
        if (settings.javacStart == JavacStart::Auto)
            options.push_back(text("-J-XX:+AutoCreateSharedArchive"));
        options.push_back(text("-J-XX:SharedArchiveFile=") + settings.javacArchive);
        options.push_back(quietJvm());
        // A crash on a damaged archive prints nothing and leaves no log in the learner's
        // folder: the launcher runs javac again without the archive.
        options.push_back(text("-J-XX:+SuppressFatalErrorMessage"));
        // Nor a memory dump there, which the JVM of Windows writes into its current folder.
        if constexpr (kOnWindows)
            options.push_back(text("-J-XX:-CreateCoredumpOnCrash"));
    }
    // The program wrote the copy javac reads: its encoding comes after JDK_JAVAC_OPTIONS (javac
    // puts those first) and wins over a user's -encoding there; JDK 8 reads no such variable.
    if (!settings.javacEncoding.empty()) {
        options.push_back(text("-encoding"));
        options.push_back(settings.javacEncoding);
    }
    return options;
}

std::vector<String> archiveMakerOptions(const Settings &settings, const String &madeArchive,
                                        const String &sampleFolder, Char separator) {
    std::vector<String> options = fastStart();
    if (settings.javacStart == JavacStart::MakeAuto) {
        options.push_back(text("-J-XX:+AutoCreateSharedArchive"));
        options.push_back(text("-J-XX:SharedArchiveFile=") + madeArchive);
    } else {
        options.push_back(text("-J-XX:ArchiveClassesAtExit=") + madeArchive);
    }
    options.push_back(quietJvm());
    options.push_back(text("-d"));
    options.push_back(sampleFolder);
    options.push_back(sampleFolder + separator + sampleFile(".java"));
    return options;
}

std::vector<String> archiveCheckOptions(const String &madeArchive) {
    return {text("-J-XX:SharedArchiveFile=") + madeArchive, quietJvm(), text("-version")};
}

String archiveInMaking(const String &archive, unsigned long processId) {
    String number;
    do {
        number.insert(number.begin(), Char('0' + processId % 10));
        processId /= 10;
    } while (processId);
    return archive + text(".") + number + text(".new");
}

String javacExitFile(const String &javacOutput) {
    return javacOutput + text(kJavacExitSuffix);
}

bool compileFailed(const std::string &exitFileText) {
    // An exit file cut short (a full disk) is no failure the learner caused.
    size_t digits = 0;
    while (digits < exitFileText.size() && exitFileText[digits] >= '0' &&
           exitFileText[digits] <= '9')
        ++digits;
    if (digits == 0)
        return false;
    return exitFileText.find_first_not_of('0') < digits;
}

String archiveSizeFile(const String &archive) {
    return archive + text(kArchiveSizeSuffix);
}

std::string archiveRecord(const char *bytes, size_t size) {
    // FNV-1a over eight bytes at a time: any changed byte changes it; 10 MB in a few ms.
    unsigned long long sum = 14695981039346656037ull;
    size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        unsigned long long word = 0;
        std::memcpy(&word, bytes + at, 8);
        sum = (sum ^ word) * 1099511628211ull;
    }
    for (; at < size; ++at)
        sum = (sum ^ static_cast<unsigned char>(bytes[at])) * 1099511628211ull;
    static const char digits[] = "0123456789abcdef";
    std::string hex(16, '0');
    for (int i = 15; i >= 0; --i, sum >>= 4)
        hex[size_t(i)] = digits[sum & 15];
    return std::to_string(static_cast<unsigned long long>(size)) + " " + hex;
}

} // namespace jdklaunch

namespace jdklaunch {

bool serverTakes(GetVariable getVariable) {
    for (const char *name : {"JDK_JAVAC_OPTIONS", "JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS"}) {
        const Char *value = getVariable(name);
        if (value && *value)
            return false;
    }
    return true;
}

String serverContext(GetVariable getVariable) {
    String context;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANG"}) {
        const Char *value = getVariable(name);
        context += text(name) + text("=") + (value ? String(value) : String()) + Char('\n');
    }
    return context;
}

std::vector<String> serverOptions(const String &jar, const String &server, const String &context) {
    return {text("-XX:TieredStopAtLevel=1"),
            text("-XX:+UseSerialGC"),
            text("-XX:-UsePerfData"),
            text("-Xss4m"),
            text("-Xms8m"),
            text("-Xmx256m"),
            text("-XX:MinHeapFreeRatio=10"),
            text("-XX:MaxHeapFreeRatio=20"),
            text("-XX:-ShrinkHeapInSteps"),
            text("-XX:NewSize=2m"),
            text("-XX:MaxNewSize=24m"),
            text("-XX:ReservedCodeCacheSize=64m"),
            text("-Xlog:disable"),
            text("-cp"),
            jar,
            text("tarneljava.javacserver.JavacServer"),
            server,
            context,
            text(kSampleClassName)};
}

namespace {
constexpr Char kListSeparator = kOnWindows ? Char(';') : Char(':');

bool startsWith(const String &value, const char *start) {
    return value.compare(0, text(start).size(), text(start)) == 0;
}

bool endsWith(const String &value, const char *end) {
    const String ending = text(end);
    return value.size() >= ending.size() &&
           value.compare(value.size() - ending.size(), ending.size(), ending) == 0;
}

// A path made whole against the folder; false for one whose meaning hangs on more than the
// folder (Windows: "C:name", "\name", the current folder of another drive).
bool wholePath(const String &path, const String &folder, String &whole) {
    if (path.empty())
        return false;
    const auto isSlash = [](Char c) { return c == '/' || (kOnWindows && c == '\\'); };
    if (!kOnWindows) {
        whole = path[0] == '/' ? path : folder + Char('/') + path;
        return true;
    }
    const bool drive = path.size() >= 2 && path[1] == ':';
    if (drive && path.size() >= 3 && isSlash(path[2])) {
        whole = path;
        return true;
    }
    if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1])) {
        whole = path; // a network path
        return true;
    }
    if (drive || isSlash(path[0]))
        return false;
    whole = folder + Char('\\') + path;
    return true;
}

bool wholePathList(const String &list, const String &folder, String &whole) {
    whole.clear();
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(kListSeparator, start);
        if (end == String::npos)
            end = list.size();
        String entry;
        if (!wholePath(list.substr(start, end - start), folder, entry))
            return false; // an empty entry means javac's own folder
        if (!whole.empty())
            whole += kListSeparator;
        whole += entry;
        start = end + 1;
    }
    return true;
}

// Options that mean the same to javac's API in any folder.
bool isPlainFlag(const String &option) {
    for (const char *flag :
         {"-g", "-nowarn", "-deprecation", "-Werror", "-parameters", "-proc:none", "-Xlint",
          "-implicit:none", "-implicit:class", "-Xdiags:compact", "-Xdiags:verbose"})
        if (option == text(flag))
            return true;
    return startsWith(option, "-g:") || startsWith(option, "-Xlint:");
}

bool takesPlainValue(const String &option) {
    for (const char *name : {"-encoding", "-source", "--source", "-target", "--target", "--release",
                             "-Xmaxerrs", "-Xmaxwarns"})
        if (option == text(name))
            return true;
    return false;
}

bool takesPathList(const String &option, bool *classPath) {
    for (const char *name : {"-cp", "-classpath", "--class-path"})
        if (option == text(name))
            return *classPath = true;
    return option == text("-sourcepath") || option == text("--source-path");
}
} // namespace

bool serverRequest(const std::vector<String> &arguments, const String &folder,
                   const String *classPath, bool (*isFile)(const String &path),
                   ServerRequest &request) {
    request = ServerRequest();
    bool classPathGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const String &argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        String whole;
        if (isPlainFlag(argument)) {
            request.options.push_back(argument);
        } else if (takesPlainValue(argument) && hasValue) {
            request.options.push_back(argument);
            request.options.push_back(arguments[++i]);
        } else if (argument == text("-d") && hasValue &&
                   wholePath(arguments[i + 1], folder, whole)) {
            request.options.push_back(argument);
            request.options.push_back(whole);
            ++i;
        } else if (takesPathList(argument, &classPathGiven) && hasValue &&
                   wholePathList(arguments[i + 1], folder, whole)) {
            request.options.push_back(argument);
            request.options.push_back(whole);
            ++i;
        } else if (!startsWith(argument, "-") && endsWith(argument, ".java") &&
                   wholePath(argument, folder, whole) && isFile(whole)) {
            request.wholeAndShown.push_back(whole);
            request.wholeAndShown.push_back(argument);
        } else {
            return false;
        }
    }
    if (request.wholeAndShown.empty())
        return false; // javac's usage text is javac's to print
    if (!classPathGiven) {
        // Without one javac searches CLASSPATH, else its current folder; the server's JVM has
        // neither.
        String whole = folder;
        if (classPath && !wholePathList(*classPath, folder, whole))
            return false;
        request.options.push_back(text("-classpath"));
        request.options.push_back(whole);
    }
    return true;
}

} // namespace jdklaunch
