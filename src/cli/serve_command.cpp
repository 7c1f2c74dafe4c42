#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/option_values.h"
#include "cli/usage.h"
#include "common/cp932.h"
#include "link/core/log_line.h"
#include "link/device_link.h"
#include "model/resource_data.h"

namespace ze::cli {

namespace {

// Writing the log a line at a time would cost a system call per line, and
// every HTTP request makes several; lines wait this long at most.
constexpr int kLogFlushMilliseconds = 20;
// An editor saving a file may truncate and write it in several steps: the
// project is read once the changes have settled this long.
constexpr int kWatchSettleMilliseconds = 100;

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    // Nothing to do if the pipe is full: one byte is enough to wake us.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// The longest keep-alive period and HTTP idle time taken: a day.
constexpr int kMaxPeriodMilliseconds = 24 * 3600 * 1000;

// Dotted IPv4 text in host byte order.
bool ParseIpv4(const std::string& text, std::uint32_t& address) {
    in_addr parsed{};
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1) {
        return false;
    }
    address = ntohl(parsed.s_addr);
    return true;
}

// A dotted address or a host name with an IPv4 address.
bool ResolveIpv4(const std::string& host, std::uint32_t& address) {
    if (ParseIpv4(host, address)) {
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
        return false;
    }
    address = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(found);
    return true;
}

struct ServeOptions {
    std::string folder;
    int port = link::CDeviceLink::kDefaultPort;
    std::uint32_t address = 0;
    int httpPort = link::CDeviceLink::kDefaultHttpPort;
    int keepAliveMs = link::CDeviceLink::kKeepAliveMilliseconds;
    int httpIdleMs = link::CDeviceLink::kHttpIdleMilliseconds;
    std::vector<std::string> projects;
    std::string dialog;
    bool watch = false;
    bool connect = false;
    std::uint32_t connectAddress = 0;
    int connectPort = link::CDeviceLink::kDefaultPort;
    int maxDevices = link::CDeviceLink::kDefaultMaxDevices;
};

// False (and a message on standard error) for arguments that make no sense.
bool ParseServeArguments(const Arguments& args, ServeOptions& options) {
    bool inProjects = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (!arg.starts_with("--")) {
            if (!inProjects) {
                std::cerr << "ze-tool serve: unexpected argument \"" << arg << "\"\n";
                return false;
            }
            options.projects.push_back(arg);
            continue;
        }
        inProjects = false;
        if (arg == "--watch") {
            options.watch = true;
            continue;
        }
        if (!hasValue) {
            std::cerr << "ze-tool serve: " << arg << " needs a value\n";
            return false;
        }
        const std::string& value = args[++i];
        if (arg == "--folder") {
            options.folder = value;
        } else if (arg == "--port") {
            if (!ParseNumberOption("serve", arg, value, 0, 65535, options.port)) {
                return false;
            }
        } else if (arg == "--address") {
            if (!ParseIpv4(value, options.address)) {
                std::cerr << "ze-tool serve: --address: expected a dotted IPv4 address such as "
                             "127.0.0.1, got '"
                          << value << "'\n";
                return false;
            }
        } else if (arg == "--http-port") {
            if (!ParseNumberOption("serve", arg, value, 0, 65535, options.httpPort)) {
                return false;
            }
        } else if (arg == "--keepalive-ms") {
            if (!ParseNumberOption("serve", arg, value, 1, kMaxPeriodMilliseconds,
                                   options.keepAliveMs)) {
                return false;
            }
        } else if (arg == "--http-idle-ms") {
            if (!ParseNumberOption("serve", arg, value, 1, kMaxPeriodMilliseconds,
                                   options.httpIdleMs)) {
                return false;
            }
        } else if (arg == "--max-devices") {
            if (!ParseNumberOption("serve", arg, value, 1, link::CDeviceLink::kMaxDevicesLimit,
                                   options.maxDevices)) {
                return false;
            }
        } else if (arg == "--project") {
            options.projects.push_back(value);
            inProjects = true;
        } else if (arg == "--send") {
            options.dialog = value;
        } else if (arg == "--connect") {
            options.connect = true;
            const std::size_t colon = value.rfind(':');
            const std::string host = colon == std::string::npos ? value : value.substr(0, colon);
            if (colon != std::string::npos && !ReadNumber(std::string_view(value).substr(colon + 1),
                                                          1, 65535, options.connectPort)) {
                std::cerr << "ze-tool serve: --connect: expected HOST or HOST:PORT with PORT "
                             "from 1 to 65535, got '"
                          << value << "'\n";
                return false;
            }
            if (!ResolveIpv4(host, options.connectAddress)) {
                std::cerr << "ze-tool serve: --connect: no IPv4 address found for '" << host
                          << "'\n";
                return false;
            }
        } else {
            std::cerr << "ze-tool serve: unknown option \"" << arg << "\"\n";
            return false;
        }
    }
    if (options.folder.empty()) {
        std::cerr << "ze-tool serve: --folder is required\n";
        return false;
    }
    if (options.dialog.empty() != options.projects.empty()) {
        std::cerr << "ze-tool serve: --project and --send go together\n";
        return false;
    }
    if (options.watch && options.projects.empty()) {
        std::cerr << "ze-tool serve: --watch needs --project and --send\n";
        return false;
    }
    return true;
}

