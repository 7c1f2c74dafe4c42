#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "common/cp932.h"
#include "link/core/log_line.h"
#include "link/device_link.h"
#include "model/resource_data.h"

namespace ze::cli {

namespace {

constexpr const char* kUsage =
    "usage: ze-tool serve --folder DIR [--port N] [--address A] [--http-port N]\n"
    "                     [--keepalive-ms N] [--project FILE... --send DIALOG]\n"
    "                     [--connect HOST[:PORT]]\n";

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    // Nothing to do if the pipe is full: one byte is enough to wake us.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

bool ParseNumber(const std::string& text, int low, int high, int& value) {
    try {
        std::size_t used = 0;
        const long number = std::stol(text, &used, 10);
        if (used != text.size() || number < low || number > high) {
            return false;
        }
        value = static_cast<int>(number);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

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
    std::vector<std::string> projects;
    std::string dialog;
    bool connect = false;
    std::uint32_t connectAddress = 0;
    int connectPort = link::CDeviceLink::kDefaultPort;
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
        if (!hasValue) {
            std::cerr << "ze-tool serve: " << arg << " needs a value\n";
            return false;
        }
        const std::string& value = args[++i];
        if (arg == "--folder") {
            options.folder = value;
        } else if (arg == "--port") {
            if (!ParseNumber(value, 0, 65535, options.port)) {
                std::cerr << "ze-tool serve: bad port \"" << value << "\"\n";
                return false;
            }
        } else if (arg == "--address") {
            if (!ParseIpv4(value, options.address)) {
                std::cerr << "ze-tool serve: bad address \"" << value << "\"\n";
                return false;
            }
        } else if (arg == "--http-port") {
            if (!ParseNumber(value, 0, 65535, options.httpPort)) {
                std::cerr << "ze-tool serve: bad HTTP port \"" << value << "\"\n";
                return false;
            }
        } else if (arg == "--keepalive-ms") {
            if (!ParseNumber(value, 1, 24 * 3600 * 1000, options.keepAliveMs)) {
                std::cerr << "ze-tool serve: bad keep-alive period \"" << value << "\"\n";
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
            if (colon != std::string::npos &&
                !ParseNumber(value.substr(colon + 1), 1, 65535, options.connectPort)) {
                std::cerr << "ze-tool serve: bad port in \"" << value << "\"\n";
                return false;
            }
            if (!ResolveIpv4(host, options.connectAddress)) {
                std::cerr << "ze-tool serve: bad device address \"" << host << "\"\n";
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
    return true;
}

void PrintLogLine(const QByteArray& text, link::LogKind kind) {
    const std::string line =
        Cp932ToUtf8(link::FormatLogLine(std::string_view(text.constData(), text.size()), kind));
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

int RunServe(const Arguments& args) {
    ServeOptions options;
    if (!ParseServeArguments(args, options)) {
        std::cerr << kUsage;
        return 2;
    }
    CZeResourceData project;
    for (const std::string& path : options.projects) {
        if (!LoadProjectFile(project, path)) {
            return 1;
        }
    }
    const std::string dialogName = Utf8ToCp932(options.dialog);
    if (!dialogName.empty() && project.GetDialogs().FindDialog(dialogName) == nullptr) {
        std::cerr << "ze-tool serve: no dialog is named \"" << options.dialog << "\"\n";
        return 1;
    }

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
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &application,
                     [&application] { application.quit(); });

    int exitCode = 0;
    {
        link::CDeviceLink deviceLink;
        deviceLink.SetProjectFolder(options.folder);
        deviceLink.SetHttpPort(options.httpPort);
        deviceLink.SetKeepAlivePeriod(options.keepAliveMs);
        QObject::connect(&deviceLink, &link::CDeviceLink::LogWritten, &PrintLogLine);
        QObject::connect(&deviceLink, &link::CDeviceLink::MessageBoxRequested,
                         [](const QString& text) { std::cerr << text.toStdString() << '\n'; });
        QObject::connect(&deviceLink, &link::CDeviceLink::ConnectionEstablished,
                         [&deviceLink, &project, &dialogName] {
                             if (!dialogName.empty()) {
                                 deviceLink.SendDialog(project, dialogName);
                             }
                         });
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
