// javac and java of the program's own (Linux): first on the build's PATH, they run the tool of
// the JDK the program chose for the build with the learner's arguments, adding only what the
// learner cannot see (a fast javac start, the code page for a program on JDK 18+), and end as
// the tool ends (java becomes the tool; javac is waited for, its error output recorded for the
// program). They print nothing of their own, but for a tool that cannot be run, which the
// console reports as the command interpreter would, the build's notes before javac, and one line
// in place of a program whose compile failed.
#include "JavacServerClient.h"
#include "jdklaunch/ArchiveMaker.h"
#include "jdklaunch/JdkLaunch.h"

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using jdklaunch::String;

namespace {

// Writes UTF-8 text to the console in its encoding, as the interpreter writes: the locale's,
// UTF-8 in the C locale or where there is no converter to it.
void say(const std::string &text) {
    std::setlocale(LC_ALL, "");
    const std::string codeset = nl_langinfo(CODESET);
    std::string bytes = text;
    const iconv_t converter =
        codeset == "ANSI_X3.4-1968" ? iconv_t(-1) : iconv_open(codeset.c_str(), "UTF-8");
    if (converter != iconv_t(-1)) {
        std::string converted(text.size() * 4, '\0');
        char *in = const_cast<char *>(text.data()), *out = converted.data();
        size_t inLeft = text.size(), outLeft = converted.size();
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != size_t(-1))
            bytes.assign(converted.data(), converted.size() - outLeft);
        iconv_close(converter);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

// "'javac' 不是内部或外部命令…", as the interpreter says it.
int notRecognised(const char *name) {
    say(std::string("'") + name + "' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n");
    return 127;
}

// The pointers are the strings' own: the options must outlive the vector.
std::vector<char *> argumentVector(const String &program, const std::vector<String> &options,
                                   int argc, char *argv[]) {
    std::vector<char *> vector{const_cast<char *>(program.c_str())};
    for (const String &option : options)
        vector.push_back(const_cast<char *>(option.c_str()));
    for (int i = 1; i < argc; ++i)
        vector.push_back(argv[i]);
    vector.push_back(nullptr);
    return vector;
}

bool sameFile(const String &a, const char *b) {
    struct stat one {
    }, other{};
    return stat(a.c_str(), &one) == 0 && stat(b, &other) == 0 && one.st_dev == other.st_dev &&
           one.st_ino == other.st_ino;
}

// Runs a program with no input or output and waits for it; true when it ended with 0.
bool runQuietly(const String &program, const std::vector<String> &options) {
    const auto arguments = argumentVector(program, options, 0, nullptr);
    const pid_t child = fork();
    if (child == 0) {
        execv(arguments[0], arguments.data());
        _exit(127);
    }
    int status = -1;
    while (child > 0 && waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A file of the user's alone, made anew, never through a link; -1 when it cannot be.
int openNewFile(const String &path) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
}

// Never through a link: only the cache's own files are written.
bool writeFile(const String &path, const std::string &bytes) {
    const int file = openNewFile(path);
    if (file < 0)
        return false;
    bool written = true;
    for (size_t done = 0; written && done < bytes.size();) {
        const ssize_t wrote = write(file, bytes.data() + done, bytes.size() - done);
        written = wrote > 0 || (wrote < 0 && errno == EINTR);
        done += wrote > 0 ? size_t(wrote) : 0;
    }
    return close(file) == 0 && written;
}

bool readFile(const String &path, std::string &bytes) {
    const int file = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (file < 0)
        return false;
    bytes.clear();
    char buffer[65536];
    ssize_t got = 0;
    while ((got = read(file, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))
        bytes.append(buffer, got > 0 ? size_t(got) : 0);
    close(file);
    return got == 0;
}

// What makers that died left (ARCHIVE.<pid>.new and its .d folder), removed by the one maker
// that holds the lock; links removed as links.
void removeDeadMakersFiles(const String &archive) {
    const size_t slash = archive.find_last_of('/');
    const String folder = slash == String::npos ? String(".") : archive.substr(0, slash);
    const String name = archive.substr(slash == String::npos ? 0 : slash + 1) + ".";
    DIR *entries = opendir(folder.c_str());
    if (!entries)
        return;
    while (const dirent *entry = readdir(entries)) {
        const String file = entry->d_name;
        const auto endsWith = [&file](const String &end) {
            return file.size() >= end.size() &&
                   file.compare(file.size() - end.size(), end.size(), end) == 0;
        };
        const bool made =
            file.compare(0, name.size(), name) == 0 && (endsWith(".new") || endsWith(".new.d"));
        if (!made)
            continue;
        const String path = folder + "/" + file;
        struct stat kind {};
        if (lstat(path.c_str(), &kind) == 0 && S_ISDIR(kind.st_mode)) {
            for (const char *inside : {".java", ".class"})
                unlink((path + "/" + jdklaunch::sampleFile(inside)).c_str());
            rmdir(path.c_str());
        } else {
            unlink(path.c_str());
        }
    }
    closedir(entries);
}

// The one maker per JDK: a second one, started by the next build, leaves the work to the first
// (which holds the lock); the maker first removes what makers that died left.
void makeArchive(const String &program, const jdklaunch::Settings &settings) {
    const int lock = open((settings.javacArchive + ".lock").c_str(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock < 0 || flock(lock, LOCK_EX | LOCK_NB) != 0)
        return;
    removeDeadMakersFiles(settings.javacArchive);
    const jdklaunch::MakerSystem system{
        '/',
        (unsigned long)getpid(),
        [](const String &folder) { return mkdir(folder.c_str(), 0700) == 0; },
        writeFile,
        readFile,
        runQuietly,
        [](const String &from, const String &to) {
            return std::rename(from.c_str(), to.c_str()) == 0;
        },
        [](const String &path) { std::remove(path.c_str()); },
        [](const String &path) { rmdir(path.c_str()); },
    };
    jdklaunch::makeArchive(program, settings, system);
    close(lock);
}

bool writeAll(int fd, const char *bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= size_t(written);
    }
    return true;
}

// What compileRecorded returns when javac's JVM crashed on its archive.
constexpr int kCrashedOnArchive = -2;

// javac with its error output passed on to the console as it comes, byte for byte, and kept in
// the build's record (when there is one); its exit code beside the record once it has ended.
// The launcher ends as javac ended (by the same signal, if a Ctrl+C ended it). With onArchive,
// a JVM that crashed (a damaged archive maps wrong memory) is reported instead, to run again.
int compileRecorded(const std::vector<char *> &arguments, const String &record, bool onArchive) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDERR_FILENO); // dup2 clears close-on-exec of the copy
        execv(arguments[0], arguments.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        return -1;
    }
    // A Ctrl+C is javac's to end; the launcher waits to pass on how it ended.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGQUIT, SIG_IGN);
    const int file = record.empty() ? -1 : openNewFile(record);
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        writeAll(STDERR_FILENO, buffer, size_t(got));
        if (file >= 0)
            writeAll(file, buffer, size_t(got));
    }
    close(pipeEnds[0]);
    if (file >= 0)
        close(file);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (onArchive && WIFSIGNALED(status))
        for (const int crash : {SIGSEGV, SIGBUS, SIGABRT, SIGILL, SIGFPE})
            if (WTERMSIG(status) == crash)
                return kCrashedOnArchive;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (!record.empty())
        writeFile(jdklaunch::javacExitFile(record), std::to_string(code));
    if (WIFSIGNALED(status)) {
        std::signal(WTERMSIG(status), SIG_DFL);
        raise(WTERMSIG(status));
    }
    return code;
}

// Whether this build's compile failed, from its record's exit file.
bool compileFailedInThisBuild(const jdklaunch::Settings &settings) {
    if (settings.javacOutput.empty())
        return false;
    FILE *file = std::fopen(jdklaunch::javacExitFile(settings.javacOutput).c_str(), "r");
    if (!file)
        return false;
    char text[32] = {};
    const size_t got = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    return jdklaunch::compileFailed(std::string(text, got));
}

// Waits until the process has ended (at once where the system cannot tell).
void waitForEnd(pid_t process) {
    const int handle = int(syscall(SYS_pidfd_open, process, 0));
    if (handle < 0)
        return;
    pollfd ended{handle, POLLIN, 0};
    while (poll(&ended, 1, -1) < 0 && errno == EINTR) {
    }
    close(handle);
}

// The maker and the compile server run apart from the console: in a session of their own, at
// low priority, with no input, output or other inherited file (the console's socket among
// them), in the cache folder (a JVM's crash log would land in the current folder), and only once
// the console's script has ended, so that neither the learner's compile, nor the program's start,
// nor the end of the script waits for them or shares the processor with them.
template <typename Job> void startApart(const String &folder, Job job) {
    const pid_t console = getppid(); // the command interpreter running the build script
    const pid_t child = fork();
    if (child != 0) {
        if (child > 0)
            waitpid(child, nullptr, 0); // the job's parent ends at once; init takes the job
        return;
    }
    setsid();
    if (fork() != 0)
        _exit(0);
    const int null = open("/dev/null", O_RDWR);
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        dup2(null, fd);
    const long open = sysconf(_SC_OPEN_MAX);
    for (int fd = STDERR_FILENO + 1; fd < (open > 0 ? open : 1024); ++fd)
        close(fd);
    setpriority(PRIO_PROCESS, 0, 10);
    if (chdir(folder.empty() ? "/" : folder.c_str()) != 0)
        _exit(0);
    waitForEnd(console);
    job();
    _exit(0);
}

String folderOf(const String &file) {
    const size_t slash = file.find_last_of('/');
    return slash == String::npos ? String() : file.substr(0, slash);
}

// The launcher's own folder.
String ownFolder() {
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    return length > 0 ? folderOf(String(self, size_t(length))) : String();
}

// The server's jar: beside the launchers in the build, in <prefix>/share/tarneljava installed.
String serverJar() {
    const String own = ownFolder();
    for (const char *place : {"/", "/../../../share/tarneljava/"}) {
        const String jar = own + place + jdklaunch::kServerJarName;
        if (!own.empty() && access(jar.c_str(), R_OK) == 0)
            return jar;
    }
    return String();
}

// The compile server of this JDK, warmed up on the sample (its input), which ends itself.
void runServer(const jdklaunch::Settings &settings, const String &jar, const String &context) {
    const String java = settings.jdkBin + "/java";
    int sample[2];
    if (pipe(sample) != 0)
        return;
    // The sample fits the pipe: written whole before the server reads it.
    const std::string source = jdklaunch::sampleSource();
    writeAll(sample[1], source.data(), source.size());
    close(sample[1]);
    dup2(sample[0], STDIN_FILENO);
    close(sample[0]);
    // The java command reads options from this variable; javac does not.
    unsetenv("JDK_JAVA_OPTIONS");
    const auto options = jdklaunch::serverOptions(jar, settings.javacServer, context);
    const auto arguments = argumentVector(java, options, 0, nullptr);
    execv(arguments[0], arguments.data());
}

// Takes the launchers' folder out of PATH: what the learner's program starts by name (java,
// javac, jshell, a script's tools) is then the chosen JDK's own, which stands next.
void leaveThePath() {
    const String folder = ownFolder();
    const char *path = std::getenv("PATH");
    struct stat own {};
    if (!path || stat(folder.empty() ? "/" : folder.c_str(), &own) != 0)
        return;
    const auto isOwn = [](const String &entry, const void *context) {
        const auto *ownFolder = static_cast<const struct stat *>(context);
        struct stat other {};
        return stat(entry.c_str(), &other) == 0 && other.st_dev == ownFolder->st_dev &&
               other.st_ino == ownFolder->st_ino;
    };
    setenv("PATH", jdklaunch::pathWithout(path, ':', isOwn, &own).c_str(), 1);
}

const char *variable(const char *name) {
    return std::getenv(name);
}

bool isFile(const String &path) {
    struct stat entry {};
    return stat(path.c_str(), &entry) == 0 && S_ISREG(entry.st_mode);
}

// The compile on this JDK's warm server, which a build that found none starts for the next.
// Its exit code, or -1 where javac is to run itself (nothing was shown then, or the server was
// lost part-way).
int compileOnServer(const jdklaunch::Settings &settings, int argc, char *argv[]) {
    if (settings.javacServer.empty() || !jdklaunch::serverTakes(variable))
        return -1;
    std::vector<String> arguments;
    for (const String &option : jdklaunch::toolOptions(jdklaunch::Tool::Javac, settings))
        if (option.compare(0, 2, "-J") != 0) // the options of javac's own JVM
            arguments.push_back(option);
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    char folder[4096];
    const char *classPath = std::getenv("CLASSPATH");
    const String classPathValue = classPath ? classPath : "";
    jdklaunch::ServerRequest request;
    if (!getcwd(folder, sizeof folder) ||
        !jdklaunch::serverRequest(arguments, folder, classPath ? &classPathValue : nullptr, isFile,
                                  request))
        return -1;
    const String &record = settings.javacOutput;
    const int file = record.empty() ? -1 : openNewFile(record);
    const String context = jdklaunch::serverContext(variable);
    const auto passOn = [](const char *bytes, size_t size, void *record) {
        writeAll(STDERR_FILENO, bytes, size);
        if (*static_cast<const int *>(record) >= 0)
            writeAll(*static_cast<const int *>(record), bytes, size);
    };
    int recordFile = file;
    const int code =
        jdklaunch::askServer(settings.javacServer, context, request, passOn, &recordFile);
    if (file >= 0)
        close(file);
    if (code >= 0) {
        if (!record.empty())
            writeFile(jdklaunch::javacExitFile(record), std::to_string(code));
        return code;
    }
    const String jar = serverJar();
    const String cache = folderOf(settings.javacArchive);
    if (!jar.empty())
        startApart(cache.empty() ? folderOf(settings.javacServer) : cache,
                   [&] { runServer(settings, jar, context); });
    return -1;
}

} // namespace

