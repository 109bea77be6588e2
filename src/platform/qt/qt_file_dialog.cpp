// The file dialogs: the toolkit's own, with its sizes, dates and kinds of file shown the Italian
// way (they otherwise follow the system's locale), and column titles shown whole.
#include "platform/qt/qt_file_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMimeDatabase>
#include <QTreeView>

namespace zembro::platform {
namespace {

class ItalianColumns : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr || index.column() == 0)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        switch (index.column()) {
        case 1:
            return info.isDir() ? QString() : italian.formattedDataSize(info.size());
        case 2:
            return info.isDir() ? QStringLiteral("Cartella")
                                : QMimeDatabase().mimeTypeForFile(info).comment();
        default:
            return italian.toString(info.lastModified(), QLocale::ShortFormat);
        }
    }
};

} // namespace

std::string RunFileDialog(QWidget* owner, const FileDialogRequest& request) {
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new ItalianColumns(&dialog));
    for (QTreeView* view : dialog.findChildren<QTreeView*>())
        view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    const bool save = request.kind == FileDialogKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askBeforeReplacing);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setNameFilter(
        QString::fromStdString(request.filterName + " (" + request.filterPattern + ")"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    // The file system's own bytes for the name, whatever the locale.
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

} // namespace zembro::platform
