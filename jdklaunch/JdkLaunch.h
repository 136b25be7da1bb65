#pragma once
// What the program's own javac and java launchers add to the JDK tool they run. The program
// chooses the build's JDK and tells the launchers about it through the build's environment;
// the launchers take those variables out again, so the learner's program never sees them.
// Plain C++ without Qt: the launchers start in a millisecond.
#include <array>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace jdklaunch {

// Which system the launchers were built for (CMake defines TARNEL_ON_WINDOWS for every target).
inline constexpr bool kOnWindows = TARNEL_ON_WINDOWS != 0;

// The system's own characters: UTF-16 on Windows, the locale's bytes elsewhere.
using Char = std::conditional_t<kOnWindows, wchar_t, char>;
using String = std::basic_string<Char>;

// The build's environment variables the launchers read.
inline constexpr const char *kJdkBinVariable = "TARNELJAVA_JDK_BIN";
inline constexpr const char *kJavacStartVariable = "TARNELJAVA_JAVAC_START";
inline constexpr const char *kJavacArchiveVariable = "TARNELJAVA_JAVAC_ARCHIVE";
inline constexpr const char *kFileEncodingVariable = "TARNELJAVA_JAVA_FILE_ENCODING";
inline constexpr const char *kJavacNoteVariable = "TARNELJAVA_JAVAC_NOTE";
inline constexpr const char *kJavacOutputVariable = "TARNELJAVA_JAVAC_OUTPUT";
inline constexpr const char *kJavacEncodingVariable = "TARNELJAVA_JAVAC_ENCODING";
inline constexpr const char *kJavacServerVariable = "TARNELJAVA_JAVAC_SERVER";
inline constexpr const char *const kVariables[] = {
    kJdkBinVariable,    kJavacStartVariable,  kJavacArchiveVariable,  kFileEncodingVariable,
    kJavacNoteVariable, kJavacOutputVariable, kJavacEncodingVariable, kJavacServerVariable};
inline constexpr int kVariableCount = int(sizeof kVariables / sizeof kVariables[0]);

// The build's record of its compile (TARNELJAVA_JAVAC_OUTPUT names a file in the user's private
// runtime folder): javac's error output, byte for byte as the console showed it, and beside it,
// once javac has ended, its exit code in decimal. The java launcher runs no program after a
// compile that failed; the program marks javac's errors in the editor.
inline constexpr const char *kJavacExitSuffix = ".exit";

// How javac's JVM starts (TARNELJAVA_JAVAC_START):
//   (empty)    as the JDK starts it: a JDK the program knows nothing of;
//   fast       tiered compilation at level 1, the serial collector, no performance data file
//              (JDK 8-12);
//   use        fast, with the class-data-sharing archive of javac's classes (JDK 13-18);
//   auto       fast, with the archive, which the JVM checks and mends itself (JDK 19+);
//   make       fast; meanwhile a process of its own makes the archive (JDK 13-18), so that
//              no compile waits for it;
//   make-auto  likewise for JDK 19 and later.
enum class JavacStart { AsIs, Fast, Use, Auto, Make, MakeAuto };
JavacStart javacStartOf(const String &name);

struct Settings {
    String jdkBin; // the chosen JDK's bin folder
    JavacStart javacStart = JavacStart::AsIs;
    String javacArchive;  // the archive file
    String fileEncoding;  // java's -Dfile.encoding (COMPAT), or empty
    String javacNote;     // a line shown before javac runs, or empty
    String javacOutput;   // the build's record of its compile, or empty: none kept
    String javacEncoding; // the source copy's encoding, told to javac after the user's options
    String javacServer;   // the warm compiler's name in the user's private runtime folder, or
                          // empty: none for this JDK
};

// The environment's values, in the order of kVariables.
using Values = std::array<String, kVariableCount>;
Settings settingsFrom(const Values &values);

enum class Tool { Javac, Java, Unknown };
// The tool a launcher stands for, from its own file name ("javac", "java.exe").
Tool toolOfProgramName(String programPath);

// Whether the archive is to be made beside this compile.
bool makesArchive(const Settings &settings);

