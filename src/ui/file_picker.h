#pragma once

#include <filesystem>
#include <optional>

class QWidget;

namespace novu {

// Where the profile import and export ask the user for a file: the system's file dialogs, or
// a prepared answer in tests.
class FilePicker {
public:
    virtual ~FilePicker() = default;
    // An existing configuration file to import; nothing when the user cancels.
    virtual std::optional<std::filesystem::path> PickImport(const std::filesystem::path& start) = 0;
    // The file to export to (an existing one only after the user agreed to replace it).
    virtual std::optional<std::filesystem::path> PickExport(const std::filesystem::path& start) = 0;
};

// The system's open and save dialogs for "*.ini" files.
class DialogFilePicker final : public FilePicker {
public:
    explicit DialogFilePicker(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::filesystem::path> PickImport(const std::filesystem::path& start) override;
    std::optional<std::filesystem::path> PickExport(const std::filesystem::path& start) override;

private:
    QWidget* parent_;
};

}  // namespace novu
