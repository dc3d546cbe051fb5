#include "ui/file_picker.h"

#include <QFileDialog>

namespace novu {

namespace {

const char* const kFilter = "All Files(*.ini)";

std::optional<std::filesystem::path> Picked(const QString& file) {
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(file.toStdString());
}

}  // namespace

std::optional<std::filesystem::path> DialogFilePicker::PickImport(
    const std::filesystem::path& start) {
    return Picked(QFileDialog::getOpenFileName(
        parent_, QString(), QString::fromStdString(start.string()), QString::fromLatin1(kFilter)));
}

std::optional<std::filesystem::path> DialogFilePicker::PickExport(
    const std::filesystem::path& start) {
    QFileDialog dialog(parent_, QString(), QString::fromStdString(start.string()),
                       QString::fromLatin1(kFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("ini"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return Picked(dialog.selectedFiles().front());
}

}  // namespace novu