// The communication log on standard output, flushed in batches.
class LogPrinter {
public:
    LogPrinter() {
        flushTimer_.setSingleShot(true);
        flushTimer_.setInterval(kLogFlushMilliseconds);
        QObject::connect(&flushTimer_, &QTimer::timeout, [] {
            if (std::fflush(stdout) != 0 && errno == EPIPE) {
                QCoreApplication::quit();
            }
        });
    }
    ~LogPrinter() { std::fflush(stdout); }

    // Text in Shift_JIS, as the link writes it.
    void PrintSjis(const QByteArray& text, link::LogKind kind) {
        Print(Cp932ToUtf8(
            link::FormatLogLine(std::string_view(text.constData(), text.size()), kind)));
    }
    void PrintUtf8(std::string_view text, link::LogKind kind) {
        Print(link::FormatLogLine(text, kind));
    }

private:
    void Print(const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        if (!flushTimer_.isActive()) {
            flushTimer_.start();
        }
    }

    QTimer flushTimer_;
};

// --watch: the project files are read again when one of them changes on
// disk, and the dialog goes to the connected device again. A text that does
// not load leaves the last good project in place.
class ProjectWatch {
public:
    ProjectWatch(const ServeOptions& options, std::unique_ptr<CZeResourceData>& project,
                 link::CDeviceLink& deviceLink, LogPrinter& log)
        : paths_(options.projects),
          dialogName_(Utf8ToCp932(options.dialog)),
          project_(project),
          deviceLink_(deviceLink),
          log_(log) {
        for (const std::string& path : paths_) {
            std::string text;
            ReadAll(path, text);
            texts_.push_back(std::move(text));
        }
        settle_.setSingleShot(true);
        settle_.setInterval(kWatchSettleMilliseconds);
        QObject::connect(&settle_, &QTimer::timeout, [this] { Reload(); });
        QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, [this] { settle_.start(); });
        // An editor that writes a new file and renames it over the old one
        // leaves the old file's watch behind; its folder sees the rename.
        QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged,
                         [this] { settle_.start(); });
        Watch();
    }

private:
    void Watch() {
        QStringList files;
        QStringList folders;
        for (const std::string& path : paths_) {
            const QFileInfo info(QString::fromStdString(path));
            files << info.absoluteFilePath();
            if (!folders.contains(info.absolutePath())) {
                folders << info.absolutePath();
            }
        }
        // Added again each time, so that a watch follows the file now under
        // the name rather than one renamed over.
        if (!watcher_.files().isEmpty()) {
            watcher_.removePaths(watcher_.files());
        }
        for (const QString& file : files) {
            if (QFileInfo::exists(file)) {
                watcher_.addPath(file);
            }
        }
        for (const QString& folder : folders) {
            if (!watcher_.directories().contains(folder)) {
                watcher_.addPath(folder);
            }
        }
    }

    void Reload() {
        Watch();
        std::vector<std::string> texts(paths_.size());
        for (std::size_t i = 0; i < paths_.size(); ++i) {
            int error = 0;
            const ReadFileResult read = ReadAll(paths_[i], texts[i], &error);
            if (read == ReadFileResult::kNotRegularFile || read == ReadFileResult::kTooLarge) {
                // No later write makes this loadable by itself: say so.
                log_.PrintUtf8(paths_[i] + ": " + ReadFailureText(read, error),
                               link::LogKind::Error);
                return;
            }
            if (read != ReadFileResult::kRead) {
                // Perhaps between an editor's delete and its write: the
                // folder's next change tells when the file is back.
                return;
            }
        }
        if (texts == texts_) {
            return;
        }
        texts_ = texts;
        auto loaded = std::make_unique<CZeResourceData>();
        for (std::size_t i = 0; i < paths_.size(); ++i) {
            std::string report;
            if (!LoadProjectText(*loaded, paths_[i], texts[i], report)) {
                if (report.ends_with('\n')) {
                    report.pop_back();
                }
                log_.PrintUtf8(report, link::LogKind::Error);
                return;
            }
        }
        if (loaded->GetDialogs().FindDialog(dialogName_) == nullptr) {
            log_.PrintUtf8("送信するダイアログがありません。(" + Cp932ToUtf8(dialogName_) + ")",
                           link::LogKind::Error);
            return;
        }
        project_ = std::move(loaded);
        log_.PrintUtf8("プロジェクトを読み込み直しました。", link::LogKind::Info);
        if (deviceLink_.HasConnection()) {
            deviceLink_.SendDialog(*project_, dialogName_);
        }
    }

    std::vector<std::string> paths_;
    std::string dialogName_;
    std::vector<std::string> texts_;
    std::unique_ptr<CZeResourceData>& project_;
    link::CDeviceLink& deviceLink_;
    LogPrinter& log_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
};

}  // namespace

