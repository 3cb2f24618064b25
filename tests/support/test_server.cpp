#include "support/test_server.h"

#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace dw::test {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

int ReadPort(const std::string& path) {
  const std::string text = ReadAll(path);
  return text.empty() ? 0 : std::atoi(text.c_str());
}

std::string ScriptPath() {
  if (const char* dir = std::getenv("DESKWATCH_SOURCE_DIR"))
    return std::string(dir) + "/tests/support/https_server.py";
  return DESKWATCH_TEST_SUPPORT_DIR "/https_server.py";
}

}  // namespace

TestServer::TestServer(const TestServerOptions& options) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/dw-server-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    error_ = "mkdtemp failed";
    return;
  }
  dir_ = pattern;
  std::ofstream(dir_ + "/control") << "normal\n";

  std::vector<std::string> args = {
      "python3", ScriptPath(), "--port-file",          dir_ + "/port", "--cert-dir",
      dir_,      "--log",      dir_ + "/requests.log", "--control",    dir_ + "/control"};
  if (options.plainPort) args.insert(args.end(), {"--plain-port-file", dir_ + "/plain-port"});
  if (!options.root.empty()) args.insert(args.end(), {"--root", options.root});
  if (!options.page.empty()) args.insert(args.end(), {"--page", options.page});
  if (!options.certHost.empty()) args.insert(args.end(), {"--cert-host", options.certHost});
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  if (posix_spawnp(&pid_, "python3", nullptr, nullptr, argv.data(), environ) != 0) {
    pid_ = -1;
    error_ = "cannot start python3";
    return;
  }
  // Certificate making and binding take well under a second; allow for a slow machine.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      error_ = "server exited at start";
      return;
    }
    const int port = ReadPort(dir_ + "/port");
    if (port > 0) {
      plainPort_ = options.plainPort ? ReadPort(dir_ + "/plain-port") : 0;
      port_ = port;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  error_ = "server did not report its port";
}

TestServer::~TestServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  if (!dir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
}

std::string TestServer::Url(const std::string& path) const {
  return "https://127.0.0.1:" + std::to_string(port_) + path;
}

std::string TestServer::PlainUrl(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(plainPort_) + path;
}

std::vector<std::string> TestServer::Requests() const {
  const std::string log = ReadAll(dir_ + "/requests.log");
  std::vector<std::string> heads;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = log.find("\r\n\r\n", start);
    if (end == std::string::npos) break;
    heads.push_back(log.substr(start, end + 2 - start));
    start = end + 4;
  }
  return heads;
}

void TestServer::SetMode(const std::string& mode) const {
  const std::string temp = dir_ + "/control.tmp";
  std::ofstream(temp) << mode << "\n";
  std::filesystem::rename(temp, dir_ + "/control");
}

ScopedEnv::ScopedEnv(const std::string& name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name.c_str())) {
    hadValue_ = true;
    oldValue_ = old;
  }
  if (value != nullptr)
    setenv(name.c_str(), value, 1);
  else
    unsetenv(name.c_str());
}

ScopedEnv::~ScopedEnv() {
  if (hadValue_)
    setenv(name_.c_str(), oldValue_.c_str(), 1);
  else
    unsetenv(name_.c_str());
}

}  // namespace dw::test
