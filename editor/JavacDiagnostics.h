#pragma once

#include <QList>
#include <QString>

// One message of javac about a place in a source file, as javac prints it in English or in
// Chinese (JDK 8 to 25):
//   Hello.java:5: error: ';' expected          Hello.java:5: 错误: 需要';'
//           System.out.println("hi")                   System.out.println("hi")
//                                   ^                                          ^
//     symbol:   variable x                       符号:   变量 x
struct JavacDiagnostic {
    QString file;      // as javac names it
    int line = 0;      // 1-based
    int column = 0;    // 1-based, in characters; 0 when javac showed no caret line
    bool error = true; // an error; else a warning
    QString message;   // the message and its detail lines (symbol, location, …), one a line
};

// The diagnostics in javac's error output (any line ends); summaries ("1 error", "1 个错误"),
// notes ("Note:", "注:") and messages without a place are passed over.
QList<JavacDiagnostic> readJavacDiagnostics(const QString &output);

// Whether javac's file name names the source file (its last path part, ignoring case as the
// Windows file system does).
bool namesSourceFile(const QString &javacFile, const QString &sourceFileName);
