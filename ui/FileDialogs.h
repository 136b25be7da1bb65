#pragma once

#include <QString>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

// The program's file dialogs. Where Qt draws the dialog itself (no desktop dialog), its list
// shows sizes, dates and types in Chinese whatever the system's language ("152 字节",
// "文件夹", "Java 源文件"), like the rest of the program.
std::unique_ptr<QFileDialog> makeFileDialog(QWidget *parent, const QString &title,
                                            const QString &folder, const QString &filter);

// The folder chooser's dialog: folders only.
std::unique_ptr<QFileDialog> makeFolderChooser(QWidget *parent, const QString &title,
                                               const QString &folder);

// The open dialog for a Java source file; nothing when cancelled.
std::optional<QString> askForJavaFile(QWidget *parent, const QString &startFolder);

// The folder chooser; nothing when cancelled.
std::optional<QString> askForFolder(QWidget *parent, const QString &title,
                                    const QString &startFolder);
