// Measures the main-class scan alone and one keystroke through the real window on generated
// sources of 10 KB, 100 KB and 1 MB with one "class" per 50 bytes, beside the literal
// step-by-step scan; then on "class" repeated without spaces (names that overlap), with the
// memory the names take. Run: QT_QPA_PLATFORM=offscreen out/bin/bench_class_scan
#include "LiteralScan.h"
#include "app/Frm_java.h"
#include "ui/MainModule.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

static QString generatedSource(int bytes) {
    QString text;
    int i = 0;
    while (text.size() < bytes) {
        // 50 characters per class, with the entry point in the last one.
        QString line = QStringLiteral("class C%1 { int x; }").arg(i++, 6, 10, QLatin1Char('0'));
        line = line.leftJustified(48, QLatin1Char(' '));
        text += line + QStringLiteral("\r\n");
    }
    return text + QStringLiteral("public class Main { public static void main(String[] a) {} }");
}

// "class" repeated without spaces, then a brace: every name runs on to the brace.
static QString repeatedClass(int bytes) {
    return QStringLiteral("class").repeated(bytes / 5) + QStringLiteral("{ }");
}

template <typename F> static double bestMs(int runs, F &&f) {
    double best = 1e18;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        f();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// One keystroke (a letter typed at the start, then taken back) through the real window, 41
// times: "median [fastest-slowest]" in ms. What a large text's scan costs once typing pauses
// is not in it.
static QString keystrokeMs(const QString &text) {
    Frm_java window;
    window.setEditorText(text);
    auto *edit = window.findChild<QPlainTextEdit *>(QStringLiteral("Txt_edit"));
    auto *file = window.findChild<QLineEdit *>(QStringLiteral("Txt_file"));
    edit->moveCursor(QTextCursor::Start);
    std::vector<double> times;
    for (int run = 0; run < 41; ++run)
        times.push_back(bestMs(1,
                               [&] {
                                   file->setText(QString());
                                   QTest::keyClick(edit, Qt::Key_X);
                                   QTest::keyClick(edit, Qt::Key_Backspace);
                               }) /
                        2.0);
    std::sort(times.begin(), times.end());
    return QStringLiteral("%1 [%2-%3]")
        .arg(times[times.size() / 2], 0, 'f', 3)
        .arg(times.front(), 0, 'f', 3)
        .arg(times.back(), 0, 'f', 3);
}

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir programDir;
    MainModule::setProgramFolder(programDir.path());
    std::printf("%-8s %12s %14s %24s\n", "size", "scan (ms)", "literal (ms)", "keystroke (ms)");
    for (int size : {10'000, 100'000, 1'000'000}) {
        const QString text = generatedSource(size);
        volatile int sink = 0;
        const double scan = bestMs(20, [&] { sink += scanClasses(text).classCount; });
        const double literal = size <= 100'000
                                   ? bestMs(3, [&] { sink += literalScan(text).classCount; })
                                   : bestMs(1, [&] { sink += literalScan(text).classCount; });

        std::printf("%-8d %12.3f %14.1f %24s   (%s)\n", size, scan, literal,
                    qPrintable(keystrokeMs(text)), qPrintable(scanClasses(text).fileName.left(20)));
    }

    std::printf("\n\"class\" repeated without spaces\n%-8s %12s %24s %18s %14s\n", "size",
                "scan (ms)", "keystroke (ms)", "names' own chars", "list bytes");
    for (int size : {100'000, 1'000'000}) {
        const QString text = repeatedClass(size);
        volatile int sink = 0;
        const double scan = bestMs(10, [&] { sink += scanClasses(text).classCount; });
        const ClassScanResult result = scanClasses(text);
        qsizetype owned = 0;
        for (const QString &name : result.classNames)
            owned += name.isDetached() ? name.size() : 0;
        std::printf("%-8d %12.3f %24s %18lld %14lld   (text: %lld chars)\n", size, scan,
                    qPrintable(keystrokeMs(text)), static_cast<long long>(owned),
                    static_cast<long long>(result.classNames.size() * sizeof(QString)),
                    static_cast<long long>(text.size()));
    }
    return 0;
}