int RunServe(const Arguments& args) {
    ServeOptions options;
    if (!ParseServeArguments(args, options)) {
        PrintSynopsis(std::cerr, "serve");
        return 2;
    }
    auto project = std::make_unique<CZeResourceData>();
    for (const std::string& path : options.projects) {
        if (const LoadOutcome outcome = LoadProjectFile(*project, path);
            outcome != LoadOutcome::kLoaded) {
            return ExitStatusOf(outcome, 1);
        }
    }
    const std::string dialogName = Utf8ToCp932(options.dialog);
    if (!dialogName.empty() && project->GetDialogs().FindDialog(dialogName) == nullptr) {
        std::cerr << "ze-tool serve: no dialog is named \"" << options.dialog << "\"\n";
        return 1;
    }

    // Qt's own dispatcher: the GLib one wakes its poll through a system call
    // each time a socket notifier is switched on or off, several times for
    // every HTTP request.
    qputenv("QT_NO_GLIB", "1");
    int argc = 1;
    char name[] = "ze-tool";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::cerr << "ze-tool serve: cannot set up signal handling\n";
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A peer that has gone makes a send fail instead of ending the run (the
    // sockets then skip their own guard around each file sent); a reader of
    // the log that has gone ends it below.
    std::signal(SIGPIPE, SIG_IGN);
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &application,
                     [&application] { application.quit(); });

    int exitCode = 0;
    {
        LogPrinter log;
        link::CDeviceLink deviceLink;
        deviceLink.SetProjectFolder(options.folder);
        deviceLink.SetHttpPort(options.httpPort);
        deviceLink.SetKeepAlivePeriod(options.keepAliveMs);
        deviceLink.SetHttpIdleTimeout(options.httpIdleMs);
        deviceLink.SetMaxDevices(options.maxDevices);
        QObject::connect(
            &deviceLink, &link::CDeviceLink::LogWritten,
            [&log](const QByteArray& text, link::LogKind kind) { log.PrintSjis(text, kind); });
        QObject::connect(&deviceLink, &link::CDeviceLink::MessageBoxRequested,
                         [](const QString& text) { std::cerr << text.toStdString() << '\n'; });
        // A device that comes gets the dialog; those already there have it.
        QObject::connect(&deviceLink, &link::CDeviceLink::DeviceEstablished,
                         [&deviceLink, &project, &dialogName](quint64 device) {
                             if (!dialogName.empty()) {
                                 deviceLink.SendDialogTo(device, *project, dialogName);
                             }
                         });
        std::unique_ptr<ProjectWatch> watch;
        if (options.watch) {
            watch = std::make_unique<ProjectWatch>(options, project, deviceLink, log);
        }
        bool established = false;
        QObject::connect(&deviceLink, &link::CDeviceLink::ConnectionEstablished,
                         [&established] { established = true; });
        if (options.connect) {
            // Connected to one device, the run ends with that connection.
            QObject::connect(&deviceLink, &link::CDeviceLink::ControlsChanged,
                             [&](const link::LinkControls& controls) {
                                 if (controls.connect) {
                                     application.quit();
                                 }
                             });
        }
        bool started = false;
        if (options.connect) {
            started = deviceLink.ConnectToDevice(options.connectPort, options.connectAddress);
        } else {
            started = deviceLink.StartListening(options.port, options.address);
        }
        if (!started) {
            exitCode = 1;
        } else {
            application.exec();
            if (options.connect && !established) {
                exitCode = 1;
            }
        }
    }
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    return exitCode;
}

}  // namespace ze::cli
