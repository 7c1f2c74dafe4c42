#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/run_command.h"

// ze-tool serve as its own process, fetched from with curl and talked to
// over a plain socket.
namespace {

// How long a wait for what is bound to happen may last: far beyond what a
// loaded machine takes, since each wait ends as soon as it is over.
constexpr int kPatienceSeconds = 60;

// Calls done every 10 ms until it holds; false after kPatienceSeconds.
bool Eventually(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kPatienceSeconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs command through the shell; its standard output.
std::string RunShell(const std::string& command) {
    return ze::test::RunCommand(command).output;
}

class ServeToolTest : public testing::Test {
protected:
    void SetUp() override {
        if (const std::string missing = ze::test::MissingProgram("curl", "curl");
            !missing.empty()) {
            GTEST_FAIL() << missing;
        }
        folder_ = std::filesystem::temp_directory_path() /
                  ("ze-serve-" + std::to_string(getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_ / "resources");
        std::ofstream(folder_ / "index.html") << "<html>top</html>";
        std::ofstream(folder_ / "app.apk", std::ios::binary) << std::string("PK\0\x03zz", 6);
        outside_ = folder_.filename().string() + "-outside.txt";
        std::ofstream(folder_.parent_path() / outside_) << "outside";
        port_ = FreePort();
        httpPort_ = FreePort();
    }
    void TearDown() override {
        Stop();
        std::filesystem::remove_all(folder_);
        std::filesystem::remove(output_);
        std::filesystem::remove(folder_.parent_path() / outside_);
    }

    void Start(const std::string& extra) {
        Start(extra, "PORT:" + std::to_string(httpPort_) + " [TCP]");
    }
    void Start(const std::string& extra, const std::string& readyText) {
        output_ = folder_.parent_path() / (folder_.filename().string() + ".out");
        pid_ = fork();
        if (pid_ == 0) {
            const std::string command =
                std::string("exec '") + ZE_TOOL_PATH + "' serve --folder '" + folder_.string() +
                "' --port " + std::to_string(port_) + " --address 127.0.0.1" + " --http-port " +
                std::to_string(httpPort_) + " " + extra + " >'" + output_.string() + "' 2>&1";
            execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            _exit(127);
        }
        if (!readyText.empty()) {
            WaitForOutput(readyText);
        }
    }

    bool WaitForOutput(const std::string& text) {
        return Eventually([&] { return Slurp(output_).find(text) != std::string::npos; });
    }

    // Waits for the process to end by itself; the exit code.
    int Wait() {
        int status = 0;
        if (!Eventually([&] { return waitpid(pid_, &status, WNOHANG) == pid_; })) {
            return -1;
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // SIGTERM; the exit code.
    int Stop() {
        if (pid_ <= 0) {
            return -1;
        }
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Curl(const std::string& path, const std::string& options = "") {
        return RunShell("curl -s -m " + std::to_string(kPatienceSeconds) +
                        " --path-as-is -w '|%{http_code}|%{content_type}' " + options +
                        " 'http://127.0.0.1:" + std::to_string(httpPort_) + path + "'");
    }

    std::filesystem::path folder_;
    std::filesystem::path output_;
    std::string outside_;  // a file beside the served folder
    int port_ = 0;
    int httpPort_ = 0;
    pid_t pid_ = -1;
};

TEST_F(ServeToolTest, CurlFetchesFilesAndEscapesAreRefused) {
    Start("--keepalive-ms 60000");
    EXPECT_EQ(Curl("/"), "<html>top</html>|200|text/html");
    EXPECT_EQ(Curl("/app.apk"), std::string("PK\0\x03zz", 6) + "|200|application/octet-stream");
    EXPECT_EQ(Curl("/missing.html"), "|404|");
    EXPECT_EQ(Curl("/../" + outside_), "|404|");
    ASSERT_TRUE(WaitForOutput("Http応答 (/../" + outside_ + ") 404 Not Found"));
    EXPECT_EQ(Stop(), 0);

    const std::string log = Slurp(output_);
    // Every line: time stamp, marker, text.
    EXPECT_NE(log.find("#待ち受け開始しました。PORT:" + std::to_string(port_) + " [TCP]\n"),
              std::string::npos);
    EXPECT_NE(log.find("<Httpリクエスト (/index.html)\n"), std::string::npos);
    EXPECT_NE(log.find(">Http応答 (/index.html) 16Byte\n"), std::string::npos);
    EXPECT_NE(log.find(">Http応答 (/app.apk) 6Byte\n"), std::string::npos);
    EXPECT_NE(log.find("!Http応答 (/missing.html) 404 Not Found\n"), std::string::npos);
    EXPECT_EQ(log.find("outside\n"), std::string::npos);
    EXPECT_EQ(log.substr(2, 1), ":");
    EXPECT_EQ(log.substr(8, 1), "#");
}

TEST_F(ServeToolTest, SendsTheDialogToEachDeviceThatConnects) {
    Start(std::string("--keepalive-ms 60000 --project '") + ZE_EXAMPLES_DIR +
          "/SampleApp.moxspro' --send Main");
    for (int round = 0; round < 2; ++round) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port_));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        timeval timeout{kPatienceSeconds, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        std::string received;
        char buffer[4096];
        while (received.find('\x03') == std::string::npos) {
            const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
            ASSERT_GT(count, 0);
            received.append(buffer, static_cast<std::size_t>(count));
        }
        ::close(fd);
        EXPECT_EQ(received.front(), '\x02');
        EXPECT_NE(received.find("{'Command':'DIALOG','Name':'Main'"), std::string::npos);
        EXPECT_EQ(received.find("'Name':'Settings'"), std::string::npos);
        EXPECT_EQ(received.back(), '\x03');
    }
    EXPECT_EQ(Stop(), 0);
}

// Reads one frame (up to ETX) from a blocking socket.
std::string ReadFrame(int fd) {
    timeval timeout{kPatienceSeconds, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string received;
    char buffer[4096];
    while (received.find('\x03') == std::string::npos) {
        const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
        if (count <= 0) {
            break;
        }
        received.append(buffer, static_cast<std::size_t>(count));
    }
    return received;
}

TEST_F(ServeToolTest, ConnectsToAListeningDeviceAndEndsWithTheConnection) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::listen(listener, 1);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    Start(std::string("--connect 127.0.0.1:") + std::to_string(ntohs(address.sin_port)) +
              " --project '" + ZE_EXAMPLES_DIR + "/SampleApp.moxspro' --send Settings",
          "");
    pollfd waiting{listener, POLLIN, 0};
    ASSERT_EQ(poll(&waiting, 1, kPatienceSeconds * 1000), 1);
    const int device = ::accept(listener, nullptr, nullptr);
    const std::string frame = ReadFrame(device);
    EXPECT_NE(frame.find("\x02{'Name':"), std::string::npos);
    EXPECT_NE(frame.find("{'Command':'DIALOG','Name':'Settings'"), std::string::npos);
    ::close(device);
    ::close(listener);
    EXPECT_EQ(Wait(), 0);
    const std::string log = Slurp(output_);
    EXPECT_NE(log.find("?OnConnect()\n"), std::string::npos);
    EXPECT_NE(log.find("接続しました。\n"), std::string::npos);
    EXPECT_NE(log.find("#通信を切断しました。\n"), std::string::npos);
}

int ConnectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string ProjectText(const std::string& name) {
    return "{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main','Object':"
           "{'Name':'" +
           name + "','Type':'GROUP','Layout':'LINEAR'}}]}";
}

// Every rewrite of the watched project reaches the connected device as a
// new frame, whether the file is written over or replaced by a rename; one
// that does not load is reported as ze-tool check reports it and sends
// nothing, so the next frame is that of the next good rewrite.
TEST_F(ServeToolTest, WatchSendsEveryGoodRewriteOfTheProject) {
    const std::filesystem::path project = folder_ / "app.moxspro";
    std::ofstream(project) << ProjectText("first");
    Start("--keepalive-ms 60000 --project '" + project.string() + "' --send Main --watch");
    const int device = ConnectTo(port_);
    ASSERT_GE(device, 0);
    EXPECT_NE(ReadFrame(device).find("'Name':'first'"), std::string::npos);
    const std::pair<std::string, std::function<void(const std::string&)>> writers[] = {
        {"over", [&](const std::string& text) { std::ofstream(project) << text; }},
        {"renamed",
         [&](const std::string& text) {
             std::ofstream(folder_ / "app.new") << text;
             std::filesystem::rename(folder_ / "app.new", project);
         }},
    };
    for (const auto& [how, write] : writers) {
        SCOPED_TRACE(how);
        write(ProjectText(how));
        EXPECT_NE(ReadFrame(device).find("'Name':'" + how + "'"), std::string::npos);
        write("{'Name':'" + how + "','Commands':[{");
        const std::string report =
            RunShell(std::string("'") + ZE_TOOL_PATH + "' check '" + project.string() + "' 2>&1");
        ASSERT_NE(report.find("Parse error"), std::string::npos);
        EXPECT_TRUE(WaitForOutput(report));
        write(ProjectText(how + "2"));
        EXPECT_NE(ReadFrame(device).find("'Name':'" + how + "2'"), std::string::npos);
    }
    // Grown past the read bound (sparse): said in the log, not read.
    std::filesystem::resize_file(project, std::uintmax_t{256} * 1024 * 1024 + 1);
    EXPECT_TRUE(WaitForOutput(project.string() + ": cannot read: larger than 256 MiB"));
    std::ofstream(project, std::ios::trunc) << ProjectText("small again");
    EXPECT_NE(ReadFrame(device).find("'Name':'small again'"), std::string::npos);
    ::close(device);
    EXPECT_EQ(Stop(), 0);
}

// Four devices at once: a rewrite reaches each of them, a fifth closes the
// oldest, and the log names the device of each line while several are held.
TEST_F(ServeToolTest, WatchSendsEachRewriteToEveryDevice) {
    const std::filesystem::path project = folder_ / "app.moxspro";
    std::ofstream(project) << ProjectText("first");
    Start("--keepalive-ms 60000 --max-devices 4 --project '" + project.string() +
          "' --send Main --watch");
    std::vector<int> devices;
    for (int i = 0; i < 4; ++i) {
        devices.push_back(ConnectTo(port_));
        ASSERT_GE(devices.back(), 0);
        EXPECT_NE(ReadFrame(devices.back()).find("'Name':'first'"), std::string::npos) << i;
    }
    std::ofstream(project) << ProjectText("second");
    for (std::size_t i = 0; i < devices.size(); ++i) {
        EXPECT_NE(ReadFrame(devices[i]).find("'Name':'second'"), std::string::npos) << i;
    }
    const int fifth = ConnectTo(port_);
    ASSERT_GE(fifth, 0);
    EXPECT_NE(ReadFrame(fifth).find("'Name':'second'"), std::string::npos);
    // The oldest reads the end of its stream (or a reset), nothing more.
    EXPECT_EQ(ReadFrame(devices[0]), "");
    std::ofstream(project) << ProjectText("third");
    for (std::size_t i = 1; i < devices.size(); ++i) {
        EXPECT_NE(ReadFrame(devices[i]).find("'Name':'third'"), std::string::npos) << i;
    }
    EXPECT_NE(ReadFrame(fifth).find("'Name':'third'"), std::string::npos);
    for (const int fd : devices) {
        ::close(fd);
    }
    ::close(fifth);
    EXPECT_EQ(Stop(), 0);
    const std::string log = Slurp(output_);
    // The first device alone: its accept line as ever; the second's is its own.
    EXPECT_NE(log.find("#接続要求許可 127.0.0.1:" + std::to_string(port_)), std::string::npos);
    EXPECT_NE(log.find("#[127.0.0.1:"), std::string::npos);
    EXPECT_NE(log.find("] 送信 "), std::string::npos);
}

TEST_F(ServeToolTest, MaxDevicesTakesOneToSixtyFour) {
    const struct {
        const char* value;
        bool taken;
    } cases[] = {{"1", true}, {"64", true}, {"0", false}, {"65", false}, {"x", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        // A taken value gets as far as the missing folder.
        const std::string output = RunShell(std::string("'") + ZE_TOOL_PATH +
                                            "' serve --max-devices " + c.value +
                                            " 2>&1; echo \"|$?\"");
        EXPECT_EQ(output.find("serve: --max-devices: expected") != std::string::npos, !c.taken)
            << output;
        EXPECT_EQ(output.find("--folder is required") != std::string::npos, c.taken) << output;
        EXPECT_NE(output.find("|2"), std::string::npos);
    }
}

TEST_F(ServeToolTest, HttpConnectionWithoutARequestIsClosedAfterTheIdleTime) {
    Start("--http-idle-ms 200");
    const int client = ConnectTo(httpPort_);
    ASSERT_GE(client, 0);
    pollfd waiting{client, POLLIN, 0};
    ASSERT_EQ(poll(&waiting, 1, kPatienceSeconds * 1000), 1);
    char byte = 0;
    EXPECT_LE(::recv(client, &byte, 1, 0), 0);
    ::close(client);
    EXPECT_TRUE(WaitForOutput("!Httpリクエストが200ms以内に届かないので切断しました。(127.0.0.1:"));
}

TEST_F(ServeToolTest, RefusesBadArguments) {
    EXPECT_NE(RunShell(std::string("'") + ZE_TOOL_PATH + "' serve --port 5 2>&1; echo \"|$?\"")
                  .find("|2"),
              std::string::npos);
    EXPECT_NE(RunShell(std::string("'") + ZE_TOOL_PATH +
                       "' serve --folder /tmp --port 99999 2>&1; echo \"|$?\"")
                  .find("|2"),
              std::string::npos);
}

}  // namespace
