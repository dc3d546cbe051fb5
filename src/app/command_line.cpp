#include "app/command_line.h"

namespace novu {

namespace {

constexpr std::string_view kHideFlag = "HIDE";

}  // namespace

bool StartsHidden(std::string_view commandLine) {
    const std::size_t dash = commandLine.rfind('-');
    const std::string_view rest =
        dash == std::string_view::npos ? commandLine : commandLine.substr(dash + 1);
    return rest.substr(0, kHideFlag.size()) == kHideFlag;
}

std::string CommandLineText(const QStringList& arguments) {
    return arguments.join(QLatin1Char(' ')).toStdString();
}

Result<AppOptions> ParseAppOptions(const QStringList& arguments) {
    AppOptions options;
    options.startHidden = StartsHidden(CommandLineText(arguments));
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size()) {
                return std::nullopt;
            }
            return arguments[++i];
        };
        if (argument == QLatin1String("--emulate")) {
            options.emulate = true;
        } else if (argument == QLatin1String("--first-frame-exit")) {
            options.firstFrameExit = true;
        } else if (argument == QLatin1String("--data-dir")) {
            const std::optional<QString> dir = value();
            if (!dir) {
                return MakeError(Fault::Caller, "--data-dir needs a folder");
            }
            options.dataDir = std::filesystem::path(dir->toStdString());
        } else if (argument == QLatin1String("--emulate-variant")) {
            const std::optional<QString> variant = value();
            if (!variant || (*variant != QLatin1String("0") && *variant != QLatin1String("1"))) {
                return MakeError(Fault::Caller, "--emulate-variant takes 0 or 1");
            }
            options.emulateVariant = variant->toInt();
        }
    }
    return options;
}

}  // namespace novu
