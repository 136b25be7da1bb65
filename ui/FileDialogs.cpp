#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace {
enum Column { kName, kSize, kType, kDate };

// The dialog's file list with its size, type and date columns in Chinese: Qt writes these in
// the system's language, not in the program's.
class ChineseFileList : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override {
        auto *files = qobject_cast<QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() == kName)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        switch (index.column()) {
        case kSize:
            if (info.isDir())
                break;
            return chinese.formattedDataSize(info.size());
        case kType:
            if (info.isDir())
                return QStringLiteral("文件夹");
            if (info.suffix().compare(QLatin1String("java"), Qt::CaseInsensitive) == 0)
                return QStringLiteral("Java 源文件");
            break;
        case kDate:
            return chinese.toString(info.lastModified(), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};
// The path the user chose in the dialog; nothing when cancelled.
std::optional<QString> chosenPath(QFileDialog &dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
} // namespace

std::unique_ptr<QFileDialog> makeFileDialog(QWidget *parent, const QString &title,
                                            const QString &folder, const QString &filter) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, folder, filter);
    dialog->setProxyModel(new ChineseFileList(dialog.get()));
    return dialog;
}

std::unique_ptr<QFileDialog> makeFolderChooser(QWidget *parent, const QString &title,
                                               const QString &folder) {
    auto dialog = makeFileDialog(parent, title, folder, QString());
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    return dialog;
}

std::optional<QString> askForJavaFile(QWidget *parent, const QString &startFolder) {
    const auto dialog =
        makeFileDialog(parent, QString(), startFolder, QStringLiteral("Java源文件(*.java)"));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    return chosenPath(*dialog);
}

std::optional<QString> askForFolder(QWidget *parent, const QString &title,
                                    const QString &startFolder) {
    return chosenPath(*makeFolderChooser(parent, title, startFolder));
}