int main(int argc, char *argv[]) {
    const jdklaunch::Tool tool = jdklaunch::toolOfProgramName(argv[0]);
    jdklaunch::Values values;
    for (size_t i = 0; i < values.size(); ++i) {
        const char *value = std::getenv(jdklaunch::kVariables[i]);
        values[i] = value ? value : "";
        unsetenv(jdklaunch::kVariables[i]);
    }
    const jdklaunch::Settings settings = jdklaunch::settingsFrom(values);
    leaveThePath();
    const char *name = tool == jdklaunch::Tool::Javac ? "javac" : "java";
    const String program = settings.jdkBin + "/" + name;
    // Never itself: that would run on without end.
    if (tool == jdklaunch::Tool::Unknown || settings.jdkBin.empty() ||
        access(program.c_str(), X_OK) != 0 || sameFile(program, "/proc/self/exe"))
        return notRecognised(tool == jdklaunch::Tool::Unknown ? argv[0] : name);
    if (tool == jdklaunch::Tool::Java && compileFailedInThisBuild(settings)) {
        say(std::string(jdklaunch::kNoRunAfterFailedCompile) + "\n");
        return 1;
    }
    if (tool == jdklaunch::Tool::Javac && !settings.javacNote.empty())
        say(settings.javacNote + "\n");
    if (tool == jdklaunch::Tool::Javac && jdklaunch::makesArchive(settings))
        startApart(folderOf(settings.javacArchive), [&] { makeArchive(program, settings); });
    if (tool == jdklaunch::Tool::Javac) {
        const int code = compileOnServer(settings, argc, argv);
        if (code >= 0)
            return code;
    }
    const auto options = jdklaunch::toolOptions(tool, settings);
    const auto arguments = argumentVector(program, options, argc, argv);
    const bool onArchive =
        tool == jdklaunch::Tool::Javac && (settings.javacStart == jdklaunch::JavacStart::Use ||
                                           settings.javacStart == jdklaunch::JavacStart::Auto);
    if (onArchive || (tool == jdklaunch::Tool::Javac && !settings.javacOutput.empty())) {
        int code = compileRecorded(arguments, settings.javacOutput, onArchive);
        if (code == kCrashedOnArchive) {
            // The archive was damaged after its check: it goes (the next first build makes a
            // new one), and this compile runs again at once without it. The crash said nothing.
            unlink(settings.javacArchive.c_str());
            unlink(jdklaunch::archiveSizeFile(settings.javacArchive).c_str());
            jdklaunch::Settings without = settings;
            without.javacStart = jdklaunch::JavacStart::Fast;
            const auto plainOptions = jdklaunch::toolOptions(tool, without);
            code = compileRecorded(argumentVector(program, plainOptions, argc, argv),
                                   settings.javacOutput, false);
        }
        if (code >= 0)
            return code;
    }
    execv(program.c_str(), arguments.data());
    return notRecognised(name);
}
