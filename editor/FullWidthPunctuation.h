#pragma once

#include <QList>
#include <QString>

// Punctuation typed with a Chinese input method where Java wants its ASCII form: ；，。：（）｛｝
// 【】［］“”‘’＝＋－＊／＜＞！？＆｜％ and the ideographic space. javac reports each as an
// "illegal character: '\uff1b'", which names no character a learner knows.
struct FullWidthMark {
    int line = 0;   // 1-based, as javac counts lines (CR LF, CR and LF each end one)
    int column = 0; // 1-based, in characters of the line
    QChar typed;    // the full-width character
    QString meant;  // what to type instead
};

// The full-width punctuation in the code of a Java text: not in comments, string and character
// literals or text blocks, read after unicode escapes are translated (an escape counts at the
// place where it starts).
QList<FullWidthMark> findFullWidthPunctuation(const QString &text);

// The console's line for one mark:
// "提示：第 20 行第 25 列是中文标点“；”，Java 程序里要用英文标点“;”。"
QString fullWidthHint(const FullWidthMark &mark);

// The console's lines for the marks: one each, up to `most`, then one line that counts the rest.
QStringList fullWidthHints(const QList<FullWidthMark> &marks, int most);