// PATH without the launchers' own folder (isOwnFolder tells it), so that what the learner's
// program starts by name (java, javac, jshell) is the chosen JDK's own tool, as by hand.
String pathWithout(const String &path, Char separator,
                   bool (*isOwnFolder)(const String &entry, const void *context),
                   const void *context);

// The options put in front of the learner's arguments.
std::vector<String> toolOptions(Tool tool, const Settings &settings);

// The archive maker: javac compiling a sample in a folder of its own with the archive written
// to `madeArchive` as it ends; then a JVM that maps the archive and ends, to find it sound.
std::vector<String> archiveMakerOptions(const Settings &settings, const String &madeArchive,
                                        const String &sampleFolder, Char separator);
std::vector<String> archiveCheckOptions(const String &madeArchive);
// The sample: the language's everyday parts, in one class, so one class file; its files are
// the class's name and an extension (".java", ".class").
inline constexpr const char *kSampleClassName = "TarnelJavaSample";
std::string sampleSource();
String sampleFile(const char *extension);

// The archive file of a maker while it is written: beside the archive, named by the process
// (its sample folder: the same name and ".d").
String archiveInMaking(const String &archive, unsigned long processId);

// Beside the archive: its record when it was found sound, its size in bytes and a checksum of
// its bytes ("10063872 9f3a…"). An archive of another record was cut or changed since, and is
// made anew (a damaged archive crashes the JVMs of JDK 13-18, at every compile).
inline constexpr const char *kArchiveSizeSuffix = ".size";
String archiveSizeFile(const String &archive);
std::string archiveRecord(const char *bytes, size_t size);

// The file beside the compile's record that holds javac's exit code.
String javacExitFile(const String &javacOutput);
// Whether this build's javac ended with a code other than 0, from the exit file's text. When
// the text holds no number (nothing could be read), no failure is known: the java launcher
// then runs the program as by hand.
bool compileFailed(const std::string &exitFileText);
// Said in place of the program's run after a failed compile (UTF-8).
inline constexpr const char *kNoRunAfterFailedCompile =
    "编译没有成功，程序没有运行。请按上面的错误提示修改程序后再试。";

// The warm compiler (tarneljava-javacserver.jar): javac kept loaded in a JVM of its own, one per
// JDK and user, named SERVER (the build's javacServer): it listens on SERVER.sock, or on the
// loopback port written with a secret in SERVER.port ("port secret"). The javac launcher asks it
// first and runs javac itself when it does not answer at once, does not take the compile, or
// is lost before javac's exit code; it starts one after a compile that found none.
inline constexpr const char *kServerJarName = "tarneljava-javacserver.jar";
inline constexpr const char *kServerSocketSuffix = ".sock";
inline constexpr const char *kServerPortSuffix = ".port";

// What the server is asked: javac's options with every path in them whole (the server runs in
// a folder of its own), and each source file's whole path beside the name the learner's
// command gave it (javac's messages name it so).
struct ServerRequest {
    std::vector<String> options;
    std::vector<String> wholeAndShown; // pairs
};
// The request for javac's arguments run in `folder`, with the class path javac would take from
// CLASSPATH (null: none set). None where the arguments hold what the server must not take or
// cannot take alike (annotation processors, -J options, @argument files, anything not known to
// mean the same there), or a source file that is not there (javac's own message names it).
// The server takes no environment: a compile under one that changes javac or its JVM
// (JDK_JAVAC_OPTIONS, JAVA_TOOL_OPTIONS, _JAVA_OPTIONS) is javac's own; getVariable answers null
// for an unset variable.
using GetVariable = const Char *(*)(const char *name);
bool serverTakes(GetVariable getVariable);
bool serverRequest(const std::vector<String> &arguments, const String &folder,
                   const String *classPath, bool (*isFile)(const String &path),
                   ServerRequest &request);
// What a request's answers depend on beside its arguments: the messages' language and bytes.
// The server was started with its launcher's; a request under another context is declined.
String serverContext(GetVariable getVariable);
// The server's command after `java`: a small heap that it gives back when idle, the quick JIT.
std::vector<String> serverOptions(const String &jar, const String &server, const String &context);

// Text in the program's literal form (ASCII only).
String text(const char *ascii);

} // namespace jdklaunch
